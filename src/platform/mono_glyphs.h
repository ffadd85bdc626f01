// Cells without colour: each cell's glyph chosen by how bright the cell looks.
#pragma once
#include <cstdint>

// Glyphs of increasing ink, from a blank cell to the densest one.
constexpr char MONO_RAMP[] = " .:-=+*#%@";
constexpr int32_t MONO_LEVELS = sizeof(MONO_RAMP) - 1;

// The glyph of every (cell byte, attribute byte) pair: the cell's brightness
// is its background's, blended with its foreground's by how much of the cell
// the glyph covers, both in the classic console colours.
struct MonoTable {
    uint8_t glyph[256][256];
};

void mono_table_build(MonoTable* table);

// Writes the mono glyphs of columns x rows cells (rows stride cells apart)
// into out, columns cells a row.
void mono_cells(const MonoTable* table, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                int32_t columns, int32_t rows, uint8_t* out);
