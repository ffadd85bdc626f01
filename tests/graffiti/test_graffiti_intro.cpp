// The intro's replay and draw_gml: timing, pen widths and pictures, on a virtual clock.
#include <gtest/gtest.h>

#include <atomic>
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

namespace {

Framebuffer test_canvas;

// A lone Escape settles only after its timeout on the real clock: wait it out
// so that no key is left for the next test.
void drain_keys()
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(120);
    while (std::chrono::steady_clock::now() < until) {
        platform_key_poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

class Intro : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_canvas_ = get_canvas();
        set_canvas(&test_canvas);
        clear_canvas(0x123456);
        gml_pen_memory = {0, 0};
    }
    void TearDown() override
    {
        set_pen_thickness(0);
        set_canvas(saved_canvas_);
        platform_clock_use_real();
    }
    static uint32_t pixel(int32_t x, int32_t y) { return test_canvas.pixels[y * CANVAS_WIDTH + x]; }
    Framebuffer* saved_canvas_ = nullptr;
};

// An L: right along y = 0.1 from time 0, then down x = 0.5 from 0.5 s, ending at 1 s.
std::unique_ptr<GmlDrawing> l_shape()
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.125f, 0.1f, 0.0f);
    add_point(d.get(), 0, 0.5f, 0.1f, 0.5f);
    add_point(d.get(), 0, 0.5f, 0.5f, 1.0f);
    return d;
}

constexpr uint32_t INTRO_GREY = 0xC8C8C8;

// A small drawing with fast and slow strokes, a pause and a one-point stroke.
std::unique_ptr<GmlDrawing> small_tag()
{
    auto d = new_drawing();
    const float first[][3] = {
        {0.1f, 0.2f, 0.0f}, {0.3f, 0.25f, 0.5f}, {0.35f, 0.7f, 3.0f}, {0.35f, 0.7f, 4.5f}, {0.6f, 0.8f, 5.0f}};
    for (const auto& p : first)
        add_point(d.get(), 0, p[0], p[1], p[2]);
    const float second[][3] = {{0.7f, 0.1f, 6.0f}, {0.9f, 0.5f, 7.5f}, {0.65f, 0.9f, 12.0f}};
    for (const auto& p : second)
        add_point(d.get(), 1, p[0], p[1], p[2]);
    add_point(d.get(), 2, 0.2f, 0.9f, 0.1f);
    return d;
}

}  // namespace

TEST_F(Intro, SegmentsStartAtHalfTheirRecordedTime)
{
    auto d = l_shape();
    add_point(d.get(), 1, 0.9f, 0.2f, 32.0f);  // due only after the intro's 16 s
    add_point(d.get(), 1, 0.9f, 0.8f, 33.0f);
    struct Case {
        int32_t t;
        bool across;  // the first segment
        bool down;    // the second, due from 250 ms
    };
    for (const Case& c :
         {Case{0, true, false}, Case{249, true, false}, Case{250, true, true}, Case{15999, true, true}}) {
        draw_intro_frame(d.get(), c.t);
        EXPECT_EQ(pixel(40, 10) == INTRO_GREY, c.across) << c.t;
        EXPECT_EQ(pixel(80, 30) == INTRO_GREY, c.down) << c.t;
        EXPECT_EQ(pixel(144, 50), 0u) << c.t;
        EXPECT_EQ(pixel(2, 2), 0u) << c.t;  // cleared to black
    }
}

TEST_F(Intro, PenWidthSmoothsHalfNewHalfOldAndFollowsThePulse)
{
    // Speed 1: 25 pixels in half a second; w = 8.
    auto d = new_drawing();
    add_point(d.get(), 0, 0.0f, 0.5f, 0.0f);
    add_point(d.get(), 0, 0.15625f, 0.5f, 0.5f);
    struct Case {
        int32_t t;
        int32_t memory;
        int32_t thickness;
    };
    // level 4, 6, 7, 7.5; the pulse is 0.5 at 0 and just below 1 at 785 ms.
    const Case cases[] = {{0, 4, 2}, {785, 6, 5}, {785, 7, 6}, {0, 7, 3}};
    for (const Case& c : cases) {
        draw_intro_frame(d.get(), c.t);
        EXPECT_EQ(gml_pen_memory.intro, c.memory) << c.t;
        EXPECT_EQ(pen.thickness, c.thickness) << c.t;
    }
}

TEST_F(Intro, StillOrInstantSegmentsAndLonePointsDrawThin)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.5f, 0.5f, 0.0f);  // same place, later time: w = 0 in the intro
    add_point(d.get(), 0, 0.5f, 0.5f, 0.5f);
    add_point(d.get(), 1, 0.25f, 0.25f, 0.0f);  // a lone point draws nothing
    gml_pen_memory.intro = 6;
    draw_intro_frame(d.get(), 785);
    EXPECT_EQ(gml_pen_memory.intro, 3);
    EXPECT_EQ(pen.thickness, 2);
    EXPECT_EQ(pixel(40, 25), 0u);
    draw_intro_frame(nullptr, 785);
    EXPECT_EQ(pixel(80, 50), 0u);
}

TEST_F(Intro, GoldenSmallDrawingAtTwoTimes)
{
    auto d = small_tag();
    draw_intro_frame(d.get(), 1500);
    EXPECT_TRUE(matches_golden("graffiti_intro_t1500", test_canvas));
    draw_intro_frame(d.get(), 4000);
    EXPECT_TRUE(matches_golden("graffiti_intro_t4000", test_canvas));
}

TEST_F(Intro, DrawGmlWidthsPositionsAndColour)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.125f, 0.25f, 0.0f);  // speed 1: w = 7, v = 8
    add_point(d.get(), 0, 0.28125f, 0.25f, 0.5f);
    struct Case {
        float min_width;
        float max_width;
        int32_t memory;
        int32_t thickness;
    };
    // level 2, 3.5, 4.25: a quarter new, three quarters old.
    const Case cases[] = {{1.0f, 2.0f, 2, 3}, {1.0f, 2.0f, 3, 4}, {0.0f, 0.5f, 4, 2}};
    for (const Case& c : cases) {
        draw_gml(d.get(), 0, c.min_width, c.max_width, 0xFF8000, 5, 7, 2.0f);
        EXPECT_EQ(gml_pen_memory.overlay, c.memory);
        EXPECT_EQ(pen.thickness, c.thickness);
    }
    EXPECT_EQ(pen.thickness, 2);
    // (0.125, 0.25) at scale 2 and offset (5, 7) is (45, 57); red lands in byte 0.
    EXPECT_EQ(pixel(45, 57), 0x0080FFu);
    EXPECT_EQ(pixel(80, 57), 0x0080FFu);
    EXPECT_EQ(pixel(30, 57), 0x123456u);
}

TEST_F(Intro, DrawGmlRunsInRealTimeAndGivesStillSegmentsTheWidestPen)
{
    auto d = new_drawing();
    add_point(d.get(), 0, 0.25f, 0.25f, -1.0f);
    add_point(d.get(), 0, 0.25f, 0.25f, 0.0f);  // still: v = 8
    add_point(d.get(), 0, 0.5f, 0.25f, 0.0f);   // instant: w = 0, v = 1
    add_point(d.get(), 1, 0.5f, 0.25f, 0.001f);
    add_point(d.get(), 1, 0.5f, 0.75f, 0.002f);
    draw_gml(nullptr, 1000, 1.0f, 2.0f, 0xFFFFFF, 0, 0, 1.0f);
    EXPECT_EQ(pixel(40, 25), 0x123456u);
    draw_gml(d.get(), 0, 0.0f, 4.0f, 0xFFFFFF, 0, 0, 1.0f);
    // The first stroke is due at time 0 (level 2, then 0.25 + 1.5 = 1.75); the second from 1 ms.
    EXPECT_EQ(gml_pen_memory.overlay, 1);
    EXPECT_EQ(pen.thickness, 7);
    EXPECT_EQ(pixel(60, 25), 0xFFFFFFu);
    EXPECT_EQ(pixel(80, 50), 0x123456u);
    draw_gml(d.get(), 1, 0.0f, 4.0f, 0xFFFFFF, 0, 0, 1.0f);
    EXPECT_EQ(pixel(80, 50), 0xFFFFFFu);
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

// The whole intro on the headless console: the virtual clock moves only when
// the test moves it, so the intro's 16 s pass in a fraction of a second.
class IntroPlay : public Intro {
protected:
    void SetUp() override
    {
        Intro::SetUp();
        saved_settings_ = console_settings;
        console_settings.backend = CONSOLE_BACKEND_HEADLESS;
        display_open();
        platform_headless_clear();
        platform_clock_use_virtual(0xFFFFF000u);  // the counter wraps during the intro
        path_ = testing::TempDir() + "graffiti_intro_test.gml";
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(
            "<gml spec='t'><stroke><pt><x>0.1</x><y>0.1</y><t>0</t></pt>"
            "<pt><x>0.9</x><y>0.9</y><t>20</t></pt></stroke></gml>",
            file);
        std::fclose(file);
    }
    void TearDown() override
    {
        display_close();
        platform_headless_clear();
        console_settings = saved_settings_;
        std::remove(path_.c_str());
        Intro::TearDown();
    }
    ConsoleSettings saved_settings_ = {};
    std::string path_;
};

TEST_F(IntroPlay, RunsSixteenSecondsOfTheTickCounterThenReturns)
{
    std::atomic<int32_t> result{-1};
    std::thread intro([&] { result = play_graffiti_intro(path_.c_str()); });
    for (int32_t step = 0; step < 1000 && result.load() == -1; step++) {
        platform_clock_advance(40);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    platform_clock_advance(INTRO_LENGTH_MS);  // whatever the pace, let it end
    intro.join();
    EXPECT_EQ(result.load(), INTRO_FINISHED);
    const auto& frames = platform_headless_frames();
    ASSERT_FALSE(frames.empty());
    int32_t drawn = 0;
    for (uint8_t character : frames.back().characters)
        drawn += character != ' ' ? 1 : 0;
    EXPECT_GT(drawn, 0);  // the line from (16, 10) toward (144, 90) shows
}

TEST_F(IntroPlay, EscapeLeavesAtOnceEvenWhenTheDrawingIsMissing)
{
    for (const char* path : {path_.c_str(), "no/such/intro.gml"}) {
        platform_key_inject("\x1b\x1b", 2);  // Escape, then a key that settles it as a lone one
        testing::internal::CaptureStderr();
        EXPECT_EQ(play_graffiti_intro(path), INTRO_LEFT) << path;
        testing::internal::GetCapturedStderr();
        drain_keys();
    }
}

TEST_F(IntroPlay, TheErrorWaitNeedsATerminalAndEndsOnAKey)
{
    EXPECT_EQ(wait_for_key_after_error(0), INTRO_FINISHED);  // returns at once: nothing typed
    platform_key_inject("x", 1);
    EXPECT_EQ(wait_for_key_after_error(1), INTRO_FINISHED);
    platform_key_inject("\x1b\x1b", 2);
    EXPECT_EQ(wait_for_key_after_error(1), INTRO_LEFT);
    drain_keys();
}
