// The browser's console: the cells last shown, kept for the page to draw and for the probe to read back.
#pragma once
#include <cstdint>

#include "platform/console.h"

// The frame last shown, cells or block pixels: any grid up to the largest a display may ask for.
struct WebCells {
    int32_t columns;  // 0 until a frame was shown
    int32_t rows;
    int64_t frames;  // frames shown since the page loaded
    uint8_t characters[CONSOLE_MAX_COLUMNS * CONSOLE_MAX_ROWS];
    uint8_t attributes[CONSOLE_MAX_COLUMNS * CONSOLE_MAX_ROWS];
    // The block look: the last frame came as columns x (2 x rows) canvas
    // pixels (red in the low byte) instead of cells.
    int32_t blocks;
    uint32_t pixels[CONSOLE_MAX_COLUMNS * 2 * CONSOLE_MAX_ROWS];
};

// Lives for the page; written by the driver's write, read by the page's drawing.
extern WebCells web_cells;
