// One dinosaur drawn as layers: outline shell, textured body, multiplied light map.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "scenes/assets.h"

constexpr int32_t PASS_OUTLINE = 1;  // the inflated white shell, then a cleared depth buffer
constexpr int32_t PASS_BODY = 2;     // the textured body and the light map multiplied over it

// Draws the passes named in the bit set into canvas. The shell and the light
// take the body's pose and are blended at the body's frame_time, so the
// caller sets the body's pose and blends its frames first. Leaves the span
// routine opaque.
void draw_model_passes(ModelTriple* triple, int32_t passes, Framebuffer* canvas);
