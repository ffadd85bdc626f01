// Code page 437 cell bytes -> the bytes a terminal is sent for them (UTF-8 or ASCII).
#pragma once
#include <cstdint>

constexpr int32_t GLYPH_BITMAP_SIZE = 8;

// A glyph of the cell conversion's coverage ramp (the blank cell aside): its
// code page 437 byte, its Unicode character as UTF-8, its character in the
// ASCII ramp and its 8 x 8 picture (bit 7 the leftmost pixel), drawn so that
// the ink grows with the coverage level.
struct RampGlyph {
    uint8_t cell;
    const char* utf8;
    char ascii;
    uint8_t rows[GLYPH_BITMAP_SIZE];
};

// The ramp glyph of a cell byte, or null for any other byte.
const RampGlyph* ramp_glyph(uint8_t cell);

// Pixels of 64 that a ramp glyph inks (its bitmap's bit count); 0 for bytes
// that show nothing (0x00, space, 0xFF); half a cell for any other byte.
int32_t glyph_ink(uint8_t cell);

// One entry per cell byte. Built once at the first opening; read per cell.
struct GlyphTable {
    uint8_t bytes[256][4];  // what to send, length[c] bytes of it
    uint8_t length[256];    // 1 to 3
    uint8_t blank[256];     // 1: shows no foreground, so its foreground colour never matters
};

// utf8 = 1: the ramp glyphs as their Unicode characters; 0: the ASCII ramp.
// Bytes outside the ramp are the same in both: printable ASCII as is,
// anything else a look-alike ASCII character.
void glyph_table_build(GlyphTable* table, int32_t utf8);

// Whether the user's locale (LANG / LC_ALL / LC_CTYPE) encodes text as UTF-8.
// Leaves the program's own locale untouched. 0 when the locale is unknown.
int32_t locale_is_utf8();
