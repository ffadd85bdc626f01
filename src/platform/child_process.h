// A helper program started with a pipe to its standard input (the video encoder).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ChildProcess {
    int32_t pid;    // 0 when none runs
    int32_t input;  // write end of the pipe to its standard input; -1 when closed
};

// Whether a program of that name can be found on PATH and run.
int32_t platform_find_program(const char* name);

// The program's name and why it cannot be run here, for "... needs <this>".
std::string platform_program_missing(const char* name);

// Starts argv[0] (looked up on PATH) with argv, its standard input reading a
// pipe that we write, standard output and error as ours. Returns 1, or 0
// with the reason in *why.
int32_t platform_child_start(ChildProcess* child, const std::vector<std::string>& argv, std::string* why);

// Writes every byte to the child's input. Returns 1, or 0 when the child has
// stopped reading (it ended or failed); never raises SIGPIPE.
int32_t platform_child_write(ChildProcess* child, const void* bytes, size_t length);

// Closes the child's input and waits for it. Returns its exit status, or -1
// when it was ended by a signal or could not be waited for.
int32_t platform_child_finish(ChildProcess* child);

// Ends the child at once (interrupted runs) and waits for it.
void platform_child_kill(ChildProcess* child);
