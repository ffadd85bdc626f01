// Console colour indices -> the parameters of terminal colour codes (SGR).
#include "platform/palette.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const uint8_t CLASSIC_PALETTE[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

int32_t ansi_from_console(int32_t index)
{
    return ((index & 1) << 2) | (index & 2) | ((index & 4) >> 2) | (index & 8);
}

ConsoleColours colours_resolve(ConsoleColours requested, const char* no_color, const char* colorterm)
{
    if (requested != CONSOLE_COLOURS_AUTO) {
        return requested;
    }
    if (no_color != nullptr && no_color[0] != '\0') {
        return CONSOLE_COLOURS_NONE;
    }
    if (colorterm != nullptr && (std::strcmp(colorterm, "truecolor") == 0 || std::strcmp(colorterm, "24bit") == 0)) {
        return CONSOLE_COLOURS_TRUECOLOR;
    }
    return CONSOLE_COLOURS_ANSI16;
}

namespace {

// base 30 (foreground) or 40 (background); bright colours use 90 / 100.
int32_t format_ansi16(char* out, int32_t index, int32_t base)
{
    int32_t ansi = ansi_from_console(index);
    int32_t code = (ansi & 8) != 0 ? base + 60 + (ansi & 7) : base + ansi;
    return std::snprintf(out, 20, "%d", code);
}

// selector 38 (foreground) or 48 (background).
int32_t format_truecolor(char* out, int32_t index, int32_t selector)
{
    const uint8_t* rgb = CLASSIC_PALETTE[index];
    return std::snprintf(out, 20, "%d;2;%d;%d;%d", selector, rgb[0], rgb[1], rgb[2]);
}

}  // namespace

void colour_codes_build(ColourCodes* codes, ConsoleColours mode)
{
    std::memset(codes, 0, sizeof(*codes));
    codes->mode = colours_resolve(mode, std::getenv("NO_COLOR"), std::getenv("COLORTERM"));
    if (codes->mode == CONSOLE_COLOURS_NONE) {
        return;
    }
    for (int32_t index = 0; index < 16; index++) {
        int32_t foreground = 0;
        int32_t background = 0;
        if (codes->mode == CONSOLE_COLOURS_TRUECOLOR) {
            foreground = format_truecolor(codes->foreground[index], index, 38);
            background = format_truecolor(codes->background[index], index, 48);
        } else {
            foreground = format_ansi16(codes->foreground[index], index, 30);
            background = format_ansi16(codes->background[index], index, 40);
        }
        codes->foreground_length[index] = static_cast<uint8_t>(foreground);
        codes->background_length[index] = static_cast<uint8_t>(background);
    }
}
