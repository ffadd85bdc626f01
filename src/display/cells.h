// Converting a pixel surface into coloured character cells of the display.
#pragma once
#include <cstdint>

#include "display/surface_desc.h"

// Fits the whole surface into the cell rectangle (x0, y0)-(x1, y1), corners
// inclusive and in either order, and stores the cells that fall inside the
// grid. Uses the display's colour scheme, sampling and dither options. Does
// nothing when desc or pixels is null, the dither option is not 49 to 53
// (before the first opening) or the cell arrays are missing.
void cells_from_surface(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc, const void* pixels);

// The same conversion through the format-independent path, which reads every
// pixel through the description. cells_from_surface uses it for the formats
// its specialised loop does not cover; both leave identical cells, colours,
// palette and random sequence behind.
void cells_from_surface_generic(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc,
                                const void* pixels);
