// Rotozoom, tunnel and warp: exact mappings, clipping, empty textures, golden pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx2d/canvas.h"
#include "gfx2d/texture_effects.h"
#include "support/golden.h"

namespace {

constexpr uint32_t GUARD_COLOUR = 0xFFFF00FFu;  // opaque magenta: red 255 is never in a test texture

// A texture with its pixels held in a vector; GUARD_COLOUR fills `guard`
// pixels past the end, so a read outside the picture shows on the canvas.
struct TestTexture {
    std::vector<uint32_t> storage;
    Image image;
};

uint32_t pack(uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    return r | (g << 8) | (b << 16) | (a << 24);
}

// 8 x 8 checker cells over a red-by-column, green-by-row gradient; the alpha
// ramps by column when `ramp_alpha` is set, else it is opaque.
void make_checker(TestTexture& t, uint16_t width, uint16_t height, bool ramp_alpha, size_t guard = 0)
{
    t.storage.assign(static_cast<size_t>(width) * height + guard, GUARD_COLOUR);
    for (uint32_t v = 0; v < height; v++) {
        for (uint32_t u = 0; u < width; u++) {
            const bool dark = ((u / 8) + (v / 8)) % 2 == 0;
            const uint32_t alpha = ramp_alpha ? (u * 255) / (width - 1u) : 255;
            t.storage[v * width + u] = pack((u * 255) / width, (v * 255) / height, dark ? 40 : 220, alpha);
        }
    }
    t.image = Image{t.storage.data(), height, width, image_width_shift(width)};
}

void fill(Framebuffer& canvas, uint32_t colour)
{
    for (uint32_t& p : canvas.pixels) {
        p = colour;
    }
}

// A background with some structure, so blends and saturating adds show.
void fill_gradient(Framebuffer& canvas)
{
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            canvas.pixels[y * CANVAS_WIDTH + x] = pack(x * 255 / 159, 60, y * 255 / 99, 0x5A);
        }
    }
}

uint32_t blended(uint32_t texel, uint32_t dst)
{
    const uint32_t a = texel >> 24;
    uint32_t out = dst & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t t = (texel >> shift) & 0xFF;
        const uint32_t d = (dst >> shift) & 0xFF;
        out |= ((t * a + d * (255 - a)) >> 8) << shift;
    }
    return out;
}

bool has_colour(const Framebuffer& canvas, uint32_t colour)
{
    for (uint32_t p : canvas.pixels) {
        if (p == colour) {
            return true;
        }
    }
    return false;
}

class TextureEffects : public ::testing::Test {
protected:
    void SetUp() override { make_checker(tex, 64, 64, false); }
    TestTexture tex;        // an opaque 64 x 64 checker unless the test makes another
    int32_t effect_ms = 0;  // the clock the animated effects draw at
    Framebuffer canvas{};
    Framebuffer before{};
};

}  // namespace

TEST_F(TextureEffects, RotozoomUnturnedUnscaledRepeatsTheTexture)
{
    fill(canvas, 0x11000000u);
    rotozoom(0.0f, 1.0f, 0.0f, tex.image, &canvas);
    // The canvas centre shows texel (32, 32); texture coordinates left of
    // and above it go negative and wrap.
    EXPECT_EQ(canvas.pixels[50 * CANVAS_WIDTH + 80], blended(tex.storage[32 * 64 + 32], 0x11000000u));
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            const uint32_t texel = tex.storage[((y - 18) & 63) * 64 + ((x - 48) & 63)];
            ASSERT_EQ(canvas.pixels[y * CANVAS_WIDTH + x], blended(texel, 0x11000000u)) << x << "," << y;
        }
    }
}

TEST_F(TextureEffects, RotozoomScaleZeroShowsOneTexel)
{
    make_checker(tex, 64, 32, true);
    fill_gradient(canvas);
    before = canvas;
    rotozoom(0.9f, 0.0f, 3.7f, tex.image, &canvas);
    const uint32_t texel = tex.storage[(16 + 3) * 64 + (32 + 3)];
    for (int i = 0; i < CANVAS_PIXELS; i++) {
        ASSERT_EQ(canvas.pixels[i], blended(texel, before.pixels[i])) << i;
    }
}

TEST_F(TextureEffects, RotozoomTransparentTexelDarkensOneStep)
{
    make_checker(tex, 16, 16, false);
    for (uint32_t& p : tex.storage) {
        p &= 0x00FFFFFFu;
    }
    fill(canvas, pack(255, 1, 128, 0xAB));
    rotozoom(0.3f, 1.5f, 0.0f, tex.image, &canvas);
    // (c * 255) >> 8 per colour byte; byte 3 untouched.
    EXPECT_EQ(canvas.pixels[0], pack(254, 0, 127, 0xAB));
    EXPECT_EQ(canvas.pixels[CANVAS_PIXELS - 1], pack(254, 0, 127, 0xAB));
}

TEST_F(TextureEffects, RotozoomTurnedGolden)
{
    make_checker(tex, 64, 64, true);
    fill_gradient(canvas);
    rotozoom(0.6f, 0.7f, 5.0f, tex.image, &canvas);
    EXPECT_TRUE(matches_golden("texture_rotozoom_turned", canvas));
}

TEST_F(TextureEffects, TunnelGoldens)
{
    effect_ms = 1234;
    draw_tunnel(80.0f, 50.0f, tex.image, &canvas, effect_ms);
    EXPECT_TRUE(matches_golden("texture_tunnel_centred_t1234", canvas));
    effect_ms = 0;
    draw_tunnel(60.5f, 30.25f, tex.image, &canvas, effect_ms);
    EXPECT_TRUE(matches_golden("texture_tunnel_off_centre_t0", canvas));
}

TEST_F(TextureEffects, TunnelIntegerCentreMovesFromItsOwnRowOn)
{
    effect_ms = 500;
    draw_tunnel(80.0f, 50.0f, tex.image, &canvas, effect_ms);
    Framebuffer moved{};
    draw_tunnel(80.0f, 50.0f + 0.1f, tex.image, &moved, effect_ms);
    // Below row 50 the centre has moved by 0.1 ...
    for (int i = 51 * CANVAS_WIDTH; i < CANVAS_PIXELS; i++) {
        ASSERT_EQ(canvas.pixels[i], moved.pixels[i]) << i;
    }
    // ... while the rows above were drawn around the centre as given.
    int differing = 0;
    for (int i = 0; i < 50 * CANVAS_WIDTH; i++) {
        differing += canvas.pixels[i] != moved.pixels[i];
    }
    EXPECT_GT(differing, 0);
}

TEST_F(TextureEffects, TunnelCentrePixelUsesColumnZero)
{
    // At distance 0 the depth is infinite, which wraps to texture column 0:
    // the only column whose red is 0.
    draw_tunnel(10.0f, 10.0f, tex.image, &canvas, effect_ms);
    EXPECT_EQ(canvas.pixels[10 * CANVAS_WIDTH + 10] & 0xFFu, 0u);
    EXPECT_NE(canvas.pixels[10 * CANVAS_WIDTH + 13] & 0xFFu, 0u);  // depth 5333: column 21
}

TEST_F(TextureEffects, AddTunnelOfBlackClearsTheLowestBits)
{
    make_checker(tex, 32, 32, false);
    for (uint32_t& p : tex.storage) {
        p = 0;
    }
    fill_gradient(canvas);
    before = canvas;
    add_tunnel(80.0f, 50.0f, tex.image, &canvas, effect_ms);
    for (int i = 0; i < CANVAS_PIXELS; i++) {
        ASSERT_EQ(canvas.pixels[i], before.pixels[i] & 0xFEFEFEFEu) << i;
    }
}

TEST_F(TextureEffects, AddTunnelGolden)
{
    fill_gradient(canvas);
    effect_ms = 2000;
    add_tunnel(70.25f, 55.0f, tex.image, &canvas, effect_ms);
    EXPECT_TRUE(matches_golden("texture_add_tunnel_t2000", canvas));
}

TEST_F(TextureEffects, WarpFullRectangleWritesEveryPixel)
{
    fill(canvas, GUARD_COLOUR);
    draw_warp(&canvas, 0, 0, 160, 100, tex.image, effect_ms);
    EXPECT_FALSE(has_colour(canvas, GUARD_COLOUR));
}

TEST_F(TextureEffects, WarpClipsToTheCanvas)
{
    fill(canvas, GUARD_COLOUR);
    draw_warp(&canvas, 150, 90, 300, 300, tex.image, effect_ms);
    draw_warp(&canvas, -7, -3, 2, 1, tex.image, effect_ms);
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            const bool corner = x >= 150 && y >= 90;
            const bool origin = x < 2 && y < 1;
            ASSERT_EQ(canvas.pixels[y * CANVAS_WIDTH + x] != GUARD_COLOUR, corner || origin) << x << "," << y;
        }
    }
    // Inverted and empty rectangles draw nothing.
    before = canvas;
    draw_warp(&canvas, 100, 50, 20, 10, tex.image, effect_ms);
    draw_warp(&canvas, 30, 30, 30, 60, tex.image, effect_ms);
    draw_warp(&canvas, 160, 0, 200, 100, tex.image, effect_ms);
    for (int i = 0; i < CANVAS_PIXELS; i++) {
        ASSERT_EQ(canvas.pixels[i], before.pixels[i]) << i;
    }
}

TEST_F(TextureEffects, WarpGoldens)
{
    draw_warp(&canvas, 0, 0, 160, 100, tex.image, effect_ms);
    EXPECT_TRUE(matches_golden("texture_warp_t0", canvas));
    effect_ms = 2500;
    fill_gradient(canvas);
    draw_warp(&canvas, 20, 10, 140, 90, tex.image, effect_ms);
    EXPECT_TRUE(matches_golden("texture_warp_window_t2500", canvas));
}

TEST_F(TextureEffects, EmptyTextureDrawsNothing)
{
    const Image empty = {nullptr, 0, 0, 0};
    uint32_t one_pixel = 0xFFFFFFFFu;
    const Image no_width = {&one_pixel, 1, 0, 0};
    fill_gradient(canvas);
    before = canvas;
    for (const Image& image : {empty, no_width}) {
        rotozoom(0.5f, 1.0f, 0.0f, image, &canvas);
        draw_tunnel(80.0f, 50.0f, image, &canvas, effect_ms);
        add_tunnel(80.0f, 50.0f, image, &canvas, effect_ms);
        draw_warp(&canvas, 0, 0, 160, 100, image, effect_ms);
    }
    for (int i = 0; i < CANVAS_PIXELS; i++) {
        ASSERT_EQ(canvas.pixels[i], before.pixels[i]) << i;
    }
}

TEST_F(TextureEffects, OddSizedTextureIsNeverReadOutside)
{
    // 48 x 40 is not a power of two: the masks then skip texels, but they can
    // never reach past the last one.
    make_checker(tex, 48, 40, false, 4096);
    effect_ms = 777;
    draw_tunnel(80.0f, 50.0f, tex.image, &canvas, effect_ms);
    EXPECT_FALSE(has_colour(canvas, GUARD_COLOUR));
    draw_warp(&canvas, 0, 0, 160, 100, tex.image, effect_ms);
    EXPECT_FALSE(has_colour(canvas, GUARD_COLOUR));
    fill(canvas, 0);
    rotozoom(-2.0f, 3.3f, -100.0f, tex.image, &canvas);
    EXPECT_FALSE(has_colour(canvas, blended(GUARD_COLOUR, 0)));
}
