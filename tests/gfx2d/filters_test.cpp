// Full-screen filters: window edges, running sums against direct sums, noise, levels and depth shading.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/random.h"
#include "gfx2d/filters.h"

namespace {

uint8_t channel(const Framebuffer& canvas, int32_t x, int32_t y, int32_t c)
{
    return static_cast<uint8_t>(canvas.pixels[y * CANVAS_WIDTH + x] >> (8 * c));
}

void fill(Framebuffer* canvas, uint32_t colour)
{
    for (uint32_t& p : canvas->pixels) {
        p = colour;
    }
}

void random_picture(Framebuffer* canvas, uint32_t seed)
{
    std::mt19937 generator(seed);
    for (uint32_t& p : canvas->pixels) {
        p = generator();
    }
}

// The blur as first described: for each output, the direct sum over its window
// cut to the rectangle, one pass along rows, then one along columns.
template <typename T, typename Get, typename Set>
void direct_blur(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t r, Get get, Set set)
{
    std::vector<T> line;
    for (int32_t pass = 0; pass < 2; ++pass) {
        int32_t outer_first = pass == 0 ? y0 : x0;
        int32_t outer_end = pass == 0 ? y1 : x1;
        int32_t first = pass == 0 ? x0 : y0;
        int32_t end = pass == 0 ? x1 : y1;
        for (int32_t o = outer_first; o < outer_end; ++o) {
            line.assign(end - first, 0);
            for (int32_t i = first; i < end; ++i) {
                int64_t sum = 0;
                int64_t count = 0;
                for (int32_t k = std::max(i - r, first); k <= std::min(i + r, end - 1); ++k) {
                    sum += pass == 0 ? get(k, o) : get(o, k);
                    ++count;
                }
                line[i - first] = static_cast<T>(sum / count);
            }
            for (int32_t i = first; i < end; ++i) {
                pass == 0 ? set(i, o, line[i - first]) : set(o, i, line[i - first]);
            }
        }
    }
}

}  // namespace

TEST(BoxBlur, WindowStopsAtTheRectangleEdges)
{
    static Framebuffer canvas;
    for (uint32_t colour : {0x11406080u, 0xFFFFFFFFu}) {
        for (int32_t r : {5, 100}) {
            fill(&canvas, colour);
            box_blur(&canvas, 10, 10, 160, 50, r);
            for (uint32_t p : canvas.pixels) {
                ASSERT_EQ(p, colour) << "a uniform rectangle stays as it is, radius " << r;
            }
        }
    }

    // Left half black, right half white: blurring the left half alone must
    // not pull any white in.
    for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int32_t x = 0; x < CANVAS_WIDTH; ++x) {
            canvas.pixels[y * CANVAS_WIDTH + x] = x < 80 ? 0u : 0xFFFFFFu;
        }
    }
    box_blur(&canvas, 0, 0, 80, 100, 16);
    EXPECT_EQ(channel(canvas, 79, 50, 0), 0);
    EXPECT_EQ(channel(canvas, 80, 50, 0), 255);
}

TEST(BoxBlur, SinglePixelSpreadsByTruncatedThirds)
{
    static Framebuffer canvas;
    fill(&canvas, 0xAA000000u);
    canvas.pixels[50 * CANVAS_WIDTH + 80] = 0xAA0000FFu;
    box_blur(&canvas, 0, 0, 160, 100, 1);
    for (int32_t y = 48; y <= 52; ++y) {
        for (int32_t x = 78; x <= 82; ++x) {
            bool inside = std::abs(x - 80) <= 1 && std::abs(y - 50) <= 1;
            // 255 / 3 = 85 after the rows, 85 / 3 = 28 after the columns.
            EXPECT_EQ(canvas.pixels[y * CANVAS_WIDTH + x], inside ? 0xAA00001Cu : 0xAA000000u) << x << "," << y;
        }
    }

    Framebuffer before = canvas;
    box_blur(&canvas, 0, 0, 160, 100, 256);  // only the low byte counts: radius 0
    box_blur(&canvas, 0, 0, 160, 100, 0);
    box_blur(&canvas, 90, 0, 80, 100, 3);  // empty rectangle
    EXPECT_EQ(std::memcmp(&before, &canvas, sizeof canvas), 0);
}

TEST(BoxBlur, RunningSumsEqualDirectSumsForAnyRadius)
{
    static Framebuffer canvas;
    static Framebuffer expected;
    const int32_t rects[][4] = {{0, 0, 160, 100}, {-20, 7, 33, 300}, {150, 90, 400, 120}, {3, 4, 4, 90}};
    const int32_t radii[] = {1, 2, 4, 16, 63, 64, 100, 255};
    uint32_t seed = 1;
    for (const auto& rc : rects) {
        for (int32_t r : radii) {
            random_picture(&canvas, seed++);
            expected = canvas;
            int32_t x0 = std::max(rc[0], 0);
            int32_t y0 = std::max(rc[1], 0);
            int32_t x1 = std::min(rc[2], CANVAS_WIDTH);
            int32_t y1 = std::min(rc[3], CANVAS_HEIGHT);
            for (int32_t c = 0; c < 3; ++c) {
                auto get = [&](int32_t x, int32_t y) {
                    return (expected.pixels[y * CANVAS_WIDTH + x] >> (8 * c)) & 0xFF;
                };
                auto set = [&](int32_t x, int32_t y, uint32_t v) {
                    uint32_t& p = expected.pixels[y * CANVAS_WIDTH + x];
                    p = (p & ~(0xFFu << (8 * c))) | (v << (8 * c));
                };
                direct_blur<uint32_t>(x0, y0, x1, y1, r, get, set);
            }
            box_blur(&canvas, rc[0], rc[1], rc[2], rc[3], r);
            ASSERT_EQ(std::memcmp(&expected, &canvas, sizeof canvas), 0) << "radius " << r << " rect " << rc[0];
        }
    }
}

TEST(BlurValues, SignedSumsTruncateTowardZero)
{
    static int32_t values[CANVAS_PIXELS];
    static int32_t expected[CANVAS_PIXELS];
    std::mt19937 generator(7);
    std::uniform_int_distribution<int32_t> value(-2000000000, 2000000000);
    for (int32_t r : {1, 5, 16, 255}) {
        for (int32_t& v : values) {
            v = value(generator);
        }
        std::memcpy(expected, values, sizeof values);
        auto get = [&](int32_t x, int32_t y) { return expected[y * CANVAS_WIDTH + x]; };
        auto set = [&](int32_t x, int32_t y, int32_t v) { expected[y * CANVAS_WIDTH + x] = v; };
        direct_blur<int32_t>(0, 0, 159, 99, r, get, set);
        blur_values(values, 0, 0, 159, 99, r);
        ASSERT_EQ(std::memcmp(expected, values, sizeof values), 0) << "radius " << r;
        EXPECT_EQ(values[99 * CANVAS_WIDTH + 5], expected[99 * CANVAS_WIDTH + 5]);
    }

    // -1 among zeros: -1 / 3 is 0 toward zero (a floor would give -1).
    std::memset(values, 0, sizeof values);
    values[10 * CANVAS_WIDTH + 10] = -1;
    values[10 * CANVAS_WIDTH + 40] = -2;
    blur_values(values, 0, 0, 160, 100, 1);
    EXPECT_EQ(values[10 * CANVAS_WIDTH + 10], 0);
    EXPECT_EQ(values[10 * CANVAS_WIDTH + 40], 0);
    values[0] = -9;
    blur_values(values, 0, 0, 160, 100, 1);
    EXPECT_EQ(values[0], -2);  // -9 / 2 = -4 in the corner row, then -4 / 2 = -2
}

TEST(AddNoise, GreyOffsetsFromTheSharedSequenceInRowMajorOrder)
{
    static Framebuffer canvas;
    fill(&canvas, 0x77808080u);
    random_seed(99);
    add_noise(&canvas, 0, 0, 160, 100, 0x101);  // low byte 1: offset always 0
    add_noise(&canvas, 0, 0, 160, 100, 0);
    add_noise(&canvas, 0, 0, 160, 100, 256);
    for (uint32_t p : canvas.pixels) {
        ASSERT_EQ(p, 0x77808080u);
    }
    RandomState after_one_pass = random_state;
    random_seed(99);
    for (int32_t i = 0; i < CANVAS_PIXELS; ++i) {
        random_next();
    }
    EXPECT_EQ(after_one_pass.state, random_state.state) << "one number per pixel, none for amplitude 0";

    // Amplitude 4: offsets -2 .. 1, the same in all three channels, clamped.
    canvas.pixels[0] = 0x00FF8000u;
    random_seed(5);
    add_noise(&canvas, -3, -3, 2, 1, 4);  // pixels (0, 0) and (1, 0)
    random_seed(5);
    int32_t n0 = random_next() % 4 - 2;
    int32_t n1 = random_next() % 4 - 2;
    uint32_t expected0 = static_cast<uint32_t>(std::clamp(n0, 0, 255)) | static_cast<uint32_t>(0x80 + n0) << 8 |
                         static_cast<uint32_t>(std::clamp(0xFF + n0, 0, 255)) << 16;
    EXPECT_EQ(canvas.pixels[0], expected0);
    uint32_t g1 = static_cast<uint32_t>(0x80 + n1);
    EXPECT_EQ(canvas.pixels[1], 0x77000000u | g1 | g1 << 8 | g1 << 16);
    EXPECT_EQ(canvas.pixels[2], 0x77808080u);
    EXPECT_EQ(canvas.pixels[CANVAS_WIDTH], 0x77808080u);
}

TEST(ApplyLevels, ScaleFirstThenOffset)
{
    static Framebuffer canvas;
    auto mapped = [&](int32_t low, int32_t high, uint32_t value) {
        fill(&canvas, 0x5A000000u | value | value << 8 | value << 16);
        apply_levels(&canvas, -20, -20, 300, 300, low, high);
        EXPECT_EQ(canvas.pixels[0] >> 24, 0x5Au);
        EXPECT_EQ(canvas.pixels[CANVAS_PIXELS - 1], canvas.pixels[0]) << "the whole canvas is processed";
        return canvas.pixels[0] & 0xFF;
    };
    for (uint32_t c : {0u, 1u, 127u, 255u}) {
        EXPECT_EQ(mapped(0, 256, c), c);
    }
    // The flash's first frame: everything near white.
    EXPECT_EQ(mapped(-64, -1, 0), 64u);
    EXPECT_EQ(mapped(-64, -1, 47), 254u);
    EXPECT_EQ(mapped(-64, -1, 48), 255u);
    // The distortion band: 56 and below black, 176 and above white.
    EXPECT_EQ(mapped(120, 240, 56), 0u);
    EXPECT_EQ(mapped(120, 240, 57), 1u);
    EXPECT_EQ(mapped(120, 240, 175), 253u);
    EXPECT_EQ(mapped(120, 240, 176), 255u);
    // A fade: low a, high a + 255 darkens by about a.
    EXPECT_EQ(mapped(100, 355, 200), 100u);
    // high equal to low would divide by zero: nothing changes.
    EXPECT_EQ(mapped(40, 40, 77), 77u);
    EXPECT_EQ(mapped(40, 40 + 65536, 77), 77u);
    // The result is taken as 16 bits before clamping: 255 * 256 + 32768 wraps to 32512.
    EXPECT_EQ(mapped(-32768, -32767, 255), 255u);
}

TEST(ApplyLevels, CornersAreSixteenBitValues)
{
    static Framebuffer canvas;
    fill(&canvas, 0);
    apply_levels(&canvas, 0, 0, 65536 + 10, 1, -64, -1);  // x1 is 10 as a 16-bit value
    EXPECT_EQ(canvas.pixels[9], 0x404040u);
    EXPECT_EQ(canvas.pixels[10], 0u);
}

TEST(DepthShade, OnlyDrawnPixelsDarkenByTheirDepthContrast)
{
    static Framebuffer canvas;
    static int32_t depth[CANVAS_PIXELS];
    const int32_t empty = 0x7FFFFFFF;

    fill(&canvas, 0x99C8C8C8u);
    std::fill(std::begin(depth), std::end(depth), empty);
    depth_shade(&canvas, depth, empty, 0, 16.0f, 128.0f);
    for (uint32_t p : canvas.pixels) {
        ASSERT_EQ(p, 0x99C8C8C8u) << "nothing drawn, nothing shaded";
    }

    // A flat surface everywhere: 87.5 % of each channel, truncated (200 -> 175, 7 -> 6).
    fill(&canvas, 0x99C807C8u);
    std::fill(std::begin(depth), std::end(depth), 40000 << 7);
    depth_shade(&canvas, depth, empty, 0, 8.0f, 256.0f);
    for (uint32_t p : canvas.pixels) {
        ASSERT_EQ(p, 0x99AF06AFu);
    }

    // A flat square on empty background: its middle keeps 87.5 %, its rim is
    // lifted by the empty depth around it and stays brighter; a pit in it is
    // darker than the flat part.
    fill(&canvas, 0xC8C8C8u);
    std::fill(std::begin(depth), std::end(depth), empty);
    for (int32_t y = 20; y < 80; ++y) {
        for (int32_t x = 40; x < 120; ++x) {
            depth[y * CANVAS_WIDTH + x] = 1 << 20;
        }
    }
    depth[50 * CANVAS_WIDTH + 60] = 1 << 24;
    depth_shade(&canvas, depth, empty, 0, 8.0f, 256.0f);
    EXPECT_EQ(canvas.pixels[35 * CANVAS_WIDTH + 90] & 0xFF, 175u);
    EXPECT_EQ(canvas.pixels[20 * CANVAS_WIDTH + 40] & 0xFF, 200u);
    EXPECT_LT(canvas.pixels[50 * CANVAS_WIDTH + 60] & 0xFF, 175u);
    EXPECT_EQ(canvas.pixels[10 * CANVAS_WIDTH + 10], 0xC8C8C8u);

    // empty equal to near would divide by zero: nothing changes.
    fill(&canvas, 0xC8C8C8u);
    depth_shade(&canvas, depth, 5, 5, 8.0f, 256.0f);
    EXPECT_EQ(canvas.pixels[35 * CANVAS_WIDTH + 90], 0xC8C8C8u);
}
