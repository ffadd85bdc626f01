// Box blurs of the canvas and of value arrays, as running sums so the radius costs nothing.
#include "gfx2d/filter_rect.h"
#include "gfx2d/filters.h"

namespace {

// The window of position i is i-r .. i+r cut to 0 .. n-1; this many values.
inline int32_t window_count(int32_t i, int32_t r, int32_t n)
{
    return std::min(i + r, n - 1) - std::max(i - r, 0) + 1;
}

// Blurs colour bytes 0-2 of n pixels lying stride apart, in place. The sums
// slide along the line and the results wait in scratch until the line is done,
// so every window reads unchanged input. 32-bit sums are exact for any radius
// (160 * 255 at most). An average of bytes never leaves 0..255: no clamp.
void blur_pixel_line(uint32_t* line, int32_t stride, int32_t n, int32_t r, uint32_t* scratch)
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    for (int32_t k = 0; k <= std::min(r, n - 1); ++k) {
        uint32_t p = line[k * stride];
        red += p & 0xFF;
        green += (p >> 8) & 0xFF;
        blue += (p >> 16) & 0xFF;
    }
    for (int32_t i = 0; i < n; ++i) {
        int32_t count = window_count(i, r, n);
        scratch[i] = static_cast<uint32_t>(red / count) | static_cast<uint32_t>(green / count) << 8 |
                     static_cast<uint32_t>(blue / count) << 16;
        if (i - r >= 0) {
            uint32_t leaving = line[(i - r) * stride];
            red -= leaving & 0xFF;
            green -= (leaving >> 8) & 0xFF;
            blue -= (leaving >> 16) & 0xFF;
        }
        if (i + r + 1 < n) {
            uint32_t entering = line[(i + r + 1) * stride];
            red += entering & 0xFF;
            green += (entering >> 8) & 0xFF;
            blue += (entering >> 16) & 0xFF;
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        uint32_t* p = line + i * stride;
        *p = (*p & 0xFF000000u) | scratch[i];
    }
}

// The same on whole values: 64-bit sums, division truncating toward zero.
void blur_value_line(int32_t* line, int32_t stride, int32_t n, int32_t r, int32_t* scratch)
{
    int64_t sum = 0;
    for (int32_t k = 0; k <= std::min(r, n - 1); ++k) {
        sum += line[k * stride];
    }
    for (int32_t i = 0; i < n; ++i) {
        scratch[i] = static_cast<int32_t>(sum / window_count(i, r, n));
        if (i - r >= 0) {
            sum -= line[(i - r) * stride];
        }
        if (i + r + 1 < n) {
            sum += line[(i + r + 1) * stride];
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        line[i * stride] = scratch[i];
    }
}

}  // namespace

void box_blur(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius)
{
    int32_t r = radius & 0xFF;
    FilterRect rect;
    if (r == 0 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    uint32_t scratch[CANVAS_WIDTH > CANVAS_HEIGHT ? CANVAS_WIDTH : CANVAS_HEIGHT];
    uint32_t* pixels = canvas->pixels;
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        blur_pixel_line(pixels + y * CANVAS_WIDTH + rect.x0, 1, rect.x1 - rect.x0, r, scratch);
    }
    for (int32_t x = rect.x0; x < rect.x1; ++x) {
        blur_pixel_line(pixels + rect.y0 * CANVAS_WIDTH + x, CANVAS_WIDTH, rect.y1 - rect.y0, r, scratch);
    }
}

void blur_values(int32_t* values, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius)
{
    int32_t r = radius & 0xFF;
    FilterRect rect;
    if (r == 0 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    int32_t scratch[CANVAS_WIDTH > CANVAS_HEIGHT ? CANVAS_WIDTH : CANVAS_HEIGHT];
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        blur_value_line(values + y * CANVAS_WIDTH + rect.x0, 1, rect.x1 - rect.x0, r, scratch);
    }
    for (int32_t x = rect.x0; x < rect.x1; ++x) {
        blur_value_line(values + rect.y0 * CANVAS_WIDTH + x, CANVAS_WIDTH, rect.y1 - rect.y0, r, scratch);
    }
}
