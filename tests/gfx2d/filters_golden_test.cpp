// The filters on a fixed test picture, checked against approved pictures in tests/golden.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "core/random.h"
#include "gfx2d/filters.h"
#include "support/golden.h"

namespace {

// Gradients, a checker, hard-edged blocks and thick lines: enough structure
// that a changed filter shows.
void draw_test_picture()
{
    uint32_t* pixels = get_canvas()->pixels;
    for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int32_t x = 0; x < CANVAS_WIDTH; ++x) {
            uint32_t red = static_cast<uint32_t>(x * 255 / 159);
            uint32_t green = static_cast<uint32_t>(y * 255 / 99);
            uint32_t blue = ((x / 10 + y / 10) & 1) ? 200u : 40u;
            pixels[y * CANVAS_WIDTH + x] = red | green << 8 | blue << 16;
        }
    }
    fill_rect(20, 20, 50, 45, 0xFFFFFF);
    fill_rect(110, 55, 140, 85, 0x000000);
    set_pen_thickness(3);
    draw_line(0, 99, 159, 0, 0x00FFFF);
    set_pen_thickness(9);
    draw_line(30, 80, 90, 60, 0xFF00FF);
    set_pen_thickness(0);
}

}  // namespace

TEST_F(CanvasTest, GoldenBoxBlurRadii)
{
    draw_test_picture();
    box_blur(&canvas_, 0, 0, 53, 100, 1);
    box_blur(&canvas_, 53, 0, 106, 100, 4);
    box_blur(&canvas_, 106, 0, 160, 100, 16);
    EXPECT_TRUE(matches_golden("filters_box_blur", canvas_));
}

TEST_F(CanvasTest, GoldenNoiseAndLevels)
{
    draw_test_picture();
    random_seed(1234);
    add_noise(&canvas_, 0, 50, 160, 100, 64);
    apply_levels(&canvas_, 0, 0, 80, 50, -64, -1);
    apply_levels(&canvas_, 80, 0, 160, 50, 120, 240);
    EXPECT_TRUE(matches_golden("filters_noise_levels", canvas_));
}

TEST_F(CanvasTest, GoldenDistortionBand)
{
    // The band as the demo lays it over two thirds of the picture.
    draw_test_picture();
    random_seed(42);
    add_noise(&canvas_, 54, 0, 160, 100, 240);
    box_blur(&canvas_, 54, 0, 160, 100, 3);
    apply_levels(&canvas_, 54, 0, 160, 100, 120, 240);
    EXPECT_TRUE(matches_golden("filters_distortion_band", canvas_));
}

TEST_F(CanvasTest, GoldenDepthShade)
{
    // A ball in front of a tilted floor, with a groove cut across the ball;
    // the top rows stay empty (background).
    static int32_t depth[CANVAS_PIXELS];
    draw_test_picture();
    for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int32_t x = 0; x < CANVAS_WIDTH; ++x) {
            int32_t dx = x - 80;
            int32_t dy = y - 50;
            int32_t d2 = dx * dx + dy * dy;
            int32_t value = y < 15 ? 0x7FFFFFFF : 60000000 - y * 200000;
            if (d2 < 35 * 35) {
                value = 20000000 + d2 * 8000;
                if (std::abs(x - y - 30) < 3) {
                    value += 6000000;
                }
            }
            depth[y * CANVAS_WIDTH + x] = value;
        }
    }
    depth_shade(&canvas_, depth, 0x7FFFFFFF, 0, 8.0f, 256.0f);
    EXPECT_TRUE(matches_golden("filters_depth_shade", canvas_));
}
