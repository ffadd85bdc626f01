// The description of a pixel surface: its format, and the reading of one
// pixel into channel values on the common 12-bit scale (0 to 4095).
#pragma once
#include <cstdint>

// Channel order is fixed: the hue computation and the colour tables rely on it.
constexpr int32_t CHANNEL_RED = 0;
constexpr int32_t CHANNEL_GREEN = 1;
constexpr int32_t CHANNEL_BLUE = 2;
constexpr int32_t CHANNEL_ALPHA = 3;   // coverage
constexpr int32_t CHANNEL_BITS = 12;   // every channel value is brought to 0..4095
constexpr int32_t CHANNEL_MAX = 4095;  // top of the 12-bit channel scale

struct SurfaceDesc {
    int32_t bits_per_pixel;  // 8 to 32; bytes per pixel = bits / 8, truncated
    int32_t indexed;         // 1 for 8-bit surfaces: channels come from the tables
    int32_t has_alpha;       // 1 when mask 3 is non-zero and the surface is not indexed
    int32_t width;           // pixels per row
    int32_t height;          // rows
    int32_t pitch;           // bytes from one row to the next
    uint32_t mask[4];        // bits of the raw value holding each channel
    int32_t shift[4];        // right shift: zero bits below the mask
    int32_t scale[4];        // left shift to 12 bits: 12 - width of the mask's lowest run (may be negative)
    int32_t table[4][256];   // channel value per raw byte of an indexed surface
};

// Returns a new description, or null when the format is unusable (width or
// height below 1, pitch 0, bits per pixel outside 8..32) or memory is short.
// The caller owns the block and releases it with free().
SurfaceDesc* surface_desc_create(int32_t bits_per_pixel, int32_t width, int32_t height, int32_t pitch, uint32_t mask0,
                                 uint32_t mask1, uint32_t mask2, uint32_t mask3);

// Shift and scale of one channel mask; a zero mask gives 0 and 0. Set bits
// above the mask's lowest run are not counted.
void mask_analyse(uint32_t mask, int32_t* shift, int32_t* scale);

// Adds the four channel values (each 0..4095) of pixel (x, y) to sums[0..3]. No bounds
// check: the caller keeps x and y inside the surface. The sums are 64-bit so
// that averaging even a huge surface into one cell cannot wrap.
void surface_accumulate_pixel(const SurfaceDesc* desc, const void* pixels, int32_t x, int32_t y, uint64_t sums[4]);
