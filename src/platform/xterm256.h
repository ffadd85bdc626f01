// Canvas colours -> the xterm 256-colour palette: its 6 x 6 x 6 cube and grey
// ramp, the nearest colour after a 4 x 4 ordered dither so gradients do not band.
#pragma once
#include <cstdint>

// Red, green and blue of a palette index (16-231 the cube, 232-255 the
// greys; 0-15, the terminal's own colours, are never sent and read black).
const uint8_t* xterm256_colour(int32_t index);

// The 4 x 4 ordered threshold of a pixel position, 0..15.
inline int32_t xterm256_threshold(int32_t x, int32_t y)
{
    constexpr uint8_t BAYER4[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return BAYER4[((y & 3) << 2) | (x & 3)];
}

// The index shown for a colour at a threshold: the cube when its nearest
// colour is closer than the nearest grey, else the grey ramp; between two
// neighbouring levels the upper one wins where the colour's share of the
// step is above the threshold, so a flat palette colour stays flat.
int32_t xterm256_index(int32_t red, int32_t green, int32_t blue, int32_t threshold);
