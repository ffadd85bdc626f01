// The canvas: 160 x 100 pixels of 4 bytes (red, green, blue, unused), row-major.
#pragma once
#include <bit>
#include <cstdint>

constexpr int CANVAS_WIDTH = 160;
constexpr int CANVAS_HEIGHT = 100;
constexpr int CANVAS_PIXELS = CANVAS_WIDTH * CANVAS_HEIGHT;  // 16,000
constexpr int CANVAS_PITCH = CANVAS_WIDTH * 4;               // bytes per row
constexpr int CANVAS_BYTES = CANVAS_PIXELS * 4;              // 64,000

// A pixel is read as one packed colour: red + green * 256 + blue * 65536.
// That equals its memory bytes only on a little-endian machine.
static_assert(std::endian::native == std::endian::little, "packed colours assume little-endian pixels");

struct Framebuffer {
    uint32_t pixels[CANVAS_PIXELS];
};
