// A grid of cells drawn as a picture: each cell an 8 x 8 glyph in the classic console colours.
#include "display/cell_picture.h"

#include <cstring>

#include "display/glyph_bitmaps.h"
#include "platform/palette.h"

namespace {

void draw_cell(uint8_t* rgb, int32_t width, int32_t cell_x, int32_t cell_y, uint8_t character, uint8_t attribute)
{
    const uint8_t* bitmap = glyph_bitmap(character);
    const uint8_t* ink = CLASSIC_PALETTE[attribute & 15];
    const uint8_t* paper = CLASSIC_PALETTE[attribute >> 4];
    for (int32_t y = 0; y < CELL_PICTURE_CELL; y++) {
        uint8_t* out =
            rgb + (static_cast<size_t>(cell_y * CELL_PICTURE_CELL + y) * width + cell_x * CELL_PICTURE_CELL) * 3;
        uint8_t bits = bitmap[y];
        for (int32_t x = 0; x < CELL_PICTURE_CELL; x++) {
            const uint8_t* colour = (bits & (0x80 >> x)) != 0 ? ink : paper;
            std::memcpy(out + x * 3, colour, 3);
        }
    }
}

}  // namespace

void cells_to_picture(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t columns,
                      int32_t rows, uint8_t* rgb)
{
    int32_t width = columns * CELL_PICTURE_CELL;
    for (int32_t cy = 0; cy < rows; cy++) {
        for (int32_t cx = 0; cx < columns; cx++) {
            size_t cell = static_cast<size_t>(cy) * stride + cx;
            draw_cell(rgb, width, cx, cy, characters[cell], attributes[cell]);
        }
    }
}

void picture_draw_label(uint8_t* rgb, int32_t width, int32_t height, int32_t x, int32_t y, const char* text,
                        const uint8_t colour[3])
{
    for (int32_t i = 0; text[i] != '\0'; i++) {
        const uint8_t* bitmap = label_glyph_bitmap(text[i]);
        for (int32_t row = 0; row < GLYPH_BITMAP_SIZE; row++) {
            for (int32_t bit = 0; bit < GLYPH_BITMAP_SIZE; bit++) {
                int32_t px = x + i * 6 + bit;  // 5-pixel glyphs, one pixel apart
                int32_t py = y + row;
                if ((bitmap[row] & (0x80 >> bit)) == 0 || px < 0 || py < 0 || px >= width || py >= height) {
                    continue;
                }
                std::memcpy(rgb + (static_cast<size_t>(py) * width + px) * 3, colour, 3);
            }
        }
    }
}
