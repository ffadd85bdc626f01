// PNG encoding of 3-byte pixels into memory (screenshots, contact sheets).
#pragma once
#include <cstdint>
#include <vector>

// Encodes width x height pixels of 3 bytes (red first), row-major, as a PNG
// file image in *out. The same pixels always give the same bytes. Returns 1,
// or 0 (out left empty) when the encoder fails or the size is not positive.
int32_t png_encode_rgb(const uint8_t* rgb, int32_t width, int32_t height, std::vector<uint8_t>* out);
