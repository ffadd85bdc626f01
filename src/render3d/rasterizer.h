// Drawing a transformed model: face rejection, shared-edge set-up, triangle scan conversion, particles.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "core/image.h"
#include "render3d/model.h"

// What one draw writes into and samples from.
struct DrawTarget {
    Framebuffer* canvas;
    const Image* texture;  // a non-empty texture
};

// Draws every face of the current frame with the texture of the model's pool
// slot through span_function (span_opaque if none was chosen), depth-tested
// against depth_buffer. Draws nothing before the first transform_model, or
// when the slot is -1, outside the pool or holds no picture.
void draw_model(Model* model, Framebuffer* canvas);

// Scan-converts one face of the current frame. The model's edges must have
// been reset in this draw (draw_model does that).
void draw_triangle(const ModelFace& face, Model* model, const DrawTarget& target);

// Start values and per-row slopes of an edge from top to bottom (by sy), in
// the texels of a tex_width x tex_height texture; once per draw, so an edge
// shared by two faces is stepped identically for both.
void setup_edge(const ModelVertex& top, const ModelVertex& bottom, ModelEdge& edge, int32_t tex_width,
                int32_t tex_height);

// Marks every edge of the model as not yet set up in this draw.
void reset_edges(Model* model);

// Draws each vertex of the current frame that is in view as a square of
// half-size u / (depth >> 17) pixels, depth-tested but leaving the depth
// buffer as it is, in the packed colour of its v word: added (mode 1) or
// averaged (mode 2) with the canvas. Other modes draw nothing. Untextured
// models draw too.
void draw_model_points(Model* model, int32_t mode, Framebuffer* canvas);
