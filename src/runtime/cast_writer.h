// Terminal recordings in the asciicast v2 format: a header line, then one output event per frame.
#pragma once
#include <cstdint>
#include <string>

#include "platform/output_file.h"

constexpr int32_t CAST_BUFFER_BYTES = 16384;

struct CastWriter {
    OutputFile file;
    int64_t events;  // output events written
    int32_t used;    // bytes waiting in buffer
    char buffer[CAST_BUFFER_BYTES];
};

// The header line (with its line end) of a recording of columns x rows cells.
std::string cast_header(int32_t columns, int32_t rows);

// Creates the file beside path and writes the header. Returns 1, or 0 with
// the reason (without the path) in *why.
int32_t cast_open(CastWriter* cast, const char* path, int32_t columns, int32_t rows, std::string* why);

// One output event of terminal bytes at time_ms after the start, escaped as a
// JSON string. No allocation.
void cast_write_event(CastWriter* cast, int64_t time_ms, const char* bytes, int32_t length);

// Moves the finished file into place. Returns 1, or 0 with the reason in *why
// and nothing under the final name.
int32_t cast_finish(CastWriter* cast, std::string* why);

// Removes the unfinished file. Safe when not open.
void cast_abandon(CastWriter* cast);
