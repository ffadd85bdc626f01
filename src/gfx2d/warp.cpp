// The warp: a texture displaced by moving sine waves down the rows and cosine waves along the columns.
#include "gfx2d/texture_effects.h"
#include "gfx2d/texture_effects_wrap.h"
#include "render3d/trig.h"
#include "runtime/entry.h"

namespace {

constexpr float TWO_PI = 6.2832f;
constexpr float ROW_WAVES = 0.012f;    // sine turns per row
constexpr float COLUMN_WAVES = 0.01f;  // cosine turns per column
constexpr float ROW_WAVE_PER_MS = 0.001f;
constexpr float COLUMN_WAVE_PER_MS = 0.0013f;
constexpr float HALF = 0.5f;

}  // namespace

void draw_warp(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Image& texture)
{
    if (canvas == nullptr || texture_is_empty(texture)) {
        return;
    }
    // The same clipping as the filters: signed 16-bit corners, half-open.
    int32_t left = static_cast<int16_t>(x0);
    int32_t top = static_cast<int16_t>(y0);
    int32_t right = static_cast<int16_t>(x1);
    int32_t bottom = static_cast<int16_t>(y1);
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > CANVAS_WIDTH ? CANVAS_WIDTH : right;
    bottom = bottom > CANVAS_HEIGHT ? CANVAS_HEIGHT : bottom;
    if (left >= right || top >= bottom) {
        return;
    }
    const uint32_t width = texture.width;
    const uint32_t u_mask = width - 1;
    const uint32_t v_mask = static_cast<uint32_t>(texture.height) - 1;
    const float half_w = static_cast<float>(width) * HALF;
    const float half_h = static_cast<float>(texture.height) * HALF;
    const uint32_t* texels = texture.pixels;
    const float t = static_cast<float>(effect_time_ms);
    const float row_phase = t * ROW_WAVE_PER_MS;
    const float column_phase = t * COLUMN_WAVE_PER_MS;

    // The row offset depends only on the column (and T): one table cosine per
    // column instead of one per pixel, with identical results.
    float column_v[CANVAS_WIDTH];
    for (int32_t j = left; j < right; j++) {
        const float wc = fast_cos(static_cast<float>(j) * TWO_PI * COLUMN_WAVES + column_phase);
        column_v[j] = half_h + wc * half_h;
    }
    for (int32_t i = top; i < bottom; i++) {
        const double a = static_cast<double>(i) * static_cast<double>(TWO_PI) * static_cast<double>(ROW_WAVES);
        const float ws = fast_sin(static_cast<float>(static_cast<double>(row_phase) + a));
        const float row_u = half_w + ws * half_w;
        const float fi = static_cast<float>(i);
        uint32_t* dst = canvas->pixels + i * CANVAS_WIDTH;
        for (int32_t j = left; j < right; j++) {
            const float fj = static_cast<float>(j);
            const uint32_t u = wrap_texel(row_u + fj, u_mask);
            const uint32_t v = wrap_texel(column_v[j] + fi + fj, v_mask);
            dst[j] = texels[v * width + u];
        }
    }
}
