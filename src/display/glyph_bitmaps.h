// 8 x 8 bitmaps of the coverage ramp's glyphs (square cells), and a small digit font for labels.
#pragma once
#include <cstdint>

#include "platform/glyphs.h"

// Eight rows of a cell byte's glyph, bit 7 the leftmost pixel. Bytes outside
// the ramp are blank: the conversion writes only ramp glyphs.
const uint8_t* glyph_bitmap(uint8_t character);

// The label font: 5 x 7 glyphs in an 8 x 8 box for "0"-"9", ":", "." and
// " " (anything else is blank), bit 7 the leftmost pixel.
const uint8_t* label_glyph_bitmap(char character);
