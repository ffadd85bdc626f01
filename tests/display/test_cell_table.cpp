// The nearest-pair table, the colour conversion and the dither sources.
#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "display/cell_table.h"
#include "display/colour.h"
#include "display/console_display.h"
#include "display/dither.h"
#include "platform/glyphs.h"

namespace {

TEST(CellTable, PinnedBytesAndSum)
{
    ASSERT_EQ(cell_table_build(), 0);
    const uint8_t* t = console_display.table.entry;
    EXPECT_EQ(t[cell_table_index(0, 0, 0)], 0x10);
    EXPECT_EQ(t[cell_table_index(31, 0, 0)], 0x23);
    EXPECT_EQ(t[cell_table_index(15, 0, 0)], 0x21);
    EXPECT_EQ(t[cell_table_index(16, 0, 0)], 0x12);
    EXPECT_EQ(t[cell_table_index(31, 31, 0)], 0x57);
    EXPECT_EQ(t[cell_table_index(31, 31, 15)], 0x75);
    EXPECT_EQ(t[cell_table_index(12, 31, 0)], 0x06);
    EXPECT_EQ(t[cell_table_index(12, 31, 15)], 0x04);
    int64_t sum = 0;
    for (int32_t i = 0; i < CELL_TABLE_SIZE; i++) {
        sum += t[i];
    }
    EXPECT_EQ(sum, 900146);

    const int32_t fixed[4] = {0, 8, 7, 15};
    for (int32_t k = 0; k < 4; k++) {
        EXPECT_EQ(console_display.palette.colour[k], fixed[k]);
    }
}

// Every glyph of the ramp has its record, and a level inks more than the one below it.
TEST(CellTable, RampLevelsGainInk)
{
    int32_t previous = -1;
    for (int32_t level = 0; level < GLYPH_LEVELS; level++) {
        int32_t ink = 0;
        for (int32_t variant = 0; variant < GLYPH_VARIANTS; variant++) {
            const uint8_t glyph = GLYPH_RAMP[level * GLYPH_VARIANTS + variant];
            EXPECT_TRUE(glyph == ' ' || ramp_glyph(glyph) != nullptr) << int32_t{glyph};
            ink += glyph_ink(glyph);
        }
        EXPECT_GT(ink, previous) << "level " << level;
        previous = ink;
    }
}

TEST(Colour, HueSaturationValue)
{
    int32_t h = -1;
    int32_t s = -1;
    int32_t v = -1;
    rgb_to_hsv12(3200, 1600, 800, &h, &s, &v);
    EXPECT_EQ(h, 5461);
    EXPECT_EQ(s, 3071);
    EXPECT_EQ(v, 3200);

    rgb_to_hsv12(2048, 2048, 2048, &h, &s, &v);  // grey: no hue, no saturation
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(v, 2048);

    // Ties between equal maxima go to red, then green; negative hue offsets
    // truncate toward zero.
    rgb_to_hsv12(4080, 4080, 0, &h, &s, &v);
    EXPECT_EQ(h, 8192);
    rgb_to_hsv12(4080, 0, 4080, &h, &s, &v);
    EXPECT_EQ(h, 0);
    rgb_to_hsv12(0, 4080, 4080, &h, &s, &v);
    EXPECT_EQ(h, 16384);
    rgb_to_hsv12(100, 0, 4080, &h, &s, &v);
    EXPECT_EQ(h, 100 * 4096 / 4080 + 20480);
    rgb_to_hsv12(4080, 0, 1, &h, &s, &v);
    EXPECT_EQ(h, 4096 + (-1 * 4096 / 4080));  // -1 * 4096 / 4080 truncates to -1
    EXPECT_EQ(h, 4095);
}

TEST(Colour, CandidateDistanceTerms)
{
    // A light sector colour against black at hue 0: every term counts.
    EXPECT_EQ(candidate_distance(COLOUR_CANDIDATES[5], 0, 0, 0),
              2 * (6 * 4095 * 4095 + 3 * 4095 * 4095 + 3 * 4096 * 4096));
    EXPECT_EQ(candidate_distance(COLOUR_CANDIDATES[0], 100, 4095, 4000), 4 * 6 * 100 * 100);  // black ignores S and h
    EXPECT_EQ(candidate_distance(COLOUR_CANDIDATES[2], 2559, 10, 4000), 5 * 3 * 10 * 10);     // greys ignore h
}

TEST(Dither, OrderedSourcesWalkTheirMatrices)
{
    DitherSource d;
    ASSERT_EQ(dither_source_select(&d, OPT_DITHER_BAYER4), 0);
    d.start_row(&d, 5);  // absolute row 5 -> matrix row 1
    EXPECT_EQ(d.value(&d), 192);
    EXPECT_EQ(d.value(&d), 192);  // only advance moves on
    d.advance(&d);
    EXPECT_EQ(d.value(&d), 64);
    d.advance(&d);
    d.advance(&d);
    d.advance(&d);
    EXPECT_EQ(d.value(&d), 192);  // wrapped to column 0

    ASSERT_EQ(dither_source_select(&d, OPT_DITHER_BAYER8), 0);
    d.start_row(&d, 15);
    EXPECT_EQ(d.value(&d), 252);
    ASSERT_EQ(dither_source_select(&d, OPT_DITHER_BAYER2), 0);
    d.start_row(&d, 3);
    d.advance(&d);
    EXPECT_EQ(d.value(&d), 64);
    ASSERT_EQ(dither_source_select(&d, OPT_DITHER_NONE), 0);
    d.start_row(&d, 1);
    EXPECT_EQ(d.value(&d), 128);

    EXPECT_EQ(dither_source_select(&d, 0), -1);
    EXPECT_EQ(dither_source_select(&d, 54), -1);
    EXPECT_EQ(dither_source_select(&d, 48), -1);  // a default code is not a setting
}

TEST(Dither, RandomSourceDrawsFromTheSharedGenerator)
{
    random_seed(12345);
    const int32_t r1 = random_next();
    const int32_t r2 = random_next();
    random_seed(12345);
    DitherSource d;
    ASSERT_EQ(dither_source_select(&d, OPT_DITHER_RANDOM), 0);
    EXPECT_EQ(d.value(&d), r1 / 128);
    EXPECT_EQ(random_in_range(10, 12), 10 + r2 * 3 / 32768);
}

TEST(Dither, FillingAheadMatchesDrawingOneByOne)
{
    for (int32_t count : {0, 1, 31, 32, 33, 100, 320}) {
        random_seed(777u + static_cast<uint32_t>(count));
        std::vector<int32_t> expected;
        for (int32_t i = 0; i < count; i++) {
            expected.push_back(random_in_range(0, 255));
        }
        const uint32_t state_after = random_state.state;

        random_seed(777u + static_cast<uint32_t>(count));
        std::vector<int32_t> filled(static_cast<size_t>(count) + 1, -1);
        random_fill_bytes(filled.data(), count);
        EXPECT_EQ(filled.back(), -1) << "wrote past the end, count " << count;
        filled.pop_back();
        EXPECT_EQ(filled, expected) << count;
        EXPECT_EQ(random_state.state, state_after) << count;
    }
}

}  // namespace
