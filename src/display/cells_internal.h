// What the two conversion paths share: the rectangle set-up and the level.
#pragma once
#include <cstdint>

#include "display/dither.h"
#include "display/surface_desc.h"

// The ordered rectangle and its part inside the grid.
struct CellSpan {
    int32_t x0, y0, x1, y1;   // x0 <= x1, y0 <= y1
    int64_t width, height;    // cells; 64-bit because x1 - x0 + 1 may not fit in 32
    int32_t first_x, last_x;  // visited columns, inside the grid
    int32_t first_y, last_y;  // visited rows, inside the grid
};

// Orders and clips the rectangle and selects the dither source. Returns 0
// when there is nothing to convert (null surface, unknown dither, missing
// cell arrays, rectangle outside the grid), else 1.
int32_t cell_span_prepare(CellSpan* span, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc,
                          const void* pixels, DitherSource* dither);

// Coverage level 0..15 of a blended cell: floor(30 m / (m + far)) with m the
// smaller distance. 15 when both distances are 0 (the far colour is exact).
inline int32_t blend_level(int32_t near_distance, int32_t far_distance)
{
    const int64_t m = near_distance < far_distance ? near_distance : far_distance;
    const int64_t sum = m + far_distance;
    if (sum == 0) {
        return 15;
    }
    return static_cast<int32_t>(30 * m / sum);
}

// Converts with the loop specialised for 32-bit pixels with red, green and
// blue in bytes 0, 1 and 2 and no alpha. Returns 0 when it did, -1 when the
// surface or rectangle is not one it handles (nothing is touched then).
int32_t cells_from_canvas_format(const CellSpan& span, const SurfaceDesc* desc, const void* pixels,
                                 DitherSource* dither);

// Converts any surface, reading every pixel through its description; the
// reference the specialised loop is tested against.
void cells_convert_generic(const CellSpan& span, const SurfaceDesc* desc, const void* pixels, DitherSource* dither);
