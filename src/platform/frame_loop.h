// The one frame loop: a step per frame, driven by the pacer on the tick counter or by the virtual clock.
#pragma once
#include <cstdint>

// One frame of whatever plays: frame counts from 0, t is the milliseconds
// since the loop began. Draws and presents the frame; returns false when
// playing should stop. Renderings drive the same steps on the virtual clock,
// one video frame at a time.
using FrameStep = bool (*)(void* state, int64_t frame, int32_t t);

// Runs step until it returns false, each frame paced to fps (0: as fast as
// frames come) and given the time read from the tick counter.
void run_paced_frames(FrameStep step, void* state, int32_t fps);

// Frames 0 to count - 1 on the virtual clock, set before each to start_ms
// plus the frame's time at fps; stops early when step returns false.
void run_clocked_frames(FrameStep step, void* state, int64_t count, int32_t fps, uint32_t start_ms);

// Reads every key waiting: true on Escape or a shut-down signal.
bool poll_stop_keys();
