// Opening, closing, options and presentation on the headless console.
#include <gtest/gtest.h>

#include "core/random.h"
#include "display/cells.h"
#include "display/console_display.h"
#include "display/present.h"
#include "platform/console.h"
#include "support/display_test_support.h"
#include "support/headless_frames.h"

namespace {

// Where the three display options stand; code names the option last set.
void expect_options(int32_t colour_scheme, int32_t sampling, int32_t dither, int32_t code = 0)
{
    EXPECT_EQ(console_display.colour_scheme, colour_scheme) << "after " << code;
    EXPECT_EQ(console_display.sampling, sampling) << "after " << code;
    EXPECT_EQ(console_display.dither, dither) << "after " << code;
}

TEST(DisplayOptions, CodesSelectDefaultsOrThemselves)
{
    HeadlessDisplay display;
    // After opening: random dither and area sampling, even though entering
    // the console reset the dither to the 4 x 4 matrix.
    expect_options(18, 34, 53);

    struct Step {
        int32_t code;
        int32_t colour_scheme;
        int32_t sampling;
        int32_t dither;
    };
    const Step steps[] = {
        {17, 17, 34, 53}, {16, 18, 34, 53}, {33, 18, 33, 53}, {32, 18, 34, 53}, {52, 18, 34, 52}, {48, 18, 34, 51},
    };
    for (const Step& step : steps) {
        display_set_option(step.code);
        expect_options(step.colour_scheme, step.sampling, step.dither, step.code);
    }
    for (int32_t ignored : {54, 35, 0, 15, 19, 31, 47, -1, 0x7FFFFFFF}) {
        display_set_option(ignored);
        expect_options(18, 34, 51, ignored);
    }
    display_set_option(OPT_DITHER_RANDOM);
    display_reset_options();
    expect_options(18, 34, 51);
}

TEST(DisplayOpen, GridDescriptionAndRepeatedOpening)
{
    HeadlessDisplay display;
    EXPECT_EQ(console_display.kind, DISPLAY_KIND_CONSOLE);
    EXPECT_EQ(display_columns(), 80);
    EXPECT_EQ(display_rows(), 50);
    const SurfaceDesc* desc = console_display.canvas_desc;
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->bits_per_pixel, 32);
    EXPECT_EQ(desc->width, 160);
    EXPECT_EQ(desc->height, 100);
    EXPECT_EQ(desc->pitch, 640);
    EXPECT_EQ(desc->has_alpha, 0);
    for (int32_t i = 0; i < 80 * 50; i++) {
        ASSERT_EQ(console_display.characters[i], 0);
        ASSERT_EQ(console_display.attributes[i], 0);
    }

    // Start-up opens twice: the second opening brings fresh, zeroed arrays,
    // a new description and the opening options again.
    console_display.characters[7] = 'x';
    display_set_option(OPT_COLOUR_SINGLE);
    SurfaceDesc* second = display_open();
    EXPECT_EQ(second, console_display.canvas_desc);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(console_display.characters[7], 0);
    EXPECT_EQ(console_display.colour_scheme, 18);
    EXPECT_EQ(console_display.dither, 53);
    EXPECT_EQ(display_columns(), 80);

    console_set_window(80, 50, 1);  // best effort; must simply return
}

TEST(DisplayClose, ReleasesEverything)
{
    {
        HeadlessDisplay display;
    }
    EXPECT_EQ(console_display.characters, nullptr);
    EXPECT_EQ(console_display.attributes, nullptr);
    EXPECT_EQ(console_display.canvas_desc, nullptr);
    EXPECT_EQ(display_columns(), 0);
    EXPECT_EQ(display_rows(), 0);
    display_close();  // a second close is harmless
}

TEST(Present, NothingIsWrittenUnlessOpen)
{
    const std::vector<uint32_t> canvas = uniform_canvas(255, 0, 0);
    {
        HeadlessDisplay display;
    }
    platform_headless_clear();
    display_present(canvas.data());  // closed: arrays gone
    display_flush();
    EXPECT_EQ(platform_headless_frame_count(), 0);

    const int32_t kind = console_display.kind;
    console_display.kind = 0;  // as before the first opening
    display_present(canvas.data());
    display_flush();
    EXPECT_EQ(platform_headless_frame_count(), 0);
    console_display.kind = kind;
}

TEST(Present, WritesTheConvertedGridAsOneFrame)
{
    HeadlessDisplay display;
    const std::vector<uint32_t> canvas = uniform_canvas(255, 0, 0);
    display_present(canvas.data());
    ASSERT_EQ(platform_headless_frame_count(), 1);
    const RecordedFrame f = platform_headless_frame(0);
    ASSERT_EQ(f.columns, 80);
    ASSERT_EQ(f.rows, 50);
    for (int32_t i = 0; i < 4000; i++) {
        ASSERT_EQ(f.characters[i], 0x20);
        ASSERT_EQ(f.attributes[i], 0xCE);  // written as the console's attribute word 0x00CE
    }
    display_present(nullptr);  // no canvas: nothing
    EXPECT_EQ(platform_headless_frame_count(), 1);
}

TEST(Present, SameCanvasTwiceGivesIdenticalFrames)
{
    HeadlessDisplay display;
    const std::vector<uint32_t> canvas = random_canvas(5);
    display_set_option(OPT_DITHER_BAYER4);
    display_present(canvas.data());
    display_present(canvas.data());
    // The random dither repeats itself when the generator is reseeded alike.
    display_set_option(OPT_DITHER_RANDOM);
    random_seed(42);
    display_present(canvas.data());
    random_seed(42);
    display_present(canvas.data());
    ASSERT_EQ(platform_headless_frame_count(), 4);
    RecordedFrame frames[4];
    for (int32_t i = 0; i < 4; i++) {
        frames[i] = platform_headless_frame(i);
    }
    EXPECT_EQ(frame_characters(frames[0]), frame_characters(frames[1]));
    EXPECT_EQ(frame_attributes(frames[0]), frame_attributes(frames[1]));
    EXPECT_EQ(frame_characters(frames[2]), frame_characters(frames[3]));
    EXPECT_EQ(frame_attributes(frames[2]), frame_attributes(frames[3]));
    EXPECT_NE(frame_characters(frames[0]), frame_characters(frames[2]));
}

}  // namespace
