// Full-screen filters run over what is already on the canvas: blurs, noise, levels, depth shading.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"

// Rectangles (x0, y0, x1, y1) are taken as signed 16-bit values, clipped to
// the canvas (negative starts become 0, ends beyond 160 x 100 become the
// canvas edge) and are half-open: columns x0 .. x1-1, rows y0 .. y1-1. An
// empty rectangle changes nothing. The canvas filters change only bytes 0-2
// of a pixel. No operation allocates or keeps state between calls.

// Box blur per colour channel, rows first, then columns. Each average uses
// only the pixels inside the rectangle (x-r .. x+r), truncated. Only the low
// byte of radius counts; 0 does nothing. The cost does not grow with radius.
void box_blur(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius);

// Grey noise: per pixel, in row-major order, one random_next() R and
// n = R mod A - A/2 added to all three channels, clamped to 0..255. Only the
// low byte of amplitude counts; 0 does nothing (and draws no numbers).
void add_noise(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t amplitude);

// Each channel c becomes c * (256 / (high - low)) - low in float, truncated,
// taken as signed 16-bit, clamped to 0..255. low and high are taken as signed
// 16-bit values. high equal to low leaves the rectangle as it is.
void apply_levels(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t low, int32_t high);

// box_blur's two passes on an array of 160 x 100 signed values: 64-bit sums,
// signed division truncating toward zero, no clamping.
void blur_values(int32_t* values, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius);

// Darkens every pixel whose depth is not empty by how much deeper it lies than
// the blurred depth around it (radius truncated, low byte): a pixel level with
// its neighbourhood keeps 87.5 %. Empty pixels are left alone but take part in
// the blur. empty equal to near leaves the canvas as it is.
void depth_shade(Framebuffer* canvas, const int32_t* depth, int32_t empty_depth, int32_t near_depth, float radius,
                 float strength);
