// Without colours: the glyph follows the brightness of what the conversion drew.
#include <gtest/gtest.h>

#include <cstring>

#include "core/framebuffer.h"
#include "display/console_display.h"
#include "display/present.h"
#include "platform/mono_glyphs.h"
#include "support/display_test_support.h"
#include "support/headless_frames.h"

namespace {

int32_t ink(uint8_t glyph)
{
    return static_cast<int32_t>(std::strchr(MONO_RAMP, glyph) - MONO_RAMP);
}

TEST(MonoGlyphs, AGreyRampGainsInkFromBlackToWhite)
{
    // Sixteen grey bands from black to white across the canvas.
    static Framebuffer canvas;
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
            uint32_t grey = static_cast<uint32_t>(x / 10) * 17;
            canvas.pixels[y * CANVAS_WIDTH + x] = grey | grey << 8 | grey << 16;
        }
    }
    HeadlessDisplay display;
    display_set_option(OPT_DITHER_NONE);
    display_present(canvas.pixels);
    const RecordedFrame frame = last_frame();
    ASSERT_EQ(frame.columns, 80);
    static MonoTable table;
    mono_table_build(&table);
    uint8_t mono[80 * 50];
    mono_cells(&table, frame.characters, frame.attributes, frame.columns, frame.columns, frame.rows, mono);
    const uint8_t* row = mono + 25 * 80;
    EXPECT_EQ(row[0], ' ');
    EXPECT_EQ(row[79], '@');
    for (int32_t x = 1; x < 80; x++) {
        EXPECT_GE(ink(row[x]), ink(row[x - 1])) << "column " << x;
    }
}

}  // namespace
