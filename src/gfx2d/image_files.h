// The picture loaders: TGA and headerless raw files into the picture record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/image.h"

// Whether the name holds ".tga" or ".TGA" anywhere (not only at its end):
// such names are read as TGA, all others as raw pictures.
bool has_tga_extension(const char* path);

// Reads a TGA or raw picture into image, choosing the format by name. Any
// pixels the image held are freed first. On failure the image is left empty and
// one line naming the file and the reason goes to platform_console_message.
void load_image(const char* path, Image* image);

// The TGA reader (uncompressed and run-length files; 24- and 32-bit colour,
// 15/16-bit colour, 8-bit grey and colour-mapped). 24-bit pictures and files
// without alpha bits get alpha 255. Failure: empty image and a message.
void load_tga_image(const char* path, Image* image);

// The TGA reader on a file's bytes (the buffer may be rewritten). Returns 1
// with the picture in image, or 0 with image empty and the reason in *why.
int32_t read_tga_image(uint8_t* bytes, size_t length, Image* image, std::string* why);

// The size of a headless raw picture from its name ("..._WIDTHxHEIGHT.ext",
// each number 1 to 4 digits). Returns 1 and fills width and height, or 0 when
// the name carries no such size (width and height are then 0).
int32_t parse_raw_image_size(const char* path, int32_t* width, int32_t* height);

// Reads width * height pixels of 4 bytes (red, green, blue, alpha), top row
// first. Failure (missing or short file, no memory, a size of 0 or above
// 65535): empty image and a message.
void load_raw_image(const char* path, Image* image, int32_t width, int32_t height);

// The raw reader on a file's bytes: the first width * height * 4 of them.
// Returns null with the picture in image, or the message text (and a detail,
// possibly empty) with image empty.
const char* read_raw_image(const uint8_t* data, size_t length, int32_t width, int32_t height, Image* image,
                           std::string* detail);
