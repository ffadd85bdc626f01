// Frame pacing on the tick counter, to absolute times so that no rounding gathers.
#include "platform/frame_pacer.h"

#include "platform/clock.h"

namespace {

uint32_t due_ms(const FramePacer* pacer, int64_t frame)
{
    return pacer->start_ms + static_cast<uint32_t>(frame_time_ms(frame, pacer->fps));
}

}  // namespace

int32_t frame_time_ms(int64_t frame, int32_t fps)
{
    return static_cast<int32_t>(frame * 1000 / fps);
}

void frame_pacer_start(FramePacer* pacer, int32_t fps, uint32_t now_ms)
{
    pacer->fps = fps < 0 ? 0 : fps;
    pacer->start_ms = now_ms;
    pacer->frame = 0;
}

void frame_pacer_wait(FramePacer* pacer)
{
    if (pacer->fps == 0) {
        return;
    }
    pacer->frame += 1;
    uint32_t now = platform_ticks_ms();
    int32_t ahead = platform_ticks_elapsed(now, due_ms(pacer, pacer->frame));
    if (ahead > 0) {
        platform_sleep_ms(static_cast<uint32_t>(ahead));
        return;
    }
    if (-ahead > 1000 / pacer->fps) {
        frame_pacer_start(pacer, pacer->fps, now);
    }
}
