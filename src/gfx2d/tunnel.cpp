// The tunnel seen down its axis: texture depth from the distance, texture turn from the angle.
#include "core/trig.h"
#include "gfx2d/canvas.h"
#include "gfx2d/texture_effects.h"
#include "gfx2d/texture_effects_wrap.h"

namespace {

constexpr float TUNNEL_RADIUS = 200.0f;  // depth = RADIUS / dist * DEPTH_SCALE
constexpr float DEPTH_SCALE = 80.0f;
constexpr float DEPTH_PER_MS = 0.1f;        // scroll into the tunnel
constexpr float TURNS_PER_MS = 0.0001f;     // spin about the axis
constexpr float DEPTH_TO_TEXTURE = 0.004f;  // texture widths per depth unit
constexpr float TURN_TO_TEXTURE = 4.0f;     // texture heights per turn
constexpr float CENTRE_NUDGE = 0.1f;

enum class TunnelWrite { Copy, Add };

template <TunnelWrite WRITE>
void tunnel(float cx, float cy, const Image& texture, Framebuffer* canvas, int32_t time_ms)
{
    if (canvas == nullptr || texture_is_empty(texture)) {
        return;
    }
    const uint32_t width = texture.width;
    const uint32_t u_mask = width - 1;
    const uint32_t v_mask = static_cast<uint32_t>(texture.height) - 1;
    const float width_f = static_cast<float>(width);
    const float height_f = static_cast<float>(texture.height);
    const uint32_t* texels = texture.pixels;
    const float t = static_cast<float>(time_ms);
    const float scroll = t * DEPTH_PER_MS;
    const float spin = t * TURNS_PER_MS;
    uint32_t* dst = canvas->pixels;
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        const float fy = static_cast<float>(y);
        float dy = fy - cy;
        const float dy2 = dy * dy;  // kept for the whole row, even if cy moves
        float previous_dy = dy;
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            const float dx = static_cast<float>(x) - cx;
            const float dist = fast_sqrt(dx * dx + dy2);
            // dist 0 gives an infinite depth, which wraps to column 0.
            const float depth = (TUNNEL_RADIUS / dist) * DEPTH_SCALE;
            if (previous_dy == 0.0f) {
                // Keeps dx / dy away from 0 / 0; the centre stays moved for
                // the rest of the call.
                cy += CENTRE_NUDGE;
            }
            dy = fy - cy;
            previous_dy = dy;
            const float angle = fast_atan(dx / dy);
            const float turn = angle / EFFECT_TWO_PI - spin;
            const uint32_t u = wrap_texel((depth - scroll) * width_f * DEPTH_TO_TEXTURE, u_mask);
            const uint32_t v = wrap_texel(height_f * turn * TURN_TO_TEXTURE, v_mask);
            const uint32_t texel = texels[v * width + u];
            if constexpr (WRITE == TunnelWrite::Copy) {
                *dst = texel;
            } else {
                *dst = colour_add_saturate(*dst, texel);
            }
            dst++;
        }
    }
}

}  // namespace

void draw_tunnel(float cx, float cy, const Image& texture, Framebuffer* canvas, int32_t time_ms)
{
    tunnel<TunnelWrite::Copy>(cx, cy, texture, canvas, time_ms);
}

void add_tunnel(float cx, float cy, const Image& texture, Framebuffer* canvas, int32_t time_ms)
{
    tunnel<TunnelWrite::Add>(cx, cy, texture, canvas, time_ms);
}
