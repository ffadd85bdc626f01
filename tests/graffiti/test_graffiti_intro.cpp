// The intro's replay and draw_gml: timing, pen widths and pictures, on a virtual clock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "display/console_display.h"
#include "gfx2d/canvas.h"
#include "gml_test_support.h"
#include "graffiti/draw_gml.h"
#include "graffiti/gml_segments.h"
#include "graffiti/graffiti_intro.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/keyboard.h"
#include "support/golden.h"
#include "support/headless_frames.h"

namespace {

Framebuffer test_canvas;
constexpr uint32_t GREY = 0xC8C8C8;
constexpr uint32_t BACKGROUND = 0x123456;

uint32_t pixel(int32_t x, int32_t y)
{
    return test_canvas.pixels[y * CANVAS_WIDTH + x];
}

// A lone Escape settles only after its timeout on the real clock.
void drain_keys()
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(120);
    while (std::chrono::steady_clock::now() < until) {
        platform_key_poll();
    }
}

class Intro : public ::testing::Test {
protected:
    void SetUp() override { saved_canvas_ = use_test_canvas(&test_canvas, BACKGROUND); }
    void TearDown() override { restore_canvas(saved_canvas_); }
    Framebuffer* saved_canvas_ = nullptr;
};

}  // namespace

TEST_F(Intro, SegmentsStartAtHalfTheirRecordedTime)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.125f, 0.1f, 0.0f);  // across from 0 ms
    add_point(d.get(), 0, 0.5f, 0.1f, 0.5f);    // down from 250 ms
    add_point(d.get(), 0, 0.5f, 0.5f, 1.0f);    // the last point starts nothing
    add_point(d.get(), 1, 0.9f, 0.2f, 32.0f);   // due only after the intro's 16 s
    add_point(d.get(), 1, 0.9f, 0.8f, 33.0f);
    add_point(d.get(), 2, 0.2f, 0.8f, 0.0f);  // a lone point
    for (auto [t, down] : {std::pair{0, false}, {249, false}, {250, true}, {15999, true}}) {
        draw_intro_frame(d.get(), t);
        EXPECT_EQ(pixel(40, 10), GREY) << t;
        EXPECT_EQ(pixel(80, 30) == GREY, down) << t;
        EXPECT_EQ(pixel(144, 50), 0u) << t;
        EXPECT_EQ(pixel(32, 80), 0u) << t;
    }
}

TEST_F(Intro, PenWidthSmoothsHalfNewHalfOldAndFollowsThePulse)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.0f, 0.5f, 0.0f);  // speed 1: 25 pixels in half a second, w = 8
    add_point(d.get(), 0, 0.15625f, 0.5f, 0.5f);
    auto still = new_drawing();
    add_point(still.get(), 0, 0.5f, 0.5f, 0.0f);  // the same place later: w = 0
    add_point(still.get(), 0, 0.5f, 0.5f, 0.5f);
    // level 4, 6, 7, 7.5, then 3.5 still; the pulse is 0.5 at 0 and just below 1 at 785 ms.
    struct Case {
        const GmlDrawing* drawing;
        int32_t t, memory, thickness;
    } cases[] = {
        {d.get(), 0, 4, 2}, {d.get(), 785, 6, 5}, {d.get(), 785, 7, 6}, {d.get(), 0, 7, 3}, {still.get(), 785, 3, 3}};
    for (const Case& c : cases) {
        draw_intro_frame(c.drawing, c.t);
        EXPECT_EQ(gml_pen_memory.intro, c.memory) << c.t;
        EXPECT_EQ(pen.thickness, c.thickness) << c.t;
    }
    draw_intro_frame(nullptr, 0);
    EXPECT_EQ(pixel(80, 50), 0u);
}

TEST_F(Intro, GoldenSmallDrawingAtTwoTimes)
{
    auto d = new_drawing();
    const float points[][4] = {{0, 0.1f, 0.2f, 0.0f},  {0, 0.3f, 0.25f, 0.5f},  {0, 0.35f, 0.7f, 3.0f},
                               {0, 0.35f, 0.7f, 4.5f}, {0, 0.6f, 0.8f, 5.0f},   {1, 0.7f, 0.1f, 6.0f},
                               {1, 0.9f, 0.5f, 7.5f},  {1, 0.65f, 0.9f, 12.0f}, {2, 0.2f, 0.9f, 0.1f}};
    for (const auto& p : points) {
        add_point(d.get(), static_cast<int32_t>(p[0]), p[1], p[2], p[3]);
    }
    draw_intro_frame(d.get(), 1500);
    EXPECT_TRUE(matches_golden("graffiti_intro_t1500", test_canvas));
    draw_intro_frame(d.get(), 4000);
    EXPECT_TRUE(matches_golden("graffiti_intro_t4000", test_canvas));
}

TEST_F(Intro, DrawGmlRunsInRealTimeWithItsOwnWidthsAndColour)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.125f, 0.25f, -1.0f);  // still: v = 8
    add_point(d.get(), 0, 0.125f, 0.25f, 0.0f);   // speed 1: w = 7, v = 8
    add_point(d.get(), 0, 0.28125f, 0.25f, 0.5f);
    add_point(d.get(), 1, 0.5f, 0.0f, 0.0f);  // instant: w = 0, v = 1
    add_point(d.get(), 1, 0.5f, 0.25f, 0.0f);
    add_point(d.get(), 2, 0.75f, 0.25f, 0.001f);  // due from 1 ms
    add_point(d.get(), 2, 0.75f, 0.45f, 0.002f);
    draw_gml(nullptr, 1000, 1.0f, 2.0f, 0xFFFFFF, 0, 0, 1.0f);
    // Levels 2, 3.5, then 0.25 + 2.25 = 2.5: a quarter new, three quarters old.
    draw_gml(d.get(), 0, 1.0f, 2.0f, 0xFF8000, 5, 7, 2.0f);
    EXPECT_EQ(gml_pen_memory.overlay, 2);
    EXPECT_EQ(pen.thickness, 3);
    // (0.125, 0.25) at scale 2 and offset (5, 7) is (45, 57); red lands in byte 0.
    EXPECT_EQ(pixel(45, 57), 0x0080FFu);
    EXPECT_EQ(pixel(80, 57), 0x0080FFu);
    EXPECT_EQ(pixel(30, 57), BACKGROUND);
    draw_gml(d.get(), 0, 0.0f, 4.0f, 0xFFFFFF, 0, 0, 1.0f);
    EXPECT_EQ(pixel(120, 35), BACKGROUND);
    draw_gml(d.get(), 1, 0.0f, 4.0f, 0xFFFFFF, 0, 0, 1.0f);
    EXPECT_EQ(pixel(120, 35), 0xFFFFFFu);
}

TEST_F(Intro, ValuesFromAHostileFileDrawWithoutUndefinedConversions)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 1e30f, -1e30f, 0.0f);
    add_point(d.get(), 0, std::nanf(""), 0.5f, 0.5f);
    add_point(d.get(), 0, 0.5f, 0.5f, std::nanf(""));
    draw_intro_frame(d.get(), 1000);
    draw_gml(d.get(), 1000, 1.0f, 3.0f, 0xFFFFFF, INT32_MAX, INT32_MIN, 1e30f);
    EXPECT_EQ(truncate_to_int(std::nanf("")), 0);
    EXPECT_EQ(truncate_to_int(3e9f), INT32_MAX);
    EXPECT_EQ(truncate_to_int(-3e9f), INT32_MIN);
    EXPECT_EQ(truncate_to_int(-2.9f), -2);
}

// The whole intro on the headless console and a virtual clock that moves only
// when the test moves it, so the 16 s pass in a fraction of a second.
TEST_F(Intro, PlaysSixteenSecondsOfTheTickCounterAndLeavesOnEscape)
{
    ConsoleSettings saved = console_settings;
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    display_open();
    platform_headless_clear();
    platform_clock_use_virtual(0xFFFFF000u);  // the counter wraps during the intro
    std::string path = testing::TempDir() + "graffiti_intro_test.gml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<gml><stroke><pt><x>0.1</x><y>0.1</y><t>0</t></pt><pt><x>0.9</x><y>0.9</y></pt></stroke></gml>", file);
    std::fclose(file);

    std::atomic<int32_t> result{-1};
    std::thread intro([&] { result = play_graffiti_intro(path.c_str(), 0); });
    // Until the intro ends, not for a number of steps: where a short sleep
    // returns at once (MinGW's), a fixed count could run out before the intro
    // has read its start time, and the clock would then never move again.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (result.load() == -1 && std::chrono::steady_clock::now() < deadline) {
        platform_clock_advance(40);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    platform_clock_advance(INTRO_LENGTH_MS);  // whatever the pace, let it end
    intro.join();
    EXPECT_EQ(result.load(), INTRO_FINISHED);
    ASSERT_GT(platform_headless_frame_count(), 0);
    const RecordedFrame shown = last_frame();
    int32_t drawn = 0;
    for (int32_t i = 0; i < shown.columns * shown.rows; i++) {
        drawn += shown.characters[i] != ' ' ? 1 : 0;
    }
    EXPECT_GT(drawn, 0);

    // Escape, then a key that settles it as a lone one; the missing drawing
    // waits for a key only when standard input is a terminal.
    for (const char* leave_from : {path.c_str(), "no/such/intro.gml"}) {
        platform_key_inject("\x1b\x1b", 2);
        testing::internal::CaptureStderr();
        EXPECT_EQ(play_graffiti_intro(leave_from, 0), INTRO_LEFT) << leave_from;
        testing::internal::GetCapturedStderr();
        drain_keys();
    }
    EXPECT_EQ(wait_for_key_after_error(0), INTRO_FINISHED);  // nothing typed: no wait
    platform_key_inject("x", 1);
    EXPECT_EQ(wait_for_key_after_error(1), INTRO_FINISHED);
    platform_key_inject("\x1b\x1b", 2);
    EXPECT_EQ(wait_for_key_after_error(1), INTRO_LEFT);
    drain_keys();

    std::remove(path.c_str());
    display_close();
    platform_headless_clear();
    console_settings = saved;
    platform_clock_use_real();
}
