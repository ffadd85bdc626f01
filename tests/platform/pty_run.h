// Test helper: runs a function in a child process whose standard input and
// output are a pseudo-terminal, and collects what it wrote and the modes.
#pragma once
#include <termios.h>
#include <string>

struct PtyRun {
    std::string output;          // everything written to the terminal
    std::string errors;          // standard error
    int status;                  // as from waitpid
    int stopped;                 // 1 when the child stopped itself once (then continued)
    std::string output_at_stop;  // the output up to that stop
    termios before;              // the modes before the child ran, at its stop, after it ended
    termios at_stop;
    termios after;
    int timed_out;
};

// body runs in the child (in a process group of its own, so Ctrl-Z really
// stops it); the child exits with 0 when body returns. At most 10 seconds.
void pty_run(void (*body)(), int columns, int rows, PtyRun* run);

// Whether two mode records agree in every field the terminal uses.
bool same_modes(const termios& a, const termios& b);

int count_of(const std::string& text, const std::string& part);
