// Program entry: start-up, the main loop on the demo clock, shut-down.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"

// Set to 1 by Escape, a shut-down signal or the music's end command; the
// main loop ends when it is non-zero. Main thread only.
extern int32_t stop_requested;

// Elapsed demo time of the current frame in milliseconds, written once per
// frame before the timeline runs; scenes may overwrite it before calling the
// time-driven texture effects.
extern int32_t effect_time_ms;

void set_effect_time(int32_t ms);

// Opens the display, allocates the canvas (zeroed) and makes it the draw
// target of the canvas primitives. The canvas lives until the process ends.
// Returns null only when the allocation fails.
Framebuffer* create_canvas();

// Creates the canvas, titles the console, asks for an 80 x 50 window and
// opens the display again: the second opening is the one in force for the
// run. Returns the canvas, or null when it cannot be allocated.
Framebuffer* open_demo_display();

// --test-crash: the test card's first frame is followed by a real fault or an
// abort, so that the tests see the terminal restored on a crash.
constexpr int32_t TEST_CRASH_NONE = 0;
constexpr int32_t TEST_CRASH_SEGV = 1;
constexpr int32_t TEST_CRASH_ABORT = 2;

// What the command line asked for.
struct DemoOptions {
    const char* drawing_path;              // the intro's drawing, or null
    int32_t test_card;                     // 1: show the test card instead of the demo
    int32_t fps;                           // frames a second the loop is paced to; 0: not paced
    int32_t gentle = 0;                    // 1: --gentle, at most three full-screen flashes a second
    int32_t test_crash = TEST_CRASH_NONE;  // tests only: how the test card ends after its first frame
};

// The module that carries the music and the whole script.
constexpr const char* MUSIC_PATH = "data/dino.xm";

// Runs start-up, the main loop and shut-down. Returns the process status.
int32_t run_demo(const DemoOptions& options);
