// A picture being drawn by the generator: packed pixels and the few drawing operations the pictures need.
#pragma once
#include <cstdint>
#include <vector>

// Pixels as the engine holds them: red + green * 256 + blue * 65536 + alpha * 2^24.
struct Picture {
    int32_t width;
    int32_t height;
    bool has_alpha;  // written as a 32-bit file with 8 alpha bits, else 24-bit
    std::vector<uint32_t> pixels;
};

constexpr uint32_t rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16) | ((a & 0xFF) << 24);
}
// From 0xRRGGBB, opaque.
constexpr uint32_t hex(uint32_t rrggbb)
{
    return rgba(rrggbb >> 16, rrggbb >> 8, rrggbb);
}
inline uint32_t channel(uint32_t colour, int32_t index)
{
    return (colour >> (8 * index)) & 0xFF;
}
// a + (b - a) * t per channel, alpha included; t in 0 .. 1.
uint32_t mix(uint32_t a, uint32_t b, float t);
// Every colour channel times factor (alpha kept), clamped.
uint32_t shade(uint32_t colour, float factor);

Picture make_picture(int32_t width, int32_t height, uint32_t fill, bool has_alpha);
// Out-of-picture coordinates are ignored by every drawing operation.
void put(Picture* p, int32_t x, int32_t y, uint32_t colour);
uint32_t get(const Picture& p, int32_t x, int32_t y);
// Alpha-blends colour over the pixel by colour's alpha; the pixel's alpha becomes the larger of the two.
void blend(Picture* p, int32_t x, int32_t y, uint32_t colour);
void fill_box(Picture* p, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);  // half-open
void fill_disc(Picture* p, float cx, float cy, float radius, uint32_t colour);
void fill_ellipse(Picture* p, float cx, float cy, float rx, float ry, uint32_t colour);
// A line of the given width with round ends.
void draw_thick_line(Picture* p, float x0, float y0, float x1, float y1, float width, uint32_t colour);
// Vertical gradient over rows y0 .. y1 - 1, full width.
void vertical_gradient(Picture* p, int32_t y0, int32_t y1, uint32_t top, uint32_t bottom);
void fill_triangle(Picture* p, float ax, float ay, float bx, float by, float cx, float cy, uint32_t colour);
// Copies src into dst at (x, y), blending by src's alpha.
void paste(Picture* dst, const Picture& src, int32_t x, int32_t y);
