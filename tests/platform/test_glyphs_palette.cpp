// Glyphs by locale and colour codes by mode.
#include <gtest/gtest.h>

#include <string>

#include "platform/glyphs.h"
#include "platform/palette.h"

namespace {

std::string glyph(const GlyphTable& table, int32_t cell)
{
    return std::string(reinterpret_cast<const char*>(table.bytes[cell]), table.length[cell]);
}

TEST(Glyphs, RampBytesBecomeTheirCharactersOrTheAsciiRamp)
{
    GlyphTable utf8;
    GlyphTable ascii;
    glyph_table_build(&utf8, 1);
    glyph_table_build(&ascii, 0);
    const struct {
        int32_t cell;
        const char* utf8;
        const char* ascii;
    } ramp[] = {
        {0x20, " ", " "},      {0xFA, "\u00B7", "."}, {0xF9, "\u2219", ":"}, {0x07, "\u2022", "*"}, {0x2B, "+", "+"},
        {0x09, "\u25CB", "o"}, {0x4F, "O", "O"},      {0xE9, "\u0398", "@"}, {0x30, "0", "0"},
    };
    for (const auto& entry : ramp) {
        EXPECT_EQ(glyph(utf8, entry.cell), entry.utf8) << entry.cell;
        EXPECT_EQ(glyph(ascii, entry.cell), entry.ascii) << entry.cell;
    }
}

TEST(Glyphs, EveryOtherByteIsOnePrintableAsciiCharacter)
{
    GlyphTable utf8;
    glyph_table_build(&utf8, 1);
    for (int32_t cell = 0; cell < 256; cell++) {
        if (cell == 0xFA || cell == 0xF9 || cell == 0x07 || cell == 0x09 || cell == 0xE9) {
            continue;
        }
        ASSERT_EQ(utf8.length[cell], 1) << cell;
        uint8_t byte = utf8.bytes[cell][0];
        EXPECT_TRUE(byte >= 0x20 && byte < 0x7F) << "cell " << cell << " sends " << static_cast<int>(byte);
        if (cell >= 0x20 && cell < 0x7F) {
            EXPECT_EQ(byte, cell);
        }
    }
    EXPECT_EQ(glyph(utf8, 0xDB), "#");  // full block
    EXPECT_EQ(glyph(utf8, 0x82), "e");  // e acute
    EXPECT_EQ(utf8.blank[0x20], 1);
    EXPECT_EQ(utf8.blank[0x00], 1);
    EXPECT_EQ(utf8.blank[0xFA], 0);
}

TEST(Palette, ConsoleIndicesSwapRedAndBlueForAnsi)
{
    const int32_t expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
    for (int32_t index = 0; index < 16; index++) {
        EXPECT_EQ(ansi_from_console(index), expected[index]) << index;
    }
    ColourCodes ansi;
    colour_codes_build(&ansi, CONSOLE_COLOURS_ANSI16);
    EXPECT_STREQ(ansi.foreground[1], "34");   // blue
    EXPECT_STREQ(ansi.foreground[4], "31");   // red
    EXPECT_STREQ(ansi.foreground[12], "91");  // bright red
    EXPECT_STREQ(ansi.background[7], "47");
    EXPECT_STREQ(ansi.background[9], "104");  // bright blue
    EXPECT_EQ(ansi.background_length[9], 3);

    ColourCodes truecolor;
    colour_codes_build(&truecolor, CONSOLE_COLOURS_TRUECOLOR);
    EXPECT_STREQ(truecolor.foreground[1], "38;2;0;0;128");
    EXPECT_STREQ(truecolor.background[7], "48;2;192;192;192");
    EXPECT_STREQ(truecolor.foreground[8], "38;2;128;128;128");
    EXPECT_STREQ(truecolor.background[14], "48;2;255;255;0");
}

TEST(Palette, AutomaticModeFollowsTheEnvironmentAndAForcedModeWins)
{
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, nullptr, nullptr), CONSOLE_COLOURS_ANSI16);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, nullptr, "truecolor"), CONSOLE_COLOURS_TRUECOLOR);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, nullptr, "24bit"), CONSOLE_COLOURS_TRUECOLOR);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, nullptr, "yes"), CONSOLE_COLOURS_ANSI16);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, "1", "truecolor"), CONSOLE_COLOURS_NONE);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_AUTO, "", nullptr), CONSOLE_COLOURS_ANSI16);  // empty = unset
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_ANSI16, "1", "truecolor"), CONSOLE_COLOURS_ANSI16);
    EXPECT_EQ(colours_resolve(CONSOLE_COLOURS_TRUECOLOR, "1", nullptr), CONSOLE_COLOURS_TRUECOLOR);
}

}  // namespace
