// Encoding a generator picture as a TGA file: uncompressed, top row first.
#pragma once
#include <cstdint>
#include <vector>

#include "picture.h"

// 24-bit blue-green-red, or 32-bit with 8 alpha bits when the picture has alpha.
std::vector<uint8_t> encode_tga(const Picture& picture);
