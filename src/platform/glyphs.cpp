// Code page 437 cell bytes -> the bytes a terminal is sent for them (UTF-8 or ASCII).
#include "platform/glyphs.h"

#include <bit>
#include <cstring>

namespace {

// Ink of 4, 12, 24, 28, 40, 52, 56 and 58 of 64 pixels.
// clang-format off
const RampGlyph RAMP_GLYPHS[] = {
    {0xFA, "\xC2\xB7", '.',     {0x00, 0x00, 0x00, 0x18, 0x18, 0x00, 0x00, 0x00}},  // middle dot U+00B7
    {0xF9, "\xE2\x88\x99", ':', {0x00, 0x00, 0x18, 0x3C, 0x3C, 0x18, 0x00, 0x00}},  // bullet operator U+2219
    {0x07, "\xE2\x80\xA2", '*', {0x00, 0x18, 0x3C, 0x7E, 0x7E, 0x3C, 0x18, 0x00}},  // bullet U+2022
    {0x2B, "+", '+',            {0x18, 0x18, 0x18, 0xFF, 0xFF, 0x18, 0x18, 0x18}},  // plus sign
    {0x09, "\xE2\x97\x8B", 'o', {0x3C, 0x7E, 0xE7, 0xC3, 0xC3, 0xE7, 0x7E, 0x3C}},  // white circle U+25CB
    {0x4F, "O", 'O',            {0x7E, 0xFF, 0xE7, 0xE7, 0xE7, 0xE7, 0xFF, 0x7E}},  // capital O
    {0xE9, "\xCE\x98", '@',     {0x7E, 0xFF, 0xE7, 0xFF, 0xFF, 0xE7, 0xFF, 0x7E}},  // capital theta U+0398
    {0x30, "0", '0',            {0xFF, 0xFF, 0xE7, 0xEF, 0xF7, 0xE7, 0xFF, 0xFF}},  // digit zero, slashed
};
// clang-format on

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

const RampGlyph* ramp_glyph(uint8_t cell)
{
    for (const RampGlyph& glyph : RAMP_GLYPHS) {
        if (glyph.cell == cell) {
            return &glyph;
        }
    }
    return nullptr;
}

int32_t glyph_ink(uint8_t cell)
{
    if (cell == 0x00 || cell == 0x20 || cell == 0xFF) {
        return 0;
    }
    const RampGlyph* glyph = ramp_glyph(cell);
    if (glyph == nullptr) {
        return GLYPH_BITMAP_SIZE * GLYPH_BITMAP_SIZE / 2;
    }
    int32_t ink = 0;
    for (uint8_t row : glyph->rows) {
        ink += std::popcount(row);
    }
    return ink;
}

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
