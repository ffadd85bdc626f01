// Cells drawn as a picture: each glyph's 8 x 8 ink in the cell's foreground, the rest in its background.
#include <gtest/gtest.h>

#include <vector>

#include "display/cell_picture.h"
#include "platform/palette.h"

namespace {

TEST(CellPicture, KnownCellsDrawTheirGlyphsInTheirColours)
{
    // A space (white background), a plus sign (yellow on blue) and a middle
    // dot (light grey on red) in a 3 x 1 grid kept in arrays 4 cells wide.
    const uint8_t characters[4] = {' ', '+', 0xFA, 'x'};
    const uint8_t attributes[4] = {0xF0, 0x1E, 0x47, 0x00};
    std::vector<uint8_t> rgb(24 * 8 * 3, 99);
    cells_to_picture(characters, attributes, 4, 3, 1, rgb.data());
    auto at = [&](int32_t x, int32_t y) {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * 24 + x) * 3];
        return std::vector<uint8_t>{p[0], p[1], p[2]};
    };
    auto colour = [](int32_t index) {
        return std::vector<uint8_t>{CLASSIC_PALETTE[index][0], CLASSIC_PALETTE[index][1], CLASSIC_PALETTE[index][2]};
    };
    EXPECT_EQ(at(0, 0), colour(15));
    EXPECT_EQ(at(7, 7), colour(15));
    EXPECT_EQ(at(8 + 0, 0), colour(1));   // the plus's corner: background
    EXPECT_EQ(at(8 + 3, 0), colour(14));  // its stem
    EXPECT_EQ(at(8 + 0, 3), colour(14));  // its bar spans the cell
    EXPECT_EQ(at(8 + 0, 2), colour(1));
    EXPECT_EQ(at(16 + 3, 3), colour(7));  // the dot's 2 x 2 ink in the middle
    EXPECT_EQ(at(16 + 4, 4), colour(7));
    EXPECT_EQ(at(16 + 2, 3), colour(4));
    EXPECT_EQ(at(16 + 3, 5), colour(4));
    int32_t ink = 0;
    for (int32_t y = 0; y < 8; y++) {
        for (int32_t x = 16; x < 24; x++) {
            ink += at(x, y) == colour(7);
        }
    }
    EXPECT_EQ(ink, 4);
}

TEST(CellPicture, LabelsAreCutAtThePicturesEdges)
{
    std::vector<uint8_t> rgb(10 * 10 * 3, 0);
    const uint8_t white[3] = {255, 255, 255};
    picture_draw_label(rgb.data(), 10, 10, 6, 5, "88", white);
    int32_t lit = 0;
    for (uint8_t byte : rgb) {
        lit += byte == 255;
    }
    // Of the first "8" only four columns and five rows fit; the second is cut whole.
    EXPECT_EQ(rgb[(5 * 10 + 7) * 3], 255);    // its top bar
    EXPECT_EQ(rgb[(6 * 10 + 6) * 3], 255);    // its left side
    EXPECT_EQ(lit, 3 * (3 + 1 + 1 + 3 + 1));  // column 10 is past the edge
}

}  // namespace
