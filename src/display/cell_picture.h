// A grid of cells drawn as a picture: each cell an 8 x 8 glyph in the classic console colours.
#pragma once
#include <cstdint>

// Pixels per cell side: square cells, so the picture keeps the canvas's shape
// on the display's own grid (80 x 50 cells: 640 x 400 pixels).
constexpr int32_t CELL_PICTURE_CELL = 8;

// Draws columns x rows cells (rows stride cells apart) into rgb, a picture
// of columns x 8 by rows x 8 pixels of 3 bytes (red first), row-major: the
// glyph's ink in the cell's foreground colour, the rest in its background.
void cells_to_picture(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t columns,
                      int32_t rows, uint8_t* rgb);

// Writes text in the label font with its top-left pixel at (x, y) of a
// picture of width x height pixels (3 bytes each); what falls outside is cut.
void picture_draw_label(uint8_t* rgb, int32_t width, int32_t height, int32_t x, int32_t y, const char* text,
                        const uint8_t colour[3]);
