// The picture record every picture, overlay and texture is held in.
#pragma once
#include <cstdint>

// Pixels already in the canvas byte layout (red, green, blue, alpha; alpha 255
// is opaque), row 0 the top row, column 0 the left edge. An empty image has
// null pixels and zero sizes; global images start empty.
struct Image {
    uint32_t* pixels;  // width * height pixels, owned (heap); null when empty
    uint16_t height;
    uint16_t width;
    uint8_t width_shift;  // floor(log2(width)), 0 for widths 0 and 1: texture row stepping
};

// floor(log2(width)), 0 below 2.
uint8_t image_width_shift(uint32_t width);

// Frees the pixels and empties the image (width_shift is kept). Safe on an
// image that is already empty.
void free_image(Image* image);
