// The precomputed nearest-pair table of the cell conversion, the palette of
// its eight candidate slots and the coverage glyph ramp.
#pragma once
#include <cstdint>

// Console colour of each candidate slot. Entries 0-3 are fixed at table
// build; the blending scheme rewrites 4-7 from every cell's hue sector, and
// they keep the last converted cell's values.
struct SlotPalette {
    int32_t colour[8];
};

// Grid of value x saturation x hue points: 32 x 32 x 16.
constexpr int32_t CELL_TABLE_VALUES = 32;
constexpr int32_t CELL_TABLE_SATURATIONS = 32;
constexpr int32_t CELL_TABLE_HUES = 16;
constexpr int32_t CELL_TABLE_SIZE = CELL_TABLE_VALUES * CELL_TABLE_SATURATIONS * CELL_TABLE_HUES;  // 16,384

// Each byte: far slot << 4 | near slot, the second nearest and the nearest
// candidate of a grid point.
struct CellTable {
    uint8_t entry[CELL_TABLE_SIZE];
};

inline int32_t cell_table_index(int32_t vi, int32_t si, int32_t hi)
{
    return (vi * CELL_TABLE_SATURATIONS + si) * CELL_TABLE_HUES + hi;
}

// 16 coverage levels of 4 variants each, code page 437 bytes; index
// level * 4 + variant. 0x07 and 0x09 are glyphs here, not control codes:
// whoever shows a cell must not interpret them.
constexpr int32_t GLYPH_LEVELS = 16;
constexpr int32_t GLYPH_VARIANTS = 4;
// clang-format off
inline constexpr uint8_t GLYPH_RAMP[GLYPH_LEVELS * GLYPH_VARIANTS] = {
    0x20, 0x20, 0x20, 0x20,  // space
    0xFA, 0xFA, 0x20, 0x20,  // middle dot, space
    0xFA, 0xFA, 0xFA, 0xFA,  // middle dot
    0xF9, 0xF9, 0xF9, 0xF9,  // small bullet
    0x07, 0xF9, 0xF9, 0xF9,  // bullet, small bullet
    0x07, 0x07, 0xF9, 0xF9,
    0x07, 0x07, 0x07, 0xF9,
    0x07, 0x07, 0x07, 0x07,  // bullet
    0x2B, 0x2B, 0x07, 0x07,  // plus sign, bullet
    0x2B, 0x2B, 0x2B, 0x2B,  // plus sign
    0x09, 0x09, 0x2B, 0x2B,  // white circle, plus sign
    0x09, 0x09, 0x09, 0x09,  // white circle
    0x4F, 0x4F, 0x09, 0x09,  // capital O, white circle
    0x4F, 0x4F, 0x4F, 0x4F,  // capital O
    0xE9, 0xE9, 0xE9, 0xE9,  // capital theta
    0x30, 0x30, 0x30, 0x30,  // digit zero
};
// clang-format on

// Fills the display's CellTable and sets its SlotPalette entries 0-3.
// Returns 0 (it cannot fail).
int32_t cell_table_build();
