// Test helper: a deterministic moving picture of ramp glyphs in colour bands.
#include "moving_picture.h"

#include "display/cell_table.h"

namespace {

// Foreground, background pairs the conversion often picks (bright on dark).
const uint8_t FAMILIES[6][2] = {{12, 4}, {14, 6}, {10, 2}, {11, 3}, {9, 1}, {13, 5}};

}  // namespace

// Diagonal colour bands, a travelling wave of coverage, hashed glyph
// variants like a random dither.
void moving_picture_cell(int32_t x, int32_t y, int32_t t, uint8_t* character, uint8_t* attribute)
{
    int32_t band = ((x + y + 3 * t) / 10) % 6;
    int32_t wave = (x * 2 + y * 3 + t * 4) % 32;
    int32_t level = wave < 16 ? wave : 31 - wave;
    uint32_t hash = (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u) ^
                    (static_cast<uint32_t>(t) * 83492791u);
    *character = GLYPH_RAMP[level * 4 + ((hash >> 7) & 3)];
    *attribute = static_cast<uint8_t>(FAMILIES[band][1] << 4 | FAMILIES[band][0]);
}

void moving_picture(uint8_t* characters, uint8_t* attributes, int32_t t)
{
    for (int32_t y = 0; y < PICTURE_ROWS; y++) {
        for (int32_t x = 0; x < PICTURE_COLUMNS; x++) {
            int32_t i = y * PICTURE_COLUMNS + x;
            moving_picture_cell(x, y, t, &characters[i], &attributes[i]);
        }
    }
}

void moving_picture_tenth(uint8_t* characters, uint8_t* attributes, int32_t t, int32_t column, int32_t row)
{
    moving_picture(characters, attributes, t);
    for (int32_t y = row; y < row + 10; y++) {
        for (int32_t x = column; x < column + 40; x++) {
            int32_t i = y * PICTURE_COLUMNS + x;
            moving_picture_cell(x, y, t + 1, &characters[i], &attributes[i]);
        }
    }
}
