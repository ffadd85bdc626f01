// The progress line of a rendering on standard error: share done, frames a second, time left.
#pragma once
#include <cstdint>

struct ExportProgress {
    int32_t enabled;    // standard error is a terminal
    int32_t shown;      // a line is on the screen
    uint32_t start_ms;  // monotonic time of the start
    uint32_t drawn_ms;  // when the line was last drawn
    int64_t total;      // frames to render
};

// Shows nothing unless standard error is a terminal, and nothing for the first second.
void progress_start(ExportProgress* progress, int64_t total);

// done frames of total rendered; redrawn a few times a second.
void progress_update(ExportProgress* progress, int64_t done);

// Clears the line.
void progress_finish(ExportProgress* progress);

// The line for done of total frames after elapsed_ms (without a line end).
void progress_format(int64_t done, int64_t total, uint32_t elapsed_ms, char* out, int32_t capacity);
