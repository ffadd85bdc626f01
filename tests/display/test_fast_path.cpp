// The canvas loop against the format-independent path: same cells, colours,
// palette and random sequence for every option and rectangle, and other
// pixel formats holding the same colours give the same cells.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "core/framebuffer.h"
#include "display/cells.h"
#include "display/console_display.h"
#include "support/display_test_support.h"

namespace {

struct Rect {
    int32_t x0, y0, x1, y1;
};

// The full grid (exact 2 x 2 blocks), the aspect fit of a 1:2 cell terminal,
// an odd inner rectangle, one reaching past every edge, a reversed one and
// ones smaller than a pixel block and larger than the surface.
const Rect RECTS[] = {
    {0, 0, 79, 49},  {0, 0, 79, 24}, {3, 5, 60, 40}, {-7, -3, 90, 61},
    {70, 45, 10, 2}, {0, 0, 0, 0},   {0, 0, 79, 0},  {5, 5, 7, 6},
};

ConversionResult run(bool generic, const Rect& r, const SurfaceDesc* desc, const void* pixels, uint32_t seed)
{
    reset_conversion_state(seed);
    if (generic) {
        cells_from_surface_generic(r.x0, r.y0, r.x1, r.y1, desc, pixels);
    } else {
        cells_from_surface(r.x0, r.y0, r.x1, r.y1, desc, pixels);
    }
    return capture_conversion();
}

TEST(FastPath, IdenticalToGenericPathForEveryOption)
{
    HeadlessDisplay display;
    const SurfaceDesc* desc = console_display.canvas_desc;
    ASSERT_NE(desc, nullptr);
    for (uint32_t picture = 1; picture <= 3; picture++) {
        const std::vector<uint32_t> canvas = random_canvas(picture);
        for (int32_t scheme : {OPT_COLOUR_SINGLE, OPT_COLOUR_BLEND}) {
            for (int32_t sampling : {OPT_SAMPLE_CENTRE, OPT_SAMPLE_AVERAGE}) {
                for (int32_t dither = OPT_DITHER_NONE; dither <= OPT_DITHER_RANDOM; dither++) {
                    for (const Rect& r : RECTS) {
                        display_set_option(scheme);
                        display_set_option(sampling);
                        display_set_option(dither);
                        const ConversionResult fast = run(false, r, desc, canvas.data(), picture * 7);
                        const ConversionResult generic = run(true, r, desc, canvas.data(), picture * 7);
                        ASSERT_TRUE(fast == generic)
                            << "picture " << picture << " scheme " << scheme << " sampling " << sampling << " dither "
                            << dither << " rect " << r.x0 << "," << r.y0 << "," << r.x1 << "," << r.y1;
                    }
                }
            }
        }
    }
}

TEST(FastPath, SurfacesOfOtherShapesInTheCanvasFormat)
{
    HeadlessDisplay display;
    // A 7 x 300 picture (taller than the grid) and a 400 x 3 one with a
    // padded pitch: every cell covers a different pixel count.
    const int32_t shapes[2][3] = {{7, 300, 7 * 4}, {400, 3, 400 * 4 + 12}};
    for (const auto& shape : shapes) {
        std::vector<uint32_t> pixels(static_cast<size_t>(shape[1]) * shape[2] / 4);
        const std::vector<uint32_t> source = random_canvas(static_cast<uint32_t>(shape[0]));
        for (size_t i = 0; i < pixels.size(); i++) {
            pixels[i] = source[i % source.size()];
        }
        SurfaceDesc* desc = surface_desc_create(32, shape[0], shape[1], shape[2], 0xFF, 0xFF00, 0xFF0000, 0);
        ASSERT_NE(desc, nullptr);
        for (int32_t sampling : {OPT_SAMPLE_CENTRE, OPT_SAMPLE_AVERAGE}) {
            for (const Rect& r : RECTS) {
                display_set_option(OPT_COLOUR_BLEND);
                display_set_option(sampling);
                display_set_option(OPT_DITHER_RANDOM);
                ASSERT_TRUE(run(false, r, desc, pixels.data(), 3) == run(true, r, desc, pixels.data(), 3))
                    << shape[0] << "x" << shape[1] << " sampling " << sampling << " rect " << r.x0 << "," << r.y0;
            }
        }
        std::free(desc);
    }
}

// Averages that are not multiples of 4 reach hues the full grid never
// produces; hue 4095 is the one where "hue mod 4095" folds to 0.
TEST(FastPath, HueThatFoldsToZero)
{
    HeadlessDisplay display;
    // 16 pixels into one cell: red 4080, green 2000, blue 2001.
    std::vector<uint32_t> pixels(16, pack_rgb(255, 125, 125));
    pixels[0] = pack_rgb(255, 125, 126);
    SurfaceDesc* desc = surface_desc_create(32, 16, 1, 64, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_NE(desc, nullptr);
    const Rect one_cell = {4, 4, 4, 4};
    for (int32_t dither = OPT_DITHER_NONE; dither <= OPT_DITHER_RANDOM; dither++) {
        display_set_option(OPT_COLOUR_BLEND);
        display_set_option(dither);
        EXPECT_TRUE(run(false, one_cell, desc, pixels.data(), 8) == run(true, one_cell, desc, pixels.data(), 8))
            << dither;
    }
    std::free(desc);
}

// Each format below holds exactly the 12-bit values of the 32-bit canvas it
// was made from, so its cells must equal the canvas's.
TEST(FastPath, OtherPixelFormatsMatchTheCanvas)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_DITHER_RANDOM);
    std::vector<uint32_t> canvas = random_canvas(11);

    // 16-bit 5-6-5: the canvas's bytes cut to 5, 6 and 5 bits.
    std::vector<uint16_t> pixels565(CANVAS_PIXELS);
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        const uint32_t p = canvas[i];
        const uint32_t r = (p & 0xFF) >> 3;
        const uint32_t g = ((p >> 8) & 0xFF) >> 2;
        const uint32_t b = ((p >> 16) & 0xFF) >> 3;
        pixels565[i] = static_cast<uint16_t>(r << 11 | g << 5 | b);
        canvas[i] = r << 3 | g << 2 << 8 | b << 3 << 16;
    }
    SurfaceDesc* d565 = surface_desc_create(16, 160, 100, 320, 0xF800, 0x07E0, 0x001F, 0);

    // 24-bit blue-green-red, and 32-bit with an opaque alpha byte.
    std::vector<uint8_t> pixels24(CANVAS_PIXELS * 3);
    std::vector<uint32_t> pixels_alpha(CANVAS_PIXELS);
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        pixels24[i * 3 + 0] = static_cast<uint8_t>(canvas[i] >> 16);
        pixels24[i * 3 + 1] = static_cast<uint8_t>(canvas[i] >> 8);
        pixels24[i * 3 + 2] = static_cast<uint8_t>(canvas[i]);
        pixels_alpha[i] = (canvas[i] & 0xFFFFFF) | 0xF0000000u;
    }
    SurfaceDesc* d24 = surface_desc_create(24, 160, 100, 480, 0xFF0000, 0xFF00, 0xFF, 0);
    SurfaceDesc* dalpha = surface_desc_create(32, 160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_TRUE(d565 && d24 && dalpha);

    const Rect full = {0, 0, 79, 49};
    const ConversionResult expected = run(false, full, console_display.canvas_desc, canvas.data(), 21);
    EXPECT_TRUE(run(false, full, d565, pixels565.data(), 21) == expected);
    EXPECT_TRUE(run(false, full, d24, pixels24.data(), 21) == expected);
    EXPECT_TRUE(run(false, full, dalpha, pixels_alpha.data(), 21) == expected);
    std::free(d565);
    std::free(d24);
    std::free(dalpha);
}

}  // namespace

// Regression: red and blue were summed in two 16-bit lanes of one word, so a
// cell more than 257 pixels wide carried red into blue.
TEST(FastPath, CellsWiderThanTwoHundredFiftySevenPixelsKeepTheirColour)
{
    HeadlessDisplay display;
    const int32_t width = 1000;
    std::vector<uint32_t> pixels(width, 0x0000FFu);  // pure red
    SurfaceDesc* desc = surface_desc_create(32, width, 1, width * 4, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_NE(desc, nullptr);
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_SAMPLE_AVERAGE);
    display_set_option(OPT_DITHER_NONE);
    const Rect one_cell = {0, 0, 0, 0};
    const ConversionResult fast = run(false, one_cell, desc, pixels.data(), 1);
    EXPECT_EQ(fast.attributes[0], 0xCE);
    EXPECT_TRUE(fast == run(true, one_cell, desc, pixels.data(), 1));
    std::free(desc);
}
