// Pixel-to-cell conversion: pinned cells of both colour schemes, the dither,
// alpha, rectangle order and the guards.
#include <gtest/gtest.h>

#include <cstring>

#include "core/framebuffer.h"
#include "core/random.h"
#include "display/cells.h"
#include "display/console_display.h"
#include "support/display_test_support.h"

namespace {

const SurfaceDesc* canvas_desc()
{
    return console_display.canvas_desc;
}

void convert_canvas(const std::vector<uint32_t>& canvas)
{
    cells_from_surface(0, 0, DISPLAY_GRID_COLUMNS - 1, DISPLAY_GRID_ROWS - 1, canvas_desc(), canvas.data());
}

struct UniformCase {
    uint8_t red, green, blue;
    uint8_t character;
    uint8_t attribute;
};

// Colours whose cell is the same under every dither: every cell of the grid
// must come out alike.
TEST(Conversion, BlendSchemeCellsIndependentOfDither)
{
    HeadlessDisplay display;
    const UniformCase cases[] = {
        {0, 0, 0, 0x20, 0x08},        // black: space, dark grey on black
        {255, 255, 255, 0x20, 0xF7},  // white: space, light grey on white
        {255, 0, 0, 0x20, 0xCE},      // red: yellow on light red
        {0, 255, 0, 0x20, 0xAB},     {0, 0, 255, 0x20, 0x9D},
        {255, 255, 0, 0x20, 0xEA},   {128, 0, 0, 0xFA, 0x4C},  // dark red: level 2, light red on red
    };
    display_set_option(OPT_COLOUR_BLEND);
    for (int32_t dither = OPT_DITHER_NONE; dither <= OPT_DITHER_RANDOM; dither++) {
        display_set_option(dither);
        for (const UniformCase& c : cases) {
            convert_canvas(uniform_canvas(c.red, c.green, c.blue));
            for (int32_t y = 0; y < DISPLAY_GRID_ROWS; y++) {
                for (int32_t x = 0; x < DISPLAY_GRID_COLUMNS; x++) {
                    ASSERT_EQ(cell_character(x, y), c.character)
                        << "colour " << int(c.red) << "," << int(c.green) << "," << int(c.blue) << " dither " << dither
                        << " cell " << x << "," << y;
                    ASSERT_EQ(cell_attribute(x, y), c.attribute);
                }
            }
        }
    }
}

TEST(Conversion, BlendSchemeMidGreyFollowsTheDither)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_DITHER_NONE);
    convert_canvas(uniform_canvas(128, 128, 128));
    // Table point (15, 0, 0): the far candidate is the closer one, level 15.
    EXPECT_EQ(cell_character(0, 0), 0x30);
    EXPECT_EQ(cell_attribute(0, 0), 0x87);
    EXPECT_EQ(console_display.foreground, 7);
    EXPECT_EQ(console_display.background, 8);

    // Under the 4 x 4 matrix, row 1 starts with 192: table point (16, 0, 0),
    // level 14, the colours swap. Row 0 starts with 0 and stays at level 15.
    display_set_option(OPT_DITHER_BAYER4);
    convert_canvas(uniform_canvas(128, 128, 128));
    EXPECT_EQ(cell_character(0, 1), 0xE9);
    EXPECT_EQ(cell_attribute(0, 1), 0x78);
    EXPECT_EQ(cell_character(0, 0), 0x30);
    EXPECT_EQ(cell_attribute(0, 0), 0x87);
}

TEST(Conversion, BlendSchemeOrangeAtConstantAndZeroDither)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_DITHER_NONE);
    convert_canvas(uniform_canvas(200, 100, 50));
    EXPECT_EQ(cell_character(10, 10), 0x2B);  // level 9
    EXPECT_EQ(cell_attribute(10, 10), 0xCE);
    // The sector palette entries keep the last cell's sector (red: 1).
    EXPECT_EQ(console_display.palette.colour[4], 6);
    EXPECT_EQ(console_display.palette.colour[5], 14);
    EXPECT_EQ(console_display.palette.colour[6], 4);
    EXPECT_EQ(console_display.palette.colour[7], 12);

    // The first cell of row 0 under an ordered dither takes 0 four times.
    for (int32_t dither : {OPT_DITHER_BAYER2, OPT_DITHER_BAYER4, OPT_DITHER_BAYER8}) {
        display_set_option(dither);
        convert_canvas(uniform_canvas(200, 100, 50));
        EXPECT_EQ(cell_character(0, 0), 0x07) << dither;  // level 7
        EXPECT_EQ(cell_attribute(0, 0), 0xC4) << dither;
    }
}

TEST(Conversion, SingleSchemeCells)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_SINGLE);
    display_set_option(OPT_DITHER_NONE);
    const UniformCase cases[] = {
        {255, 255, 255, 0x2B, 0x0F},  // white on black, level 10
        {128, 128, 128, 0xF9, 0x07},  // level 5
        {255, 0, 0, 0x2B, 0x0C},      // value 4080 is above 2560: light red, level 10
        {0, 0, 0, 0x20, 0x08},
    };
    for (const UniformCase& c : cases) {
        convert_canvas(uniform_canvas(c.red, c.green, c.blue));
        EXPECT_EQ(cell_character(40, 25), c.character) << int(c.red) << "," << int(c.green);
        EXPECT_EQ(cell_attribute(40, 25), c.attribute) << int(c.red) << "," << int(c.green);
    }
    EXPECT_EQ(console_display.background, 0);
}

TEST(Conversion, SamplingAveragesTheBlockOrTakesItsLowerRightPixel)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_DITHER_NONE);
    // Cell (0, 0): three black pixels and one white one at (1, 1).
    std::vector<uint32_t> canvas = uniform_canvas(0, 0, 0);
    canvas[CANVAS_WIDTH + 1] = pack_rgb(255, 255, 255);
    display_set_option(OPT_SAMPLE_CENTRE);
    convert_canvas(canvas);
    EXPECT_EQ(cell_attribute(0, 0), 0xF7);  // white
    display_set_option(OPT_SAMPLE_AVERAGE);
    convert_canvas(canvas);
    EXPECT_NE(cell_attribute(0, 0), 0xF7);
    EXPECT_NE(cell_attribute(0, 0), 0x08);  // neither white nor black: a quarter grey
}

TEST(Conversion, TransparentCellKeepsItsContentAndDitherColumn)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    // Four pixels in one row, alpha in the top byte; the second is clear.
    SurfaceDesc* desc = surface_desc_create(32, 4, 1, 16, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(desc, nullptr);
    const uint32_t orange = pack_rgb(200, 100, 50);
    const uint32_t pixels[4] = {orange | 0xFF000000u, orange, orange | 0xFF000000u, orange | 0xFF000000u};

    // What the orange cell looks like with dither values 128 and 32.
    display_set_option(OPT_DITHER_NONE);
    cells_from_surface(0, 0, 0, 0, desc, pixels);
    const uint8_t at_128[2] = {cell_character(0, 0), cell_attribute(0, 0)};
    const uint32_t opaque_orange[1] = {orange | 0xFF000000u};
    SurfaceDesc* one = surface_desc_create(32, 1, 1, 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(one, nullptr);
    display_set_option(OPT_DITHER_BAYER4);
    cells_from_surface(2, 0, 2, 0, one, opaque_orange);  // row 0, first visited column: 0
    const uint8_t at_0[2] = {cell_character(2, 0), cell_attribute(2, 0)};
    ASSERT_TRUE(at_128[0] != at_0[0] || at_128[1] != at_0[1]) << "the dither positions must be told apart";

    console_display.characters[1] = 0x41;
    console_display.attributes[1] = 0x1E;
    cells_from_surface(0, 0, 3, 0, desc, pixels);
    EXPECT_EQ(cell_character(1, 0), 0x41);
    EXPECT_EQ(cell_attribute(1, 0), 0x1E);
    // Row 0 of the 4 x 4 matrix is 0 128 32 160: cell 2 takes 128, the value
    // the skipped cell would have used.
    EXPECT_EQ(cell_character(2, 0), at_128[0]);
    EXPECT_EQ(cell_attribute(2, 0), at_128[1]);
    std::free(desc);
    std::free(one);
}

// Regression: a colour equal to its far candidate made the level 0 / 0.
// Only surfaces with channels reaching 4095 produce it.
TEST(Conversion, ColourEqualToFarCandidateDoesNotDivideByZero)
{
    HeadlessDisplay display;
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_DITHER_NONE);
    // 12-bit red and green, 8-bit blue; 16 pixels average to (4095, 0, 1):
    // hue 4095, saturation 4095, value 4095, table point (31, 31, 15), far
    // candidate 7 (light magenta) at distance 0.
    SurfaceDesc* desc = surface_desc_create(32, 16, 1, 64, 0x00000FFF, 0x00FFF000, 0xFF000000, 0);
    ASSERT_NE(desc, nullptr);
    std::vector<uint32_t> pixels(16, 0x00000FFF);
    pixels[0] |= 0x01000000;
    cells_from_surface(0, 0, 0, 0, desc, pixels.data());
    EXPECT_EQ(cell_character(0, 0), 0x30);  // level 15: the far colour is exact
    EXPECT_EQ(cell_attribute(0, 0), 0xCD);
    std::free(desc);
}

TEST(Conversion, RectangleInEitherOrderConvertsTheSameCells)
{
    HeadlessDisplay display;
    const std::vector<uint32_t> canvas = random_canvas(7);
    for (int32_t dither : {OPT_DITHER_BAYER8, OPT_DITHER_RANDOM}) {
        display_set_option(dither);
        reset_conversion_state(99);
        cells_from_surface(0, 0, 79, 49, canvas_desc(), canvas.data());
        const ConversionResult forward = capture_conversion();
        reset_conversion_state(99);
        cells_from_surface(79, 49, 0, 0, canvas_desc(), canvas.data());
        EXPECT_TRUE(capture_conversion() == forward) << dither;
    }
}

TEST(Conversion, NothingHappensWithoutDitherSurfaceOrArrays)
{
    HeadlessDisplay display;
    const std::vector<uint32_t> canvas = uniform_canvas(255, 0, 0);
    reset_conversion_state(5);
    const ConversionResult before = capture_conversion();

    console_display.dither = DITHER_UNSET;  // as before the first opening
    convert_canvas(canvas);
    EXPECT_TRUE(capture_conversion() == before);
    display_set_option(OPT_DITHER_RANDOM);
    cells_from_surface(0, 0, 79, 49, nullptr, canvas.data());
    cells_from_surface(0, 0, 79, 49, canvas_desc(), nullptr);
    EXPECT_TRUE(capture_conversion() == before);

    // Rectangles wholly outside the grid store nothing and draw no numbers.
    cells_from_surface(80, 0, 200, 49, canvas_desc(), canvas.data());
    cells_from_surface(-30, -20, -1, -1, canvas_desc(), canvas.data());
    EXPECT_TRUE(capture_conversion() == before);

    // A partly visible rectangle stores only its visible part.
    cells_from_surface(-40, -25, 39, 24, canvas_desc(), canvas.data());
    EXPECT_EQ(cell_attribute(0, 0), 0xCE);
    EXPECT_EQ(cell_attribute(39, 24), 0xCE);
    EXPECT_EQ(cell_attribute(40, 24), 0x3C);
    EXPECT_EQ(cell_attribute(39, 25), 0x3C);
}

TEST(Conversion, StoresAfterClosingDoNothing)
{
    std::vector<uint32_t> canvas = uniform_canvas(255, 0, 0);
    SurfaceDesc* desc = nullptr;
    {
        HeadlessDisplay display;
        desc = surface_desc_create(32, 160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0);
    }
    // Closed: the kind is still the console's but the arrays are gone.
    ASSERT_EQ(console_display.characters, nullptr);
    cells_from_surface(0, 0, 79, 49, desc, canvas.data());
    cells_from_surface_generic(0, 0, 79, 49, desc, canvas.data());
    display_set_colours(1, 2);
    display_put_cell(0, 0, 'x');
    EXPECT_EQ(display_columns(), 0);
    std::free(desc);
}

TEST(CellStore, ColoursMustBothBeConsoleColours)
{
    HeadlessDisplay display;
    display_set_colours(14, 1);
    EXPECT_EQ(console_display.foreground, 14);
    EXPECT_EQ(console_display.background, 1);
    display_set_colours(16, 2);
    display_set_colours(3, -1);
    EXPECT_EQ(console_display.foreground, 14);
    EXPECT_EQ(console_display.background, 1);
    display_put_cell(79, 49, 'q');
    EXPECT_EQ(cell_character(79, 49), 'q');
    EXPECT_EQ(cell_attribute(79, 49), 0x1E);
    display_put_cell(80, 0, 'z');
    display_put_cell(0, 50, 'z');
    display_put_cell(-1, 0, 'z');
    EXPECT_EQ(cell_character(0, 1), 0);  // row 1 column 0 is where (80, 0) would land
}

}  // namespace
