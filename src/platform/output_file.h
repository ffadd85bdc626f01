// Output files that never clobber: a regular file is written under a private
// temporary name and renamed into place only when complete; a device or a
// pipe is written as it is.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum OutputKind : int32_t {
    OUTPUT_REPLACED = 0,  // a regular file or a new name: temporary file, then rename
    OUTPUT_DIRECT = 1,    // a device, a pipe: written in place, never replaced
    OUTPUT_SCRATCH = 2,   // a temporary file that is never published (a helper's input)
};

// One file being written. Nothing appears under final_path until the commit:
// a failed or interrupted run leaves no half-written file there, and its
// temporary file is removed even when a signal or an allocation failure ends
// the process.
struct OutputFile {
    std::FILE* file;  // null when not open
    OutputKind kind;
    std::string final_path;
    std::string temp_path;  // created exclusively beside final_path; empty for OUTPUT_DIRECT
    int32_t seekable;       // 0 for a pipe: nothing written can be patched
    int32_t slot;           // the temporary's entry among the unfinished outputs; -1 none
    int32_t failed;         // 1 once a write failed; the commit then refuses
    std::string error;      // why, once failed
};

// Opens final_path for writing. A name that does not exist yet or a regular
// file (also through a symbolic link, which then stays a link) gets a
// temporary file of a unique name in its directory; a device or a pipe is
// opened as it is. Returns 1, or 0 with a reason (without the path) in *why:
// a directory, a missing or read-only directory, too many open outputs.
int32_t output_file_open(OutputFile* out, const char* final_path, std::string* why);

// A temporary file beside near_path (null: in the system's temporary folder)
// that is only ever removed (input for a helper program); its name is
// temp_path. Returns 1, or 0 with the reason.
int32_t output_file_open_scratch(OutputFile* out, const char* near_path, std::string* why);

// The name a helper program should write this output under: the temporary
// file, or the device itself.
const std::string& output_file_write_path(const OutputFile& out);

// Appends bytes. A failure is remembered and reported by the commit. Returns 1 or 0.
int32_t output_file_write(OutputFile* out, const void* bytes, size_t length);

// Overwrites bytes already written at offset (headers whose sizes are known
// only at the end). Returns 1 or 0, like a write; 0 without a failure when
// the output cannot seek (the caller wrote something that needs no patch).
int32_t output_file_patch(OutputFile* out, int64_t offset, const void* bytes, size_t length);

// Flushes, syncs, closes and renames the file into place (a scratch file
// stays where it is until output_file_abandon). Returns 1, or 0 with the
// reason in *why, the temporary file removed and nothing under the final name.
int32_t output_file_commit(OutputFile* out, std::string* why);

// Closes and removes the temporary file. Safe when not open or already committed.
void output_file_abandon(OutputFile* out);

// Removes every temporary file still unfinished. Async-signal-safe: for
// signal handlers and the out-of-memory exit.
void platform_remove_unfinished_outputs();

// 1 when both paths name the same existing file (after links), else 0.
int32_t platform_same_file(const char* a, const char* b);
