// Dither sources of the cell conversion: a constant, three ordered (Bayer)
// matrices and the program-wide random generator.
#pragma once
#include <cstdint>

// Bayer index matrices scaled to 0..255 (entry = index * 256 / n^2), row-major.
extern const uint8_t BAYER2[2 * 2];
extern const uint8_t BAYER4[4 * 4];
extern const uint8_t BAYER8[8 * 8];

// The three operations of one dither setting, chosen once per conversion
// call, and the ordered dithers' position. Within one cell every value call
// of an ordered dither returns the same number: only advance moves it.
struct DitherSource {
    void (*start_row)(DitherSource* d, int32_t y);  // y >= 0
    int32_t (*value)(DitherSource* d);              // 0..255
    void (*advance)(DitherSource* d);
    const uint8_t* matrix;  // size x size entries; null for constant and random
    int32_t size;           // 2, 4 or 8; 0 for constant and random
    const uint8_t* row;     // current matrix row
    int32_t column;         // 0..size-1, restarts at every row
};

// Sets up the source for a dither option (49 to 53). Returns 0, or -1 for
// any other option (the source is then unusable).
int32_t dither_source_select(DitherSource* d, int32_t option);
