// The warp: a texture displaced by moving sine waves down the rows and cosine waves along the columns.
#include "core/trig.h"
#include "gfx2d/filter_rect.h"
#include "gfx2d/texture_effects.h"
#include "gfx2d/texture_effects_wrap.h"

namespace {

constexpr float ROW_WAVES = 0.012f;    // sine turns per row
constexpr float COLUMN_WAVES = 0.01f;  // cosine turns per column
constexpr float ROW_WAVE_PER_MS = 0.001f;
constexpr float COLUMN_WAVE_PER_MS = 0.0013f;
constexpr float HALF = 0.5f;

}  // namespace

void draw_warp(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Image& texture,
               int32_t time_ms)
{
    if (canvas == nullptr || texture_is_empty(texture)) {
        return;
    }
    FilterRect rect;
    if (!clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    const int32_t left = rect.x0;
    const int32_t top = rect.y0;
    const int32_t right = rect.x1;
    const int32_t bottom = rect.y1;
    const uint32_t width = texture.width;
    const uint32_t u_mask = width - 1;
    const uint32_t v_mask = static_cast<uint32_t>(texture.height) - 1;
    const float half_w = static_cast<float>(width) * HALF;
    const float half_h = static_cast<float>(texture.height) * HALF;
    const uint32_t* texels = texture.pixels;
    const float t = static_cast<float>(time_ms);
    const float row_phase = t * ROW_WAVE_PER_MS;
    const float column_phase = t * COLUMN_WAVE_PER_MS;

    // The row offset depends only on the column (and T): one table cosine per
    // column instead of one per pixel, with identical results.
    float column_v[CANVAS_WIDTH];
    for (int32_t j = left; j < right; j++) {
        const float wc = fast_cos(static_cast<float>(j) * EFFECT_TWO_PI * COLUMN_WAVES + column_phase);
        column_v[j] = half_h + wc * half_h;
    }
    for (int32_t i = top; i < bottom; i++) {
        const double a = static_cast<double>(i) * static_cast<double>(EFFECT_TWO_PI) * static_cast<double>(ROW_WAVES);
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
