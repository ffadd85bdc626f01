// The one frame loop: the pacer on the tick counter for the terminal, the virtual clock for renderings.
#include "platform/frame_loop.h"

#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "platform/keyboard.h"
#include "platform/signals.h"

void run_paced_frames(FrameStep step, void* state, int32_t fps)
{
    uint32_t start = platform_ticks_ms();
    FramePacer pacer;
    frame_pacer_start(&pacer, fps, start);
    for (int64_t k = 0; step(state, k, platform_ticks_elapsed(start, platform_ticks_ms())); k++) {
        frame_pacer_wait(&pacer);
    }
}

void run_clocked_frames(FrameStep step, void* state, int64_t count, int32_t fps, uint32_t start_ms)
{
    for (int64_t k = 0; k < count; k++) {
        int32_t t = frame_time_ms(k, fps);
        platform_clock_set(start_ms + static_cast<uint32_t>(t));
        if (!step(state, k, t)) {
            return;
        }
    }
}

// Every key waiting: an Escape after a long paste still ends the loop at once.
bool poll_stop_keys()
{
    bool escape = platform_key_poll_all() == KEY_ESCAPE;
    return escape || platform_stop_signalled() != 0;
}
