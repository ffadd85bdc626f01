// The timeline driven the way the music drives it: bytes in the queue, frames at chosen times.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "graffiti/tag_slots.h"
#include "runtime/entry.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint8_t KEEP_FRAME = 0x0D;  // scene 13: the canvas keeps the previous frame

Framebuffer test_canvas;

class Timeline : public ::testing::Test {
protected:
    void SetUp() override
    {
        timeline = TIMELINE_START;
        sync_queue_reset();
        stop_requested = 0;
        set_canvas(&test_canvas);
        clear_canvas(0);
    }
    void TearDown() override
    {
        for (Image& slot : picture_slots.slots) {
            free_image(&slot);
        }
    }
};

void send(std::initializer_list<uint8_t> bytes)
{
    for (uint8_t b : bytes) {
        push_sync_event(SyncEvent{b});
    }
}

void frame(int32_t now, std::initializer_list<uint8_t> bytes = {})
{
    send(bytes);
    run_timeline(now);
}

uint32_t pixel(int x, int y)
{
    return test_canvas.pixels[y * CANVAS_WIDTH + x] & 0xFFFFFF;
}

// The scene the timeline plays, since when, and its last cue.
void expect_scene(int32_t id, int32_t param, int32_t start_ms, int32_t cue_start_ms)
{
    EXPECT_EQ(timeline.scene_id, id);
    EXPECT_EQ(timeline.scene_param, param);
    EXPECT_EQ(timeline.scene_start_ms, start_ms);
    EXPECT_EQ(timeline.cue_start_ms, cue_start_ms);
}

int count_rows_of(uint32_t colour, int column)
{
    int rows = 0;
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        rows += pixel(column, y) == colour;
    }
    return rows;
}

// A picture of height rows whose 100-row bands have the colours 1, 2, 3, ...
void make_banded_picture(Image* image, int width, int height)
{
    image->pixels = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * width * height));
    image->width = uint16_t(width);
    image->height = uint16_t(height);
    image->width_shift = image_width_shift(width);
    for (int i = 0; i < width * height; i++) {
        image->pixels[i] = 0xFF000000u | uint32_t(i / width / 100 + 1) * 0x010101u * 40;
    }
}

}  // namespace

TEST_F(Timeline, CommandsOfOneFrameApplyInOrderAndTheLastWins)
{
    frame(100, {0x03, 0x05});
    EXPECT_EQ(timeline.scene_id, 5);
    EXPECT_EQ(timeline.scene_start_ms, 100);
    EXPECT_EQ(timeline.scene_selected, 1);
    frame(150);
    EXPECT_EQ(timeline.scene_selected, 0);
    frame(400, {0x05});  // the same scene again restarts its clock
    EXPECT_EQ(timeline.scene_start_ms, 400);
}

TEST_F(Timeline, CueRestartsForOneFrameOnly)
{
    frame(100, {0x02});
    frame(200, {0x13});
    expect_scene(2, 3, 100, 200);
    EXPECT_EQ(timeline.cue_restarted, 1);
    frame(216);
    EXPECT_EQ(timeline.cue_restarted, 0);
    EXPECT_EQ(timeline.scene_start_ms, 100);
}

TEST_F(Timeline, SlidesCommandKeepsTheSceneClockAndEndCommandStops)
{
    frame(100, {0x04});
    frame(300, {0xF3});
    expect_scene(15, 3, 100, 300);
    EXPECT_EQ(timeline.scene_selected, 0);
    EXPECT_EQ(stop_requested, 0);
    frame(400, {0xFF});
    EXPECT_EQ(stop_requested, 1);
    EXPECT_EQ(timeline.last_frame_ms, 400);  // the frame was still drawn
}

TEST_F(Timeline, IgnoredCommandsChangeNothing)
{
    frame(10, {0x53, 0x5F, 0x93, 0x9F, 0xA0, 0xC7, 0xEF, 0x40});
    TimelineState expected = TIMELINE_START;
    expected.last_frame_ms = 10;
    expected.greets_slide_ms = 10;  // the slide of panel -1 runs from the start, off screen
    EXPECT_EQ(std::memcmp(&timeline, &expected, sizeof expected), 0);
}

TEST_F(Timeline, OverlayAndTagCommandsStoreTheirArguments)
{
    frame(50, {0x27, 0x3C, 0x60, 0x88});
    EXPECT_EQ(timeline.overlay_picture, 7);
    EXPECT_EQ(timeline.overlay_picture_high, 12);  // slot 20: beyond the slots, draws nothing
    EXPECT_EQ(timeline.tag_overlay, 0);
    EXPECT_EQ(timeline.distort_thirds, 8);
    frame(70, {0x7F});
    EXPECT_EQ(timeline.tag_overlay, 31);
    EXPECT_EQ(timeline.tag_start_ms, 70);
}

TEST_F(Timeline, FirstFrameDeltaIsItsDemoTime)
{
    frame(300, {0x42});
    EXPECT_EQ(timeline.short_blur_ms, 200);
    frame(350, {0x42});  // re-arms to the full value, never adds
    EXPECT_EQ(timeline.short_blur_ms, 450);
}

TEST_F(Timeline, AllFourTimersRunInOrderFlashFadeBlurs)
{
    frame(16, {KEEP_FRAME});
    clear_canvas(0x808080);
    frame(32, {0x4F});
    EXPECT_EQ(timeline.white_flash_ms, 484);
    EXPECT_EQ(timeline.short_blur_ms, 484);
    EXPECT_EQ(timeline.long_blur_ms, 1984);
    EXPECT_EQ(timeline.fade_in_ms, 984);
    // The flash whitens, then the full fade blackens: black, not white.
    EXPECT_EQ(pixel(80, 50), 0u);
}

TEST_F(Timeline, BlackSceneUntilTheFirstCommand)
{
    clear_canvas(WHITE);
    frame(5);
    EXPECT_EQ(pixel(0, 0), 0u);
    EXPECT_EQ(pixel(159, 99), 0u);
}

TEST_F(Timeline, LetterboxOpensAndClosesWithExactRows)
{
    frame(0, {KEEP_FRAME, 0x91, 0x91});
    EXPECT_FLOAT_EQ(timeline.letterbox, 2.0f);
    clear_canvas(WHITE);
    frame(10);
    EXPECT_EQ(count_rows_of(WHITE, 0), 50);
    EXPECT_EQ(pixel(0, 24), 0u);
    EXPECT_EQ(pixel(0, 25), WHITE);
    EXPECT_EQ(pixel(0, 75), 0u);

    frame(20, {0x92});  // bars still 25 rows this frame, then shrinking
    EXPECT_FLOAT_EQ(timeline.letterbox, -2.0f + 10 * 0.003f);
    clear_canvas(WHITE);
    timeline.letterbox = -1.7f;
    frame(120);
    EXPECT_EQ(pixel(0, 20), 0u);  // h = 21.25: rows 0-20 and 78-99
    EXPECT_EQ(pixel(0, 21), WHITE);
    EXPECT_EQ(pixel(0, 77), WHITE);
    EXPECT_EQ(pixel(0, 78), 0u);

    timeline.letterbox = -0.001f;  // crosses zero and stays a small positive number
    frame(121);
    EXPECT_GT(timeline.letterbox, 0.0f);
    clear_canvas(WHITE);
    frame(230);
    EXPECT_EQ(count_rows_of(WHITE, 5), 99);
    EXPECT_EQ(pixel(5, 99), 0u);
    frame(240, {0x90});
    EXPECT_EQ(timeline.letterbox, 0.0f);
}

TEST_F(Timeline, DistortionBandTouchesOnlyItsColumns)
{
    const int expected_left[] = {107, 54, 0, 0};
    for (int thirds = 1; thirds <= 4; thirds++) {
        SetUp();
        frame(0, {KEEP_FRAME, uint8_t(0x80 + thirds)});
        clear_canvas(0x406080);
        frame(16);
        int left = expected_left[thirds - 1];
        for (int x = 0; x < left; x++) {
            ASSERT_EQ(count_rows_of(0x406080, x), CANVAS_HEIGHT) << "thirds " << thirds << " column " << x;
        }
        int changed = 0;
        for (int x = left; x < CANVAS_WIDTH; x++) {
            changed += count_rows_of(0x406080, x) < CANVAS_HEIGHT;
        }
        EXPECT_EQ(changed, CANVAS_WIDTH - left) << "thirds " << thirds;
    }
}

TEST_F(Timeline, GreetingsPanelsSlideInFromColumnSixty)
{
    make_banded_picture(&picture_slots.slots[SLOT_GREETINGS], 300, 300);
    frame(0, {KEEP_FRAME, 0x51});
    EXPECT_EQ(timeline.greets_panel, 0);
    EXPECT_EQ(pixel(59, 10), 0u);
    EXPECT_NE(pixel(60, 10), 0u);  // panel 0 at x = 60

    clear_canvas(0);
    timeline.greets_slide_ms = 250;
    frame(10);  // x = -20: picture column 20 lands on canvas column 0
    EXPECT_NE(pixel(0, 10), 0u);
    EXPECT_EQ(timeline.greets_slide_ms, 260);

    uint32_t panel0 = pixel(0, 10);
    frame(20, {0x51});  // the next band restarts the slide
    EXPECT_EQ(timeline.greets_panel, 1);
    EXPECT_EQ(timeline.greets_slide_ms, 10);
    EXPECT_NE(pixel(60, 10), panel0);

    frame(30, {0x52});
    EXPECT_EQ(timeline.greets_slide_ms, -1);
    EXPECT_EQ(timeline.greets_panel, 1);
    frame(40, {0x50});
    EXPECT_EQ(timeline.greets_panel, -1);
}

TEST_F(Timeline, SecondOverlayShowsSlotEightPlusItsValue)
{
    make_banded_picture(&picture_slots.slots[9], 160, 100);
    frame(0, {KEEP_FRAME, 0x31});
    EXPECT_NE(pixel(0, 0), 0u);
    clear_canvas(0);
    frame(10, {0x39});  // slot 17: past the last slot, nothing is drawn
    EXPECT_EQ(pixel(0, 0), 0u);
    frame(20, {0x3F});
    EXPECT_EQ(pixel(0, 0), 0u);
}

TEST_F(Timeline, BlursAccumulateOnTheKeptFrame)
{
    frame(0, {KEEP_FRAME});
    clear_canvas(0);
    test_canvas.pixels[50 * CANVAS_WIDTH + 80] = WHITE;
    frame(1, {0x42});
    uint32_t once = pixel(82, 50);
    frame(2);
    EXPECT_NE(pixel(82, 50), once);  // a second pass spreads it further
    EXPECT_NE(pixel(84, 50), 0u);
}

TEST_F(Timeline, TagsLieOverThePicturesAndUnderTheFade)
{
    std::string path = testing::TempDir() + "timeline_tag.gml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(
        "<gml spec='t'><stroke><pt><x>0.25</x><y>0.5</y><t>0</t></pt>"
        "<pt><x>0.25</x><y>0.5</y><t>0.001</t></pt></stroke></gml>",
        file);
    std::fclose(file);
    ASSERT_EQ(load_tag_slot(3, path.c_str()), 1);
    std::remove(path.c_str());
    make_banded_picture(&picture_slots.slots[1], 160, 100);
    frame(100, {0x21, 0x64});  // picture 1 and tag 3: a cyan dot at (40, 70)
    EXPECT_EQ(pixel(40, 70), 0xFFFF00u);
    EXPECT_EQ(pixel(100, 70), 0x272727u);  // the picture elsewhere
    frame(200, {0x48});                    // the fade from black darkens the tag as well
    EXPECT_EQ(pixel(40, 70), 0u);
    frame(2500);  // the fade uses up its last 900 ms
    frame(2600, {0x60});
    EXPECT_EQ(pixel(40, 70), 0x272727u);
    free_tag_slots();
}
