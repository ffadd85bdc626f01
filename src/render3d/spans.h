// Span functions: one horizontal run of a textured triangle, copied, added or multiplied.
#pragma once
#include <cstdint>

#include "core/fixed.h"

// Texels of this value (bytes FF 00 FF FF) are never drawn and leave the
// depth buffer as it was.
constexpr uint32_t COLOR_KEY = 0xFFFF00FFu;

// One run handed to a span function.
struct SpanParams {
    int32_t count;   // pixels, at least 1
    Fixed u, v;      // 20.12 texels at the first pixel
    Fixed du, dv;    // per pixel
    int32_t depth;   // at the first pixel
    int32_t ddepth;  // per pixel
    int32_t tex_width, tex_height;
    int32_t u_mask, v_mask;  // width - 1, height - 1
    int32_t row_shift;       // the texture's width_shift
    const uint32_t* texels;
    uint32_t* dest;       // canvas pixel of the first pixel
    int32_t* depth_dest;  // depth entry of the first pixel
};

typedef void (*SpanFunction)(const SpanParams& span);

// The span routine draw_model uses: null at start, opaque from the first
// draw on unless chosen otherwise; stays until changed. Main thread only.
extern SpanFunction span_function;

// A pixel is drawn where its depth is not behind the buffer's and lies
// beyond the camera's near value, and the texel is not COLOR_KEY. Then:
// the texel as it is (all four bytes);
void span_opaque(const SpanParams& span);
// min(255, texel / 2 + canvas) per colour byte;
void span_additive(const SpanParams& span);
// (canvas * texel) >> 8 per colour byte. The last two keep canvas byte 3.
void span_multiply(const SpanParams& span);

// span_additive (or span_multiply) for a nonzero flag, span_opaque for 0.
void select_additive_spans(int32_t flag);
void select_multiply_spans(int32_t flag);
