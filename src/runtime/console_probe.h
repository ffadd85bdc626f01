// The end-to-end check of a platform's console: one frame of the show, read back from the screen.
#pragma once
#include <cstdint>

#include "runtime/entry.h"

// The first line of a probe file; the characters and then the attribute
// bytes of the grid follow, columns x rows each.
constexpr const char* PROBE_FILE_HEADER = "korvel cells";

// Plays the show as a rendering does (virtual clock, the music's sync bytes
// by video frame, the generator seeded as in the live show) on the console
// whose shown cells can be read back, reads them back after the frame at
// probe_ms and writes them to path. Before the display opens the active
// screen is marked; after it closes the mark must be on the active screen
// again. Returns 0, or 1 with a message when anything fails.
int32_t run_console_probe(const DemoOptions& options, int32_t probe_ms, const char* path);
