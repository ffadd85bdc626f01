// Output files written beside their final name and renamed into place only when complete.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// One file being written. Nothing appears under final_path until the commit:
// a failed or interrupted run leaves no half-written file there.
struct OutputFile {
    std::FILE* file;  // the temporary file; null when not open
    std::string final_path;
    std::string temp_path;  // final_path + ".partial", in the same directory
    int32_t failed;         // 1 once a write failed; the commit then refuses
    std::string error;      // why, once failed
};

// The name a file is written under until its commit.
std::string output_file_temp_path(const char* final_path);

// Creates the temporary file. Returns 1, or 0 with a reason (without the
// path) in *why: the directory is missing or not writable, or the final
// name is a directory.
int32_t output_file_open(OutputFile* out, const char* final_path, std::string* why);

// Appends bytes. A failure is remembered and reported by the commit. Returns 1 or 0.
int32_t output_file_write(OutputFile* out, const void* bytes, size_t length);

// Overwrites bytes already written at offset (headers whose sizes are known
// only at the end). Returns 1 or 0, like a write.
int32_t output_file_patch(OutputFile* out, int64_t offset, const void* bytes, size_t length);

// Flushes, closes and renames the file into place. Returns 1, or 0 with the
// reason in *why, the temporary file removed and nothing under the final name.
int32_t output_file_commit(OutputFile* out, std::string* why);

// Closes and removes the temporary file. Safe when not open.
void output_file_abandon(OutputFile* out);

// Renames a file that someone else wrote (a child process) into place.
// Returns 1, or 0 with the reason in *why and the temporary file removed.
int32_t platform_rename_into_place(const std::string& temp_path, const std::string& final_path, std::string* why);
// Removes a file if it is there (a child's abandoned output).
void platform_remove_file(const std::string& path);
