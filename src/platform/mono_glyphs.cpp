// The ink ramp of a picture shown without colour codes.
#include "platform/mono_glyphs.h"

#include "platform/glyphs.h"
#include "platform/palette.h"

namespace {

// Perceived brightness of a console colour, 0..255 (weights of 1/1000).
int32_t luminance(int32_t index)
{
    const uint8_t* c = CLASSIC_PALETTE[index & 15];
    return (299 * c[0] + 587 * c[1] + 114 * c[2]) / 1000;
}

constexpr int32_t CELL_PIXELS = GLYPH_BITMAP_SIZE * GLYPH_BITMAP_SIZE;

}  // namespace

void mono_table_build(MonoTable* table)
{
    for (int32_t character = 0; character < 256; character++) {
        int32_t ink = glyph_ink(static_cast<uint8_t>(character));
        for (int32_t attribute = 0; attribute < 256; attribute++) {
            int32_t background = luminance(attribute >> 4);
            int32_t foreground = luminance(attribute & 15);
            int32_t brightness = (background * (CELL_PIXELS - ink) + foreground * ink) / CELL_PIXELS;
            int32_t level = brightness * MONO_LEVELS / 256;
            table->glyph[character][attribute] = static_cast<uint8_t>(MONO_RAMP[level]);
        }
    }
}

void mono_cells(const MonoTable* table, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                int32_t columns, int32_t rows, uint8_t* out)
{
    for (int32_t y = 0; y < rows; y++) {
        const uint8_t* row_characters = characters + y * stride;
        const uint8_t* row_attributes = attributes + y * stride;
        uint8_t* row_out = out + y * columns;
        for (int32_t x = 0; x < columns; x++) {
            row_out[x] = table->glyph[row_characters[x]][row_attributes[x]];
        }
    }
}
