// The pen: dot shapes by thickness and the fixed-point line walk with its quirks.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "canvas_fixture.h"

namespace {

struct Point {
    int32_t x;
    int32_t y;
    bool operator==(const Point&) const = default;
};

std::vector<Point> recorded;

void record_point(int32_t x, int32_t y, uint32_t)
{
    recorded.push_back({x, y});
}

// The points draw_line hands to the pen, in order.
std::vector<Point> line_points(int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    recorded.clear();
    PlotFunction saved = pen.plot;
    pen.plot = record_point;
    draw_line(x0, y0, x1, y1, 1);
    pen.plot = saved;
    return recorded;
}

// The whole walk, step by step, as the line is defined.
std::vector<Point> reference_walk(int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    int64_t dx = x1 - x0;
    int64_t dy = y1 - y0;
    int64_t n = std::max(std::abs(dx), std::abs(dy)) + 1;
    int64_t step_x = dx * 256 / n;
    int64_t step_y = dy * 256 / n;
    int64_t fx = x0 * 256;
    int64_t fy = y0 * 256;
    std::vector<Point> points;
    for (int64_t k = 0; k < n; ++k) {
        fx += step_x;
        fy += step_y;
        points.push_back({static_cast<int32_t>(fx >> 8), static_cast<int32_t>(fy >> 8)});
    }
    return points;
}

}  // namespace

TEST_F(CanvasTest, LineQuirksOfTheTruncatedSteps)
{
    std::vector<Point> right = line_points(0, 0, 10, 0);
    std::vector<Point> expected_right;
    for (int32_t x = 0; x <= 9; ++x) {
        expected_right.push_back({x, 0});
    }
    expected_right.push_back({9, 0});  // falls one short and repeats
    EXPECT_EQ(right, expected_right);

    std::vector<Point> left = line_points(10, 0, 0, 0);
    std::vector<Point> expected_left;
    for (int32_t x = 9; x >= 0; --x) {
        expected_left.push_back({x, 0});  // starts one before (10, 0)
    }
    expected_left.push_back({0, 0});
    EXPECT_EQ(left, expected_left);

    // 255 steps across divide evenly and end exactly on the end point; 254 do
    // not and end one short (shifted left so every point is on the canvas).
    EXPECT_EQ(line_points(-96, 0, 159, 0).back(), (Point{159, 0}));
    EXPECT_EQ(line_points(-95, 0, 159, 0).back(), (Point{158, 0}));
    EXPECT_EQ(line_points(5, 5, 8, 6), (std::vector<Point>{{5, 5}, {6, 5}, {7, 5}, {8, 6}}));
    EXPECT_EQ(line_points(7, 3, 7, 3), (std::vector<Point>{{7, 3}}));
}

TEST_F(CanvasTest, LinesOffTheCanvasDrawWhatTheFullWalkDraws)
{
    // Only the steps that can reach the canvas are walked; the canvas must
    // not tell the difference, for thin and thick pens.
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int32_t> coordinate(-400, 500);
    Framebuffer expected;
    for (int32_t thickness : {0, 9}) {
        set_pen_thickness(thickness);
        for (int32_t i = 0; i < 300; ++i) {
            int32_t x0 = coordinate(generator);
            int32_t y0 = coordinate(generator);
            int32_t x1 = coordinate(generator);
            int32_t y1 = coordinate(generator);
            clear_canvas(0);
            for (const Point& p : reference_walk(x0, y0, x1, y1)) {
                pen.plot(p.x, p.y, 0xFFFFFF);
            }
            expected = canvas_;
            clear_canvas(0);
            draw_line(x0, y0, x1, y1, 0xFFFFFF);
            ASSERT_EQ(std::memcmp(&expected, &canvas_, sizeof expected), 0)
                << "thickness " << thickness << " line " << x0 << "," << y0 << " - " << x1 << "," << y1;
        }
    }
}

TEST_F(CanvasTest, HugeLinesAndPensFinishAndClip)
{
    clear_canvas(0);
    draw_line(-2000000000, 50, 2000000000, 50, 5);  // would be four billion steps walked whole
    EXPECT_EQ(count_pixels(5), 160);
    set_pen_thickness(INT32_MAX);
    plot_disc(80, 50, 6);
    EXPECT_EQ(count_pixels(6), CANVAS_PIXELS);
}

TEST_F(CanvasTest, PenDotShapesByThickness)
{
    const int32_t dot_pixels[][2] = {{0, 0}, {1, 0},  {2, 1},  {3, 1},  {4, 9},
                                     {5, 9}, {6, 25}, {7, 25}, {8, 45}, {9, 45}};
    for (const auto& t : dot_pixels) {
        clear_canvas(0);
        set_pen_thickness(t[0]);
        plot_disc(80, 50, 3);
        EXPECT_EQ(count_pixels(3), t[1]) << "thickness " << t[0];
    }
    // Thickness 8: a 7 x 7 square around the centre without its corners.
    EXPECT_EQ(pixel(77, 47), 0u);
    EXPECT_EQ(pixel(78, 47), 3u);
    EXPECT_EQ(pixel(83, 53), 0u);
    EXPECT_EQ(pixel(83, 52), 3u);
    EXPECT_EQ(pixel(84, 50), 0u);
}

TEST_F(CanvasTest, PenThicknessChoosesHowLinesArePlotted)
{
    set_pen_thickness(5);
    EXPECT_EQ(pen.plot, plot_disc);
    clear_canvas(0);
    draw_line(10, 10, 20, 10, 1);
    // Points x = 10..19 with 19 repeated, each a 3 x 3 block: columns 9..20, rows 9..11.
    EXPECT_EQ(count_pixels(1), 12 * 3);
    EXPECT_EQ(pixel(9, 9), 1u);
    EXPECT_EQ(pixel(20, 11), 1u);

    set_pen_thickness(1);
    EXPECT_EQ(pen.plot, plot_pixel);
    clear_canvas(0);
    draw_line(10, 10, 20, 10, 1);
    EXPECT_EQ(count_pixels(1), 10);
}

TEST_F(CanvasTest, LineColourComponentsComeBlueFirst)
{
    clear_canvas(0);
    // A colour written 0xRRGGBB = 0x112233 is passed as (value, value >> 8, value >> 16).
    int32_t value = 0x112233;
    draw_line_bgr(0, 0, 0, 0, value, value >> 8, value >> 16);
    EXPECT_EQ(pixel(0, 0), 0x332211u);  // red 0x11 in byte 0
    draw_line_bgr(1, 1, 1, 1, 0x1FF, -1, 0x180);
    EXPECT_EQ(pixel(1, 1), 0xFFFF80u);
}
