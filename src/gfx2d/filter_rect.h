// The rectangle rule shared by the full-screen filters: 16-bit corners, clipped, half-open.
#pragma once
#include <algorithm>
#include <cstdint>

#include "core/framebuffer.h"

struct FilterRect {
    int32_t x0;
    int32_t y0;
    int32_t x1;  // one past the last column
    int32_t y1;  // one past the last row
};

// Takes the corners as signed 16-bit values and clips them to the canvas.
// Returns false when nothing is left.
inline bool clip_filter_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, FilterRect* rect)
{
    rect->x0 = std::max<int32_t>(static_cast<int16_t>(x0), 0);
    rect->y0 = std::max<int32_t>(static_cast<int16_t>(y0), 0);
    rect->x1 = std::min<int32_t>(static_cast<int16_t>(x1), CANVAS_WIDTH);
    rect->y1 = std::min<int32_t>(static_cast<int16_t>(y1), CANVAS_HEIGHT);
    return rect->x0 < rect->x1 && rect->y0 < rect->y1;
}
