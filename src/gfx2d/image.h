// The picture record every picture, overlay and texture is held in, and its loaders.
#pragma once
#include <cstdint>

// Pixels already in the canvas byte layout (red, green, blue, alpha; alpha 255
// is opaque), row 0 the top row, column 0 the left edge. An empty image has
// null pixels and zero sizes; global images start empty.
struct Image {
    uint32_t* pixels;     // width * height pixels, owned (heap); null when empty
    uint16_t height;
    uint16_t width;
    uint8_t width_shift;  // floor(log2(width)), 0 for widths 0 and 1: texture row stepping
};

// floor(log2(width)), 0 below 2.
uint8_t image_width_shift(uint32_t width);

// Whether the name holds ".tga" or ".TGA" anywhere (not only at its end):
// such names are read as TGA, all others as raw pictures.
bool has_tga_extension(const char* path);

// Reads a TGA or raw picture into image, choosing the format by name. Any
// pixels the image held are freed first. On failure the image is left empty and
// one line naming the file and the reason goes to platform_console_message.
void load_image(const char* path, Image* image);

// Frees the pixels and empties the image (width_shift is kept). Safe on an
// image that is already empty.
void free_image(Image* image);

// The TGA reader (uncompressed and run-length files; 24- and 32-bit colour,
// 15/16-bit colour, 8-bit grey and colour-mapped). 24-bit pictures and files
// without alpha bits get alpha 255. Failure: empty image and a message.
void load_tga_image(const char* path, Image* image);

// The size of a headless raw picture from its name ("..._WIDTHxHEIGHT.ext",
// each number 1 to 4 digits). Returns 1 and fills width and height, or 0 when
// the name carries no such size (width and height are then 0).
int32_t parse_raw_image_size(const char* path, int32_t* width, int32_t* height);

// Reads width * height pixels of 4 bytes (red, green, blue, alpha), top row
// first. Failure (missing or short file, no memory, a size of 0 or above
// 65535): empty image and a message.
void load_raw_image(const char* path, Image* image, int32_t width, int32_t height);
