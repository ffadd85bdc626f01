// Drawing into a generator picture: pixels, boxes, discs, thick lines, gradients, triangles.
#include "picture.h"

#include <algorithm>
#include <cmath>

uint32_t mix(uint32_t a, uint32_t b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    uint32_t out = 0;
    for (int32_t i = 0; i < 4; i++) {
        const float ca = static_cast<float>(channel(a, i));
        const float cb = static_cast<float>(channel(b, i));
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << (8 * i);
    }
    return out;
}

uint32_t shade(uint32_t colour, float factor)
{
    uint32_t out = colour & 0xFF000000u;
    for (int32_t i = 0; i < 3; i++) {
        const float c = static_cast<float>(channel(colour, i)) * factor;
        out |= static_cast<uint32_t>(std::clamp(std::lround(c), 0L, 255L)) << (8 * i);
    }
    return out;
}

Picture make_picture(int32_t width, int32_t height, uint32_t fill, bool has_alpha)
{
    return Picture{width, height, has_alpha, std::vector<uint32_t>(static_cast<size_t>(width) * height, fill)};
}

void put(Picture* p, int32_t x, int32_t y, uint32_t colour)
{
    if (x >= 0 && y >= 0 && x < p->width && y < p->height) {
        p->pixels[static_cast<size_t>(y) * p->width + x] = colour;
    }
}

uint32_t get(const Picture& p, int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) {
        return 0;
    }
    return p.pixels[static_cast<size_t>(y) * p.width + x];
}

void blend(Picture* p, int32_t x, int32_t y, uint32_t colour)
{
    if (x < 0 || y < 0 || x >= p->width || y >= p->height) {
        return;
    }
    uint32_t& d = p->pixels[static_cast<size_t>(y) * p->width + x];
    const uint32_t a = channel(colour, 3);
    const uint32_t mixed = mix(d, colour | 0xFF000000u, static_cast<float>(a) / 255.0f) & 0x00FFFFFFu;
    d = mixed | (std::max(a, channel(d, 3)) << 24);
}

void fill_box(Picture* p, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour)
{
    for (int32_t y = std::max(y0, 0); y < std::min(y1, p->height); y++) {
        for (int32_t x = std::max(x0, 0); x < std::min(x1, p->width); x++) {
            blend(p, x, y, colour);
        }
    }
}

void fill_ellipse(Picture* p, float cx, float cy, float rx, float ry, uint32_t colour)
{
    const auto y0 = static_cast<int32_t>(std::floor(cy - ry));
    const auto y1 = static_cast<int32_t>(std::ceil(cy + ry));
    const auto x0 = static_cast<int32_t>(std::floor(cx - rx));
    const auto x1 = static_cast<int32_t>(std::ceil(cx + rx));
    for (int32_t y = y0; y <= y1; y++) {
        for (int32_t x = x0; x <= x1; x++) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) {
                blend(p, x, y, colour);
            }
        }
    }
}

void fill_disc(Picture* p, float cx, float cy, float radius, uint32_t colour)
{
    fill_ellipse(p, cx, cy, radius, radius, colour);
}

void draw_thick_line(Picture* p, float x0, float y0, float x1, float y1, float width, uint32_t colour)
{
    const float r = width * 0.5f;
    const auto bx0 = static_cast<int32_t>(std::floor(std::min(x0, x1) - r));
    const auto bx1 = static_cast<int32_t>(std::ceil(std::max(x0, x1) + r));
    const auto by0 = static_cast<int32_t>(std::floor(std::min(y0, y1) - r));
    const auto by1 = static_cast<int32_t>(std::ceil(std::max(y0, y1) + r));
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float length_sq = std::max(dx * dx + dy * dy, 1e-6f);
    for (int32_t y = by0; y <= by1; y++) {
        for (int32_t x = bx0; x <= bx1; x++) {
            const float px = static_cast<float>(x) + 0.5f - x0;
            const float py = static_cast<float>(y) + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / length_sq, 0.0f, 1.0f);
            const float ex = px - t * dx;
            const float ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) {
                blend(p, x, y, colour);
            }
        }
    }
}

void vertical_gradient(Picture* p, int32_t y0, int32_t y1, uint32_t top, uint32_t bottom)
{
    for (int32_t y = std::max(y0, 0); y < std::min(y1, p->height); y++) {
        const float t = y1 - y0 > 1 ? static_cast<float>(y - y0) / static_cast<float>(y1 - y0 - 1) : 0.0f;
        const uint32_t c = mix(top, bottom, t);
        for (int32_t x = 0; x < p->width; x++) {
            put(p, x, y, c);
        }
    }
}

namespace {

float edge_side(float ax, float ay, float bx, float by, float px, float py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

void fill_triangle(Picture* p, float ax, float ay, float bx, float by, float cx, float cy, uint32_t colour)
{
    const auto x0 = static_cast<int32_t>(std::floor(std::min({ax, bx, cx})));
    const auto x1 = static_cast<int32_t>(std::ceil(std::max({ax, bx, cx})));
    const auto y0 = static_cast<int32_t>(std::floor(std::min({ay, by, cy})));
    const auto y1 = static_cast<int32_t>(std::ceil(std::max({ay, by, cy})));
    for (int32_t y = y0; y <= y1; y++) {
        for (int32_t x = x0; x <= x1; x++) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float e0 = edge_side(ax, ay, bx, by, px, py);
            const float e1 = edge_side(bx, by, cx, cy, px, py);
            const float e2 = edge_side(cx, cy, ax, ay, px, py);
            if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) {
                blend(p, x, y, colour);
            }
        }
    }
}

void paste(Picture* dst, const Picture& src, int32_t x, int32_t y)
{
    for (int32_t j = 0; j < src.height; j++) {
        for (int32_t i = 0; i < src.width; i++) {
            blend(dst, x + i, y + j, src.pixels[static_cast<size_t>(j) * src.width + i]);
        }
    }
}
