// How many cells the picture gets on a terminal of a given size and cell shape.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "platform/console.h"

// The canvas's shape, width : height in pixels.
constexpr int32_t VIEW_ASPECT_WIDTH = CANVAS_WIDTH;
constexpr int32_t VIEW_ASPECT_HEIGHT = CANVAS_HEIGHT;

struct TerminalSize {
    int32_t columns;
    int32_t rows;
    int32_t pixel_width;  // of the whole text area; 0 when the terminal does not say
    int32_t pixel_height;
};

// The largest view of at most grid_columns x grid_rows cells for the fit:
// the whole grid when it fits and the fit is CONSOLE_FIT_GRID; otherwise the
// largest rectangle that keeps the canvas's aspect for the cell shape (from
// the pixel size, else cells twice as tall as wide). At least 1 x 1.
void console_view_fit(const TerminalSize& terminal, int32_t grid_columns, int32_t grid_rows, ConsoleFit fit,
                      int32_t* view_columns, int32_t* view_rows);
