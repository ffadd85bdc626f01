// The depth buffer: one signed depth per canvas pixel, smaller is nearer.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"

constexpr int32_t DEPTH_FAR_AWAY = 0x7FFFFFFF;  // a cleared entry

// Indexed like the canvas: y * CANVAS_WIDTH + x.
struct DepthBuffer {
    int32_t depth[CANVAS_PIXELS];
};

// The one depth buffer of the run, written by draw_model and read by
// draw_model_points and the depth effects. Its contents are undefined until
// the first clear_depth_buffer. Main thread only.
extern DepthBuffer depth_buffer;

// Every entry to DEPTH_FAR_AWAY.
void clear_depth_buffer();

DepthBuffer* get_depth_buffer();
