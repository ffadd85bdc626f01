// Frames paced to what a screen can show: sleep until the next frame's time.
#pragma once
#include <cstdint>

// Frame k is due at start_ms + k * 1000 / fps on the tick counter.
struct FramePacer {
    int32_t fps;  // 0: no pacing, every frame follows at once
    uint32_t start_ms;
    int64_t frame;  // the frame that ran last
};

// Milliseconds from frame 0 to frame k at fps (rounded down); fps > 0.
int32_t frame_time_ms(int64_t frame, int32_t fps);

// Frame 0 is due now.
void frame_pacer_start(FramePacer* pacer, int32_t fps, uint32_t now_ms);

// Sleeps until the next frame is due. A frame that ran late does not make the
// next ones hurry: when the pacer is more than a frame behind, it starts
// counting again from now.
void frame_pacer_wait(FramePacer* pacer);
