// Frame pacing on the virtual clock: frames per second of demo time.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/frame_pacer.h"

namespace {

// Frames that start within the first second of demo time, each taking
// work_ms of the clock before the pacer waits.
int32_t frames_in_one_second(int32_t fps, uint32_t work_ms)
{
    platform_clock_use_virtual(1000);
    FramePacer pacer;
    frame_pacer_start(&pacer, fps, platform_ticks_ms());
    int32_t frames = 0;
    while (platform_ticks_elapsed(1000, platform_ticks_ms()) < 1000 && frames < 100000) {
        frames++;
        platform_clock_advance(work_ms);
        frame_pacer_wait(&pacer);
    }
    platform_clock_use_real();
    return frames;
}

TEST(FramePacer, HoldsTheRateItIsGivenOnDemandTime)
{
    EXPECT_EQ(frames_in_one_second(30, 0), 30);
    EXPECT_EQ(frames_in_one_second(60, 0), 60);
    EXPECT_EQ(frames_in_one_second(60, 5), 60);   // work shorter than a frame is absorbed
    EXPECT_EQ(frames_in_one_second(60, 40), 25);  // a slow frame is not made up by a burst
    EXPECT_EQ(frames_in_one_second(0, 1), 1000);  // unpaced: the clock moves only with the work
}

}  // namespace
