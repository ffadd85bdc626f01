// The command line: options as people type them, checked before anything starts.
#pragma once
#include <cstdint>
#include <string>

#include "platform/console.h"
#include "runtime/entry.h"
#include "runtime/export.h"

// Frames a second the terminal is paced to unless --fps says otherwise.
constexpr int32_t DEFAULT_TERMINAL_FPS = 60;
constexpr int32_t MAX_FPS = 1000;

struct CommandLine {
    DemoOptions demo;
    int32_t nosound;          // 1: --nosound
    ConsoleSettings console;  // --grid and --color on top of the defaults
    ExportRequest rendering;  // what to render instead of showing the demo live
    const char* data_path;    // --data DIR: the show's files, or null to look for them
    const char* probe_path;   // test-only --console-probe SECONDS FILE: the shown cells read back
    int32_t probe_ms;
};

// Fills *line from argv, starting from the defaults. Returns -1 when the demo
// should run; otherwise the exit status to leave with at once, with the text
// for standard output (help, version) in *out or one line for standard error
// (an unknown option, a bad value) in *err.
int32_t parse_command_line(int argc, const char* const* argv, CommandLine* line, std::string* out, std::string* err);
