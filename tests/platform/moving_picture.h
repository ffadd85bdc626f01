// Test helper: a deterministic moving picture of ramp glyphs in colour bands,
// the kind of grid the cell conversion hands the console every frame.
#pragma once
#include <cstdint>

constexpr int32_t PICTURE_COLUMNS = 80;
constexpr int32_t PICTURE_ROWS = 50;
constexpr int32_t PICTURE_CELLS = PICTURE_COLUMNS * PICTURE_ROWS;

// One cell (x, y) of frame t.
void moving_picture_cell(int32_t x, int32_t y, int32_t t, uint8_t* character, uint8_t* attribute);

// Frame t of the picture into arrays of PICTURE_COLUMNS x PICTURE_ROWS cells.
void moving_picture(uint8_t* characters, uint8_t* attributes, int32_t t);

// Frame t, except that only the cells of a 40 x 10 block (a tenth of the
// grid) at (col, row) take frame t + 1's content.
void moving_picture_tenth(uint8_t* characters, uint8_t* attributes, int32_t t, int32_t column, int32_t row);
