// The canvas as the block look shows it: two pixels per cell, area-averaged
// to the view's cells (the canvas itself at 160 x 50 cells).
#pragma once
#include <cstdint>
#include <vector>

#include "core/framebuffer.h"
#include "platform/console.h"

// The largest picture: the largest grid, 160 x 100 cells of two pixels.
constexpr int32_t BLOCK_PICTURE_MAX_WIDTH = CONSOLE_MAX_COLUMNS;
constexpr int32_t BLOCK_PICTURE_MAX_HEIGHT = 2 * CONSOLE_MAX_ROWS;

// One axis of the scaling: output pixel i averages taps first[i] ..
// first[i] + count[i] - 1 of the source, weighted by weight[offset[i] + k];
// the weights of every output pixel add up to the source's length.
struct BlockAxis {
    int32_t length;  // output pixels; 0 until sized
    std::vector<int32_t> first;
    std::vector<int32_t> count;
    std::vector<int32_t> offset;
    std::vector<int32_t> weight;
};

struct BlockPicture {
    int32_t width;   // pixels: the view's columns
    int32_t height;  // pixels: twice the view's rows
    BlockAxis across;
    BlockAxis down;
    std::vector<int32_t> row_sums;  // the horizontal pass, 3 sums per pixel, CANVAS_HEIGHT rows
    uint32_t pixels[BLOCK_PICTURE_MAX_WIDTH * BLOCK_PICTURE_MAX_HEIGHT];  // packed like the canvas, width apart
};

// The display's block picture; lives for the whole run, main thread only.
extern BlockPicture block_picture;

// Scales the canvas into width x height pixels of block_picture (each at
// most the maximum, at least 1), averaging the area each covers with rounding.
// Tables are rebuilt only when the size changes.
void block_picture_from_canvas(const uint32_t* canvas, int32_t width, int32_t height);
