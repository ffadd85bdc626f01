// Code page 437 cell bytes -> the bytes a terminal is sent for them (UTF-8 or ASCII).
#include "platform/glyphs.h"

#include <cstring>

namespace {

// The coverage ramp of the cell conversion, byte by byte: its Unicode
// character (as UTF-8) and the ASCII character of the ASCII ramp.
struct RampGlyph {
    uint8_t cell;
    const char* utf8;
    char ascii;
};

const RampGlyph RAMP_GLYPHS[] = {
    {0xFA, "\xC2\xB7", '.'},      // middle dot U+00B7
    {0xF9, "\xE2\x88\x99", ':'},  // bullet operator U+2219
    {0x07, "\xE2\x80\xA2", '*'},  // bullet U+2022
    {0x09, "\xE2\x97\x8B", 'o'},  // white circle U+25CB
    {0xE9, "\xCE\x98", '@'},      // capital theta U+0398
};

// Look-alikes for the control range 0x00-0x1F (smileys, card suits, arrows...).
const char LOW_STAND_INS[33] = " @@*****o0o+!dd*><|!PS_|^v><L-^v";

// Look-alikes for 0x80-0xFF: accented letters lose the accent, box drawing
// becomes + - | =, shades and blocks become : % # and Greek letters their
// Latin cousins.
// clang-format off
const char HIGH_STAND_INS[129] = "CueaaaaceeeiiiAA"   // 0x80
                                 "EaAooouuyOUcLYPf"   // 0x90
                                 "aiounNao?--%%!<>"   // 0xA0
                                 ":%#|++++++|+++++"   // 0xB0
                                 "++++-+++++++=+++"   // 0xC0
                                 "+++++++++++#####"   // 0xD0
                                 "aBGpSsutFOOdoe0n"   // 0xE0
                                 "=+><||-=o..V/2# ";  // 0xF0
// clang-format on

char ascii_stand_in(uint8_t cell)
{
    if (cell < 0x20) {
        return LOW_STAND_INS[cell];
    }
    if (cell < 0x7F) {
        return static_cast<char>(cell);
    }
    if (cell == 0x7F) {
        return '^';  // the house glyph
    }
    return HIGH_STAND_INS[cell - 0x80];
}

void set_entry(GlyphTable* table, int32_t cell, const char* bytes)
{
    int32_t length = static_cast<int32_t>(std::strlen(bytes));
    std::memcpy(table->bytes[cell], bytes, static_cast<size_t>(length));
    table->length[cell] = static_cast<uint8_t>(length);
}

}  // namespace

void glyph_table_build(GlyphTable* table, int32_t utf8)
{
    std::memset(table, 0, sizeof(*table));
    for (int32_t cell = 0; cell < 256; cell++) {
        table->bytes[cell][0] = static_cast<uint8_t>(ascii_stand_in(static_cast<uint8_t>(cell)));
        table->length[cell] = 1;
    }
    for (const RampGlyph& glyph : RAMP_GLYPHS) {
        if (utf8 != 0) {
            set_entry(table, glyph.cell, glyph.utf8);
        } else {
            table->bytes[glyph.cell][0] = static_cast<uint8_t>(glyph.ascii);
        }
    }
    for (int32_t cell = 0; cell < 256; cell++) {
        table->blank[cell] = table->length[cell] == 1 && table->bytes[cell][0] == ' ';
    }
}
