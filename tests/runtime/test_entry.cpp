// The whole start-up, loop and shut-down on the headless console.
#include <gtest/gtest.h>

#include "display/console_display.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/keyboard.h"
#include "runtime/entry.h"
#include "runtime/music.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "support/headless_frames.h"

namespace {

class Entry : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform_console_select(CONSOLE_BACKEND_HEADLESS);
        music_settings.force_silent = 1;
        platform_headless_clear();
        platform_clock_use_real();
        timeline = TIMELINE_START;
        sync_queue_reset();
        stop_requested = 0;
    }
};

// Escape plus a plain key behind it, so the lone Escape needs no timeout.
void type_escape()
{
    platform_key_inject("\x1b\x1b", 2);
}

// Runs the demo with Escape already typed: it leaves at once, and cleanly.
void run_until_escape(const DemoOptions& options)
{
    type_escape();
    EXPECT_EQ(run_demo(options), 0);
}

}  // namespace

TEST_F(Entry, EscapeEndsTheDemoAfterBlackFramesOfTheFullGrid)
{
    run_until_escape({nullptr, 0, 0});
    ASSERT_GT(platform_headless_frame_count(), 0);
    const RecordedFrame last = last_frame();
    EXPECT_EQ(last.columns, 80);
    EXPECT_EQ(last.rows, 50);
    for (int32_t i = 0; i < last.columns * last.rows; i++) {
        ASSERT_EQ(last.characters[i], ' ') << "cell " << i;
        ASSERT_EQ(last.attributes[i], 0x08) << "cell " << i;  // black: dark grey on black
    }
}

TEST_F(Entry, EndCommandFromTheMusicStopsAfterItsFrameIsPresented)
{
    push_sync_event(SyncEvent{0xFF});
    DemoOptions options = {nullptr, 0, 0};
    EXPECT_EQ(run_demo(options), 0);
    EXPECT_EQ(platform_headless_frame_count(), 1);
}

TEST_F(Entry, TestCardShowsTheEightPureColoursOnTheBottomRow)
{
    run_until_escape({nullptr, 1, 0});
    ASSERT_GT(platform_headless_frame_count(), 0);
    const RecordedFrame card = last_frame();
    const uint8_t* bottom = &card.attributes[49 * 80];
    EXPECT_EQ(bottom[5], 0x08);   // black
    EXPECT_EQ(bottom[45], 0xCE);  // red: yellow on light red
    EXPECT_EQ(bottom[75], 0xF7);  // white: light grey on white
    EXPECT_EQ(card.characters[49 * 80 + 75], ' ');
}

TEST_F(Entry, EscapeDuringTheIntroEndsTheDemoBeforeTheMusicStarts)
{
    type_escape();
    music_state.output = MUSIC_OUTPUT_NONE;
    DemoOptions options = {"no/such/drawing.gml", 0, 0};
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_demo(options), 0);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("ERROR!!! no/such/drawing.gml NOT FOUND!!"), std::string::npos) << said;
    EXPECT_EQ(music_state.output, MUSIC_OUTPUT_NONE);
}

// The renderings start the show more than once in a process; each used to allocate a canvas and
// lose the one before (a leak under the address sanitizer).
TEST_F(Entry, ASecondStartUpClearsTheSameCanvasInsteadOfLeakingIt)
{
    Framebuffer* first = create_canvas();
    ASSERT_NE(first, nullptr);
    first->pixels[123] = 0xABCDEF;
    display_close();
    Framebuffer* second = create_canvas();
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->pixels[123], 0u);
    display_close();
}
