// Shared set-up of the display tests: a headless display and test pictures.
#pragma once
#include <cstdint>
#include <vector>

#include "display/console_display.h"

// Opens the display on the headless console (no terminal is touched) and
// closes it again when the test ends.
struct HeadlessDisplay {
    HeadlessDisplay();
    ~HeadlessDisplay();
};

// A 160 x 100 canvas of one packed colour (red + green * 256 + blue * 65536).
std::vector<uint32_t> uniform_canvas(uint8_t red, uint8_t green, uint8_t blue);

// A canvas of pseudo-random colours, with flat patches and grey runs mixed in
// so that every branch of the conversion is reached.
std::vector<uint32_t> random_canvas(uint32_t seed);

inline uint32_t pack_rgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return red | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16;
}

// Cell (x, y) of the display's arrays.
uint8_t cell_character(int32_t x, int32_t y);
uint8_t cell_attribute(int32_t x, int32_t y);

// Everything a conversion leaves behind, for exact comparisons.
struct ConversionResult {
    std::vector<uint8_t> characters;
    std::vector<uint8_t> attributes;
    int32_t foreground;
    int32_t background;
    int32_t palette[8];
    uint32_t random_state;

    bool operator==(const ConversionResult&) const = default;
};

ConversionResult capture_conversion();

// Puts the cells, the current colours, the palette and the generator into a
// fixed state, so that two conversions start from the same point.
void reset_conversion_state(uint32_t seed);
