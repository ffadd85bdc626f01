// The generator's built-in pixel font: 5 x 7 capitals, digits and punctuation, drawn at whole-number scales.
#pragma once
#include <cstdint>
#include <string>

#include "picture.h"

constexpr int32_t GLYPH_WIDTH = 5;
constexpr int32_t GLYPH_HEIGHT = 7;

struct TextStyle {
    int32_t scale;      // pixels per glyph dot; 2 gives letters 14 pixels tall
    uint32_t fill;      // top colour of the letters
    uint32_t fill_low;  // bottom colour (a vertical gradient over the glyph)
    uint32_t outline;   // drawn one pixel around every dot; alpha 0 for none
    uint32_t shadow;    // drawn scale pixels down and right; alpha 0 for none
};

// Whether the font has a glyph for c (lower case folds to capitals).
bool font_has_glyph(char c);
// Width in pixels of text at the scale: a glyph and one dot of spacing per character, less the last spacing.
int32_t text_width(const std::string& text, int32_t scale);
// Draws text with its top-left corner at (x, y). Unknown characters draw as blanks.
void draw_text(Picture* p, int32_t x, int32_t y, const std::string& text, const TextStyle& style);
// Draws text centred on column cx, its corner moved up and left to even coordinates: the console
// shows each 2 x 2 block of pixels as one cell, so every dot of a scale-2 letter fills one cell.
void draw_text_centred(Picture* p, int32_t cx, int32_t y, const std::string& text, const TextStyle& style);
