// Depth shading: darkens model pixels that lie deeper than the blurred depth around them.
#include "core/fixed.h"
#include "gfx2d/filters.h"

// Depths are compared at 1/128 of their scale so that blurring them stays
// well inside 32 bits.
constexpr int DEPTH_SHADE_SHIFT = 7;
// How much a pixel level with its neighbourhood is darkened.
constexpr float DEPTH_SHADE_BASE = 0.125f;

void depth_shade(Framebuffer* canvas, const int32_t* depth, int32_t empty_depth, int32_t near_depth, float radius,
                 float strength)
{
    Fixed depth_range = fixed_sub(empty_depth, near_depth);
    if (depth_range == 0) {
        return;
    }
    float k = strength * 256.0f / fixed_to_float(depth_range);

    int32_t blurred[CANVAS_PIXELS];
    for (int32_t i = 0; i < CANVAS_PIXELS; ++i) {
        blurred[i] = depth[i] >> DEPTH_SHADE_SHIFT;
    }
    // The rectangle ends at 159 x 99, so the last column and row are never
    // blurred and shade by the base amount only.
    blur_values(blurred, 0, 0, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1, float_to_int_trunc(radius));

    uint32_t* pixels = canvas->pixels;
    for (int32_t i = 0; i < CANVAS_PIXELS; ++i) {
        // Background takes part in the blur above but is never shaded.
        if (depth[i] == empty_depth) {
            continue;
        }
        Fixed d = (depth[i] >> DEPTH_SHADE_SHIFT) - blurred[i];
        float f = fixed_to_float(d) * k + DEPTH_SHADE_BASE;
        // Written so that a NaN ends up as 0 (pixel unchanged) too.
        f = f > 0.0f ? f : 0.0f;
        f = f < 1.0f ? f : 1.0f;
        float g = 1.0f - f;
        uint32_t p = pixels[i];
        uint32_t red = static_cast<uint32_t>(static_cast<float>(p & 0xFF) * g);
        uint32_t green = static_cast<uint32_t>(static_cast<float>((p >> 8) & 0xFF) * g);
        uint32_t blue = static_cast<uint32_t>(static_cast<float>((p >> 16) & 0xFF) * g);
        pixels[i] = (p & 0xFF000000u) | red | (green << 8) | (blue << 16);
    }
}
