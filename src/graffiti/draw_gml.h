// Drawing a GML drawing in real time with a colour, an offset, a scale and a width range.
#pragma once
#include <cstdint>

#include "graffiti/gml.h"

// Draws into the canvas every segment whose first point is due at time_ms
// (a recorded second lasts 1000 ms), as pen lines of colour (0xRRGGBB), each
// point at (x * 160 * scale + offset_x, y * 100 * scale + offset_y). The pen
// width follows the pen's speed through gml_pen_memory.overlay, mapped as
// min_width + level * (max_width - min_width). Neither clears nor presents;
// a null drawing draws nothing.
void draw_gml(const GmlDrawing* drawing, int32_t time_ms, float min_width, float max_width, uint32_t colour,
              int32_t offset_x, int32_t offset_y, float scale);
