// The rotating, zooming texture blended over the whole canvas.
#include "core/trig.h"
#include "gfx2d/canvas.h"
#include "gfx2d/texture_effects.h"
#include "gfx2d/texture_effects_wrap.h"

namespace {

constexpr float CENTRE_X = CANVAS_WIDTH / 2;   // 80: the pivot on the canvas
constexpr float CENTRE_Y = CANVAS_HEIGHT / 2;  // 50

}  // namespace

void rotozoom(float angle, float scale, float shift, const Image& texture, Framebuffer* canvas)
{
    if (canvas == nullptr || texture_is_empty(texture)) {
        return;
    }
    const uint32_t width = texture.width;
    const uint32_t u_mask = width - 1;
    const uint32_t v_mask = static_cast<uint32_t>(texture.height) - 1;
    const uint32_t* texels = texture.pixels;
    const float c = fast_cos(angle) * scale;
    const float s = fast_sin(angle) * scale;
    // The texture point under the top-left pixel, chosen so that the canvas
    // centre shows (W/2 + shift, H/2 + shift).
    float row_u = static_cast<float>(width / 2) - CENTRE_X * c + CENTRE_Y * s + shift;
    float row_v = static_cast<float>(texture.height / 2) - CENTRE_X * s - CENTRE_Y * c + shift;
    uint32_t* dst = canvas->pixels;
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        // Stepped, not recomputed: the float accumulation is part of the look.
        float u = row_u;
        float v = row_v;
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            const uint32_t texel = texels[wrap_texel(v, v_mask) * width + wrap_texel(u, u_mask)];
            *dst = blend_pixel(texel, *dst);
            dst++;
            u += c;
            v += s;
        }
        row_u -= s;
        row_v += c;
    }
}
