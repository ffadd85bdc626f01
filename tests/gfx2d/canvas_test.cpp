// Canvas primitives: clipping of plots, rectangles and blits, the blit's blend, the colour combinations.
#include <gtest/gtest.h>

#include "canvas_fixture.h"

TEST_F(CanvasTest, PlotClipsEveryCoordinateOffTheCanvas)
{
    clear_canvas(0);
    const int32_t outside[][2] = {{160, 0},       {0, 100},        {-1, 5},        {5, -1},        {65536 + 5, 5},
                                  {5, 65536 + 5}, {-65536 + 5, 5}, {INT32_MIN, 0}, {INT32_MAX, 99}};
    for (const auto& p : outside) {
        plot_pixel(p[0], p[1], 0xFFFFFF);
    }
    EXPECT_EQ(count_pixels(0xFFFFFF), 0);
    plot_pixel(159, 99, 0x123456);
    EXPECT_EQ(pixel(159, 99), 0x123456u);
    EXPECT_EQ(count_pixels(0x123456), 1);
}

TEST_F(CanvasTest, ClearWritesAllFourBytesAndTakesLowBytesOfComponents)
{
    clear_canvas(0xAB123456u);
    EXPECT_EQ(count_pixels(0xAB123456u), CANVAS_PIXELS);
    clear_canvas_rgb(0x101, 0x202, -1);
    EXPECT_EQ(count_pixels(0x00FF0201u), CANVAS_PIXELS);
}

TEST_F(CanvasTest, FillRectIsHalfOpenWhicheverCornerComesFirst)
{
    for (const auto& corners : {std::array<int32_t, 4>{10, 20, 5, 30}, std::array<int32_t, 4>{5, 30, 10, 20}}) {
        clear_canvas(0);
        fill_rect(corners[0], corners[1], corners[2], corners[3], 7);
        EXPECT_EQ(count_pixels(7), 5 * 10);
        EXPECT_EQ(pixel(5, 20), 7u);
        EXPECT_EQ(pixel(9, 29), 7u);
        EXPECT_EQ(pixel(10, 29), 0u);
        EXPECT_EQ(pixel(9, 30), 0u);
    }
    clear_canvas(0);
    fill_rect(3, 3, 3, 50, 7);
    EXPECT_EQ(count_pixels(7), 0);
    fill_rect(-1000, -1000, 1000, 1000, 9);
    EXPECT_EQ(count_pixels(9), CANVAS_PIXELS);
    fill_rect(150, 95, INT32_MAX, INT32_MAX, 4);
    EXPECT_EQ(count_pixels(4), 10 * 5);
}

TEST_F(CanvasTest, BlitClipsToTheCanvasAndKeepsByteThree)
{
    Image image = solid_image(10, 10, 0xFF808080u);
    clear_canvas(0x5A000000u);
    blit_image(image, -5, -5);
    EXPECT_EQ(count_pixels(0x5A7F7F7Fu), 25);  // opaque 128 lands one step darker: (128 * 255) >> 8
    EXPECT_EQ(pixel(4, 4), 0x5A7F7F7Fu);
    EXPECT_EQ(pixel(5, 5), 0x5A000000u);

    clear_canvas(0);
    blit_image(image, 160, 0);
    blit_image(image, 0, 100);
    blit_image(image, -10, 0);
    blit_image(image, INT32_MIN, INT32_MIN);
    blit_image(image, INT32_MAX, 0);
    EXPECT_EQ(count_pixels(0), CANVAS_PIXELS);

    blit_image(image, 155, 97);
    EXPECT_EQ(count_pixels(0x7F7F7Fu), 5 * 3);
    free_image(&image);
    blit_image(image, 0, 0);  // an emptied image draws nothing
    EXPECT_EQ(count_pixels(0x7F7F7Fu), 5 * 3);
}

TEST_F(CanvasTest, BlitBlendShiftsByEight)
{
    // Per channel: (source * a + destination * (255 - a)) >> 8.
    Image image = solid_image(1, 1, 0);
    struct Case {
        uint32_t source;
        uint32_t destination;
        uint32_t expected;
    } cases[] = {
        {0xFFFF01FEu, 0x00123456u, 0x00FE00FDu},  // opaque: 255 -> 254, 1 -> 0
        {0x00FFFFFFu, 0x00FF01FFu, 0x00FE00FEu},  // transparent still darkens the destination
        {0x80FF0000u, 0x000000FFu, 0x007F007Eu},  // half: (255 * 128) >> 8 = 127, (255 * 127) >> 8 = 126
    };
    for (const Case& c : cases) {
        image.pixels[0] = c.source;
        clear_canvas(c.destination);
        blit_image(image, 0, 0);
        EXPECT_EQ(pixel(0, 0), c.expected) << std::hex << c.source << " over " << c.destination;
    }
    free_image(&image);
}

TEST(Colour, AverageAndSaturatingSum)
{
    EXPECT_EQ(colour_average(0x00FFFFFFu, 0), 0x007F7F7Fu);
    EXPECT_EQ(colour_average(0xFFFFFFFFu, 0xFFFFFFFFu), 0xFEFEFEFEu);  // no carry between bytes
    EXPECT_EQ(colour_average(0x01010101u, 0x01010101u), 0u);           // each half is truncated

    EXPECT_EQ(colour_add_saturate(0xFF, 0xFF), 0xFFu);  // pure red with pure red: no spill into green
    EXPECT_EQ(colour_add_saturate(0x00804020u, 0x00804020u), 0x00FF8040u);
    EXPECT_EQ(colour_add_saturate(0x007F7F7Fu, 0x00010101u), 0x007E7E7Eu);  // 63 + 0, doubled
    EXPECT_EQ(colour_add_saturate(0x00FFFF00u, 0x00020200u), 0x00FFFF00u);  // 127 + 1 saturates
    EXPECT_EQ(colour_add_saturate(0x00FFFF00u, 0x00010100u), 0x00FEFE00u);  // 127 + 0 does not
    EXPECT_EQ(colour_add_saturate(0xFF000000u, 0xFF000000u), 0xFC000000u);  // byte 3 wraps: 2 * 254 mod 256
    EXPECT_EQ(colour_add_saturate(0x80000000u, 0x80000000u), 0x00000000u);
}
