// Face rejection, row coverage, clipping of runs, texel addressing, span modes, seams and particles.
#include <gtest/gtest.h>

#include <vector>

#include "render3d/depth_buffer.h"
#include "render3d/rasterizer.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"
#include "support/model_builder.h"

namespace {

constexpr int32_t NEAR_DEPTH = 0x3E000000;
constexpr int32_t FULL = 32768;  // one texture repeat

std::vector<SpanParams> captured;

void capture_span(const SpanParams& span)
{
    captured.push_back(span);
}

uint32_t white_texel(int32_t, int32_t)
{
    return 0xFFFFFFFFu;
}

uint32_t two_texel(int32_t, int32_t)
{
    return 0x00020202u;  // adds 1 per draw in additive mode
}

uint32_t column_texel(int32_t x, int32_t)
{
    return static_cast<uint32_t>(x);
}

class Rasterizer : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas_ = {};
        clear_depth_buffer();
        span_function = span_opaque;
        captured.clear();
        install_texture(0, 1, 1, white_texel);
    }
    void TearDown() override
    {
        free_model(&model_);
        texture_pool_clear();
        span_function = span_opaque;
    }

    void draw(std::initializer_list<ScreenPoint> points, std::initializer_list<std::array<int32_t, 3>> faces)
    {
        std::vector<ScreenPoint> p(points);
        std::vector<int32_t[3]> f(faces.size());
        size_t i = 0;
        for (const auto& face : faces) {
            f[i][0] = face[0];
            f[i][1] = face[1];
            f[i][2] = face[2];
            i++;
        }
        build_screen_model(&model_, p.data(), static_cast<int32_t>(p.size()), f.data(), static_cast<int32_t>(f.size()),
                           0);
        draw_model(&model_, &canvas_);
    }

    std::vector<int32_t> drawn_rows() const
    {
        std::vector<int32_t> rows;
        for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
            for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
                if (canvas_.pixels[y * CANVAS_WIDTH + x] != 0) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    uint32_t pixel(int32_t x, int32_t y) const { return canvas_.pixels[y * CANVAS_WIDTH + x]; }

    Framebuffer canvas_;
    Model model_ = {};
};

std::vector<int32_t> range(int32_t first, int32_t last)
{
    std::vector<int32_t> rows;
    for (int32_t y = first; y <= last; y++) {
        rows.push_back(y);
    }
    return rows;
}

}  // namespace

// Rows 10 to 30 are walked, but the sides lag a row: rows 10 and 11 both
// use the top vertex's x on both sides, so the first pixels land on row 12.
TEST_F(Rasterizer, ListedTriangleWalksRowsTenToThirtyAndDrawsFromTwelve)
{
    span_function = capture_span;
    draw({{20, 10.5f, NEAR_DEPTH, 0, 0}, {60, 20.0f, NEAR_DEPTH, 0, 0}, {30, 30.2f, NEAR_DEPTH, 0, 0}}, {{0, 1, 2}});
    ASSERT_FALSE(captured.empty());
    const int32_t first = static_cast<int32_t>((captured.front().dest - canvas_.pixels) / CANVAS_WIDTH);
    const int32_t last = static_cast<int32_t>((captured.back().dest - canvas_.pixels) / CANVAS_WIDTH);
    EXPECT_EQ(first, 12);
    EXPECT_EQ(last, 30);
    span_function = span_opaque;
    draw({{20, 10.5f, NEAR_DEPTH, 0, 0}, {60, 20.0f, NEAR_DEPTH, 0, 0}, {30, 30.2f, NEAR_DEPTH, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(drawn_rows(), range(12, 30));
}

TEST_F(Rasterizer, TrianglesThatDrawNothing)
{
    struct Case {
        const char* why;
        ScreenPoint a, b, c;
        int32_t behind;  // set on vertex a
    };
    // clang-format off
    const Case cases[] = {
        {"within one pixel row",  {10, 20.1f, NEAR_DEPTH, 0, 0}, {50, 20.9f, NEAR_DEPTH, 0, 0}, {30, 20.5f, NEAR_DEPTH, 0, 0}, 0},
        {"counter-clockwise",     {20, 10, NEAR_DEPTH, 0, 0},    {30, 30, NEAR_DEPTH, 0, 0},    {60, 20, NEAR_DEPTH, 0, 0},    0},
        {"one vertex behind",     {20, 10, NEAR_DEPTH, 0, 0},    {60, 20, NEAR_DEPTH, 0, 0},    {30, 30, NEAR_DEPTH, 0, 0},    -1},
        {"left of the canvas",    {-20, 10, NEAR_DEPTH, 0, 0},   {-1, 20, NEAR_DEPTH, 0, 0},    {-30, 30, NEAR_DEPTH, 0, 0},   0},
        {"below the canvas",      {20, 100, NEAR_DEPTH, 0, 0},   {60, 120, NEAR_DEPTH, 0, 0},   {30, 130, NEAR_DEPTH, 0, 0},   0},
        {"nearer than near",      {20, 10, 1000, 0, 0},          {60, 20, 1000, 0, 0},          {30, 30, 1000, 0, 0},          0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        canvas_ = {};
        const ScreenPoint points[] = {c.a, c.b, c.c};
        const int32_t faces[][3] = {{0, 1, 2}};
        build_screen_model(&model_, points, 3, faces, 1, 0);
        model_.vertices[0].behind = c.behind;
        draw_model(&model_, &canvas_);
        EXPECT_TRUE(drawn_rows().empty());
    }
}

TEST_F(Rasterizer, FacesOutsideOnePlaneAreMarkedInvisible)
{
    draw({{20, 10, NEAR_DEPTH, 0, 0}, {60, 20, NEAR_DEPTH, 0, 0}, {30, 30, NEAR_DEPTH, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(model_.faces[0].visible, -1);
    for (int32_t i = 0; i < 3; i++) {
        model_.vertices[i].outcode = 2 | (1 << (2 + i));  // all share the right-hand bit
    }
    draw_model(&model_, &canvas_);
    EXPECT_EQ(model_.faces[0].visible, 0);
}

// A left side at x = -3.5 starts the run at column 0 with u and depth moved
// on by four pixels (skip = -floor(-3.5)); a right side at exactly 100.0
// ends it at column 99.
TEST_F(Rasterizer, RunsAreClippedOnTheLeftAndEndBeforeTheRightSide)
{
    install_texture(0, 64, 1, column_texel);
    span_function = capture_span;
    draw({{-3.5f, 0, NEAR_DEPTH, 0, 0}, {100.0f, 50, NEAR_DEPTH, FULL, 0}, {-3.5f, 99, NEAR_DEPTH, 0, 0}}, {{0, 1, 2}});
    ASSERT_GT(captured.size(), 20u);
    const SpanParams& row = captured[20];
    // Rows 0 and 1 lag at the top vertex, rows 2 and 3 end before column 1.
    EXPECT_EQ(row.dest - canvas_.pixels, 24 * CANVAS_WIDTH);
    EXPECT_EQ(row.u, fixed_scale(row.du, 4));
    EXPECT_EQ(row.u_mask, 63);

    captured.clear();
    draw({{100.0f, 0, NEAR_DEPTH, 0, 0}, {100.0f, 99, NEAR_DEPTH, 0, 0}, {10, 50, NEAR_DEPTH, 0, 0}}, {{0, 1, 2}});
    ASSERT_GT(captured.size(), 20u);
    const SpanParams& right = captured[20];
    EXPECT_EQ((right.dest - canvas_.pixels) % CANVAS_WIDTH + right.count, 100);
}

TEST_F(Rasterizer, NegativeTexelCoordinateWrapsToTheLastColumn)
{
    install_texture(0, 4, 4, column_texel);
    const Image& texture = texture_pool.slots[0];
    uint32_t dest[2] = {99, 99};
    int32_t depths[2] = {DEPTH_FAR_AWAY, DEPTH_FAR_AWAY};
    SpanParams span = {2, -1, 0, FIXED_ONE, 0, NEAR_DEPTH, 0, 4, 4, 3, 3, 2, texture.pixels, dest, depths};
    span_opaque(span);
    EXPECT_EQ(dest[0], 3u);  // u = -1/4096 is column u_mask
    EXPECT_EQ(dest[1], 0u);  // one texel on, it wraps to column 0
    EXPECT_EQ(depths[0], NEAR_DEPTH);
}

TEST(Spans, CombineColourKeyAndDepthTest)
{
    struct Case {
        const char* mode;
        SpanFunction function;
        uint32_t texel;
        uint32_t canvas;
        int32_t depth_there;
        uint32_t expected;
        bool depth_written;
    };
    // clang-format off
    const Case cases[] = {
        {"opaque copies all bytes",  span_opaque,   0x11223344u, 0xAA000000u, DEPTH_FAR_AWAY, 0x11223344u, true},
        {"additive saturates",       span_additive, 0x00FF40FFu, 0x7FC810C8u, DEPTH_FAR_AWAY, 0x7FFF30FFu, true},
        {"multiply",                 span_multiply, 0x00808080u, 0x7FC8C8C8u, DEPTH_FAR_AWAY, 0x7F646464u, true},
        {"key in opaque",            span_opaque,   COLOR_KEY,   0x00123456u, DEPTH_FAR_AWAY, 0x00123456u, false},
        {"key in additive",          span_additive, COLOR_KEY,   0x00123456u, DEPTH_FAR_AWAY, 0x00123456u, false},
        {"key in multiply",          span_multiply, COLOR_KEY,   0x00123456u, DEPTH_FAR_AWAY, 0x00123456u, false},
        {"equal depth draws",        span_opaque,   0x00000001u, 0x00000000u, NEAR_DEPTH,     0x00000001u, true},
        {"behind is hidden",         span_opaque,   0x00000001u, 0x00000000u, NEAR_DEPTH - 1, 0x00000000u, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        uint32_t texel = c.texel;
        uint32_t dest = c.canvas;
        int32_t depth = c.depth_there;
        SpanParams span = {1, 0, 0, 0, 0, NEAR_DEPTH, 0, 1, 1, 0, 0, 0, &texel, &dest, &depth};
        c.function(span);
        EXPECT_EQ(dest, c.expected);
        EXPECT_EQ(depth, c.depth_written ? NEAR_DEPTH : c.depth_there);
    }
}

// Adding 1 per draw shows every pixel's draw count: two faces on a shared
// edge, and a fan of slivers under a pixel wide, must cover their outline
// once, without gaps or doubles.
TEST_F(Rasterizer, SharedEdgesLeaveNeitherGapsNorDoubles)
{
    install_texture(0, 1, 1, two_texel);
    span_function = span_additive;
    draw({{10.3f, 10.2f, NEAR_DEPTH, 0, 0},
          {70.6f, 15.4f, NEAR_DEPTH, 0, 0},
          {60.2f, 80.7f, NEAR_DEPTH, 0, 0},
          {5.5f, 60.1f, NEAR_DEPTH, 0, 0}},
         {{0, 1, 2}, {0, 2, 3}});
    int32_t covered = 0;
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        int32_t first = -1;
        int32_t last = -1;
        for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
            const uint32_t count = pixel(x, y) & 0xFF;
            ASSERT_LE(count, 1u) << "drawn twice at " << x << ", " << y;
            if (count == 1) {
                first = first < 0 ? x : first;
                last = x;
                covered++;
            }
        }
        for (int32_t x = first; first >= 0 && x <= last; x++) {
            EXPECT_EQ(pixel(x, y) & 0xFF, 1u) << "gap at " << x << ", " << y;
        }
    }
    EXPECT_GT(covered, 2500);
}

TEST_F(Rasterizer, UntexturedOrBadSlotsDrawNothingButPointsStillDraw)
{
    install_texture(1, 1, 1, white_texel);
    free_image(&texture_pool.slots[1]);  // an emptied slot
    install_texture(2, 1, 1, white_texel);
    texture_pool.slots[2].width = 0;  // pixels, but no size
    for (const int32_t slot : {-1, 1, 2, 64, 1000}) {
        SCOPED_TRACE(slot);
        canvas_ = {};
        const ScreenPoint points[] = {
            {20, 10, NEAR_DEPTH, 0, 0}, {60, 20, NEAR_DEPTH, 0, 0}, {30, 30, NEAR_DEPTH, 0, 0}};
        const int32_t faces[][3] = {{0, 1, 2}};
        build_screen_model(&model_, points, 3, faces, 1, slot);
        draw_model(&model_, &canvas_);
        EXPECT_TRUE(drawn_rows().empty());
    }
    // Particles ignore the texture: vertex 0 as a square of half-size 3.
    model_.vertices[0].u = 6;
    model_.vertices[0].v = 0x404040;
    model_.vertices[0].sx = fixed_from_float(50.5f);
    model_.vertices[0].sy = fixed_from_float(40.5f);
    model_.vertices[1].u = 0;
    model_.vertices[2].u = 0;
    draw_model_points(&model_, 1, &canvas_);
    EXPECT_EQ(drawn_rows(), range(37, 42));
    EXPECT_EQ(pixel(47, 37), 0x404040u);
    EXPECT_EQ(pixel(52, 42), 0x404040u);
    EXPECT_EQ(pixel(53, 42), 0u);
}

TEST_F(Rasterizer, PointsAddOrAverageBehindTheDepthBufferOnly)
{
    const ScreenPoint points[] = {{80.5f, 50.5f, NEAR_DEPTH, 4, 0x00806040}};
    build_screen_model(&model_, points, 1, nullptr, 0, -1);
    struct Case {
        int32_t mode;
        int32_t depth_there;
        uint32_t expected;
    };
    const Case cases[] = {
        {1, DEPTH_FAR_AWAY, 0x00A0A070},  // per byte: (a >> 1) + (b >> 1), doubled
        {2, DEPTH_FAR_AWAY, 0x00505038},
        {1, NEAR_DEPTH, 0x00204030},  // equal depth: hidden
        {3, DEPTH_FAR_AWAY, 0x00204030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        for (uint32_t& p : canvas_.pixels) {
            p = 0x00204030;
        }
        for (int32_t& d : depth_buffer.depth) {
            d = c.depth_there;
        }
        draw_model_points(&model_, c.mode, &canvas_);
        EXPECT_EQ(pixel(80, 50), c.expected);
        EXPECT_EQ(pixel(78, 48), c.expected);
        EXPECT_EQ(depth_buffer.depth[50 * CANVAS_WIDTH + 80], c.depth_there);
    }
}
