// The intro: a drawing named on the command line replayed stroke by stroke for 16 seconds.
#pragma once
#include <cstdint>

#include "graffiti/gml.h"

constexpr uint32_t INTRO_LENGTH_MS = 16000;

enum IntroResult : int32_t {
    INTRO_FINISHED = 0,  // the 16 seconds ran out (or the error wait got its key): go on
    INTRO_LEFT = 1,      // Escape or a shut-down signal: the program should end
};

// Loads the drawing at path and replays it, presenting a frame at a time on
// the platform tick counter until 16,000 ms have passed. A drawing that
// cannot be read is reported with its path; when standard input is a
// terminal the intro then waits for a key first, and it plays on an empty
// (black) drawing. Escape or a shut-down signal, during the wait or the
// replay, ends it at once with INTRO_LEFT. Frames are paced to fps (0: as
// fast as they come).
IntroResult play_graffiti_intro(const char* path, int32_t fps);

// One frame of the replay at t ms after the start: the canvas cleared to
// black and every segment whose first point is due (a recorded second lasts
// 500 ms) drawn in grey, its width following the pen's speed through
// gml_pen_memory.intro and a slow pulse. A null drawing leaves the canvas black.
void draw_intro_frame(const GmlDrawing* drawing, int32_t t);

// The wait after a load error: none unless interactive; else one key, where
// Escape or a shut-down signal give INTRO_LEFT.
IntroResult wait_for_key_after_error(int32_t interactive);
