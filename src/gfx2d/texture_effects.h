// Full-screen texture-mapping effects: rotozoom, and the tunnel and warp that move with a clock.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "core/image.h"

// The texture's width W and height H are meant to be powers of two: texel
// coordinates are truncated toward zero and wrapped with AND W-1 / AND H-1
// (so -1 becomes W-1). Other sizes never read outside the picture but repeat
// oddly. An empty texture (no pixels or a zero size) draws nothing. The
// animated effects draw at time_ms, T below (milliseconds).

// Draws the texture turned by angle (radians) and scaled by scale texels per
// canvas pixel, alpha-blended over every pixel as blit_image blends; the
// canvas centre (80, 50) shows the texture point (W/2 + shift, H/2 + shift).
// Byte 3 of the canvas is kept.
void rotozoom(float angle, float scale, float shift, const Image& texture, Framebuffer* canvas);

// Fills every pixel with the texel (all four bytes) of a tunnel seen down its
// axis at (cx, cy), scrolling 0.1 depth units and turning 0.0001 turns per
// millisecond of T.
void draw_tunnel(float cx, float cy, const Image& texture, Framebuffer* canvas, int32_t time_ms);

// draw_tunnel, but each pixel becomes colour_add_saturate(pixel, texel).
void add_tunnel(float cx, float cy, const Image& texture, Framebuffer* canvas, int32_t time_ms);

// Fills the rectangle (signed 16-bit, clipped to the canvas, half-open) with
// the texture displaced by sine waves down the rows and cosine waves along
// the columns, moving with T; texels are copied whole.
void draw_warp(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Image& texture,
               int32_t time_ms);
