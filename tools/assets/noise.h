// Tileable value noise for textures: the pattern repeats exactly over the picture's size.
#pragma once
#include <cstdint>

// Smooth noise in 0 .. 1 at (x, y), repeating every `period` cells of size `cell` pixels.
float tile_noise(float x, float y, int32_t cell, int32_t period, uint32_t seed);
// Several octaves of tile_noise, each half the cell size and weight; still tileable.
float tile_fractal(float x, float y, int32_t cell, int32_t period, int32_t octaves, uint32_t seed);
