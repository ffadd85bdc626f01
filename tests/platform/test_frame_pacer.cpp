// Frame pacing and the frame loop's drivers on the virtual clock: frames per second of demo time.
#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/frame_loop.h"
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

struct Seen {
    int64_t stop_after;  // the step asks to stop on this frame
    std::vector<int32_t> times;
    std::vector<uint32_t> clock;
};

bool note_frame(void* state, int64_t frame, int32_t t)
{
    auto* seen = static_cast<Seen*>(state);
    EXPECT_EQ(frame, static_cast<int64_t>(seen->times.size()));
    seen->times.push_back(t);
    seen->clock.push_back(platform_ticks_ms());
    return frame < seen->stop_after;
}

// Both drivers hand frame k the time k * 1000 / fps and stop at once, without
// another wait, when a step says so.
TEST(FrameLoop, DriversGiveEachFrameItsTimeAndStopWhenAsked)
{
    const std::vector<int32_t> at_30 = {0, 33, 66, 100};
    platform_clock_use_virtual(500);
    Seen paced = {3, {}, {}};
    run_paced_frames(note_frame, &paced, 30);
    EXPECT_EQ(paced.times, at_30);
    EXPECT_EQ(platform_ticks_ms(), 600u);

    Seen clocked = {99, {}, {}};
    run_clocked_frames(note_frame, &clocked, 4, 30, 2000);
    EXPECT_EQ(clocked.times, at_30);
    EXPECT_EQ(clocked.clock, (std::vector<uint32_t>{2000, 2033, 2066, 2100}));

    Seen early = {1, {}, {}};
    run_clocked_frames(note_frame, &early, 4, 30, 0);
    EXPECT_EQ(early.times.size(), 2u);
    platform_clock_use_real();
}

}  // namespace
