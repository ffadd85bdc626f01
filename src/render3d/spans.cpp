// The three span routines: one shared depth-tested, colour-keyed texel loop, three ways to combine.
#include "render3d/spans.h"

#include "render3d/camera.h"

SpanFunction span_function = nullptr;

namespace {

struct CopyTexel {
    static uint32_t combine(uint32_t texel, uint32_t) { return texel; }
};

// Half the texel (truncated) plus the canvas, saturated, per colour byte.
struct AddHalfTexel {
    static uint32_t combine(uint32_t texel, uint32_t pixel)
    {
        uint32_t out = pixel & 0xFF000000u;
        for (uint32_t shift = 0; shift < 24; shift += 8) {
            uint32_t sum = ((texel >> shift) & 0xFFu) / 2 + ((pixel >> shift) & 0xFFu);
            out |= (sum > 255 ? 255 : sum) << shift;
        }
        return out;
    }
};

// canvas * texel / 256 per colour byte (never above 254).
struct MultiplyTexel {
    static uint32_t combine(uint32_t texel, uint32_t pixel)
    {
        uint32_t out = pixel & 0xFF000000u;
        for (uint32_t shift = 0; shift < 24; shift += 8) {
            out |= ((((texel >> shift) & 0xFFu) * ((pixel >> shift) & 0xFFu)) >> 8) << shift;
        }
        return out;
    }
};

// Interpolants advance on every pixel, drawn or not; they step as unsigned
// so a long run wraps the way the 32-bit format does instead of overflowing.
template <typename Combine>
void draw_span(const SpanParams& span)
{
    const int32_t near = camera.near;
    const uint32_t* texels = span.texels;
    uint32_t* dest = span.dest;
    int32_t* depth_dest = span.depth_dest;
    uint32_t u = static_cast<uint32_t>(span.u);
    uint32_t v = static_cast<uint32_t>(span.v);
    uint32_t depth = static_cast<uint32_t>(span.depth);
    for (int32_t i = 0; i < span.count; i++) {
        const auto z = static_cast<int32_t>(depth);
        depth += static_cast<uint32_t>(span.ddepth);
        const int32_t column = (static_cast<int32_t>(u) >> FIXED_FRAC_BITS) & span.u_mask;
        const int32_t row = (static_cast<int32_t>(v) >> FIXED_FRAC_BITS) & span.v_mask;
        u += static_cast<uint32_t>(span.du);
        v += static_cast<uint32_t>(span.dv);
        if (z > depth_dest[i] || z <= near) {
            continue;  // hidden, or so close that its depth has wrapped
        }
        const uint32_t texel = texels[(row << span.row_shift) + column];
        if (texel == COLOR_KEY) {
            continue;  // a hole in the texture: neither colour nor depth
        }
        dest[i] = Combine::combine(texel, dest[i]);
        depth_dest[i] = z;
    }
}

}  // namespace

void span_opaque(const SpanParams& span)
{
    draw_span<CopyTexel>(span);
}

void span_additive(const SpanParams& span)
{
    draw_span<AddHalfTexel>(span);
}

void span_multiply(const SpanParams& span)
{
    draw_span<MultiplyTexel>(span);
}

void select_additive_spans(int32_t flag)
{
    span_function = flag != 0 ? span_additive : span_opaque;
}

void select_multiply_spans(int32_t flag)
{
    span_function = flag != 0 ? span_multiply : span_opaque;
}
