// Console colour indices -> the parameters of terminal colour codes (SGR).
#pragma once
#include <cstdint>

#include "platform/console.h"

// The classic console colours by console index (bit 0 blue, bit 1 green,
// bit 2 red, bit 3 bright), red, green, blue.
extern const uint8_t CLASSIC_PALETTE[16][3];

// Console colour index (bit 0 blue) -> ANSI colour number (bit 0 red); bit 3 is kept.
int32_t ansi_from_console(int32_t index);

// The SGR parameters of every colour, e.g. "31" or "38;2;128;0;0", without
// the leading "\e[" and the closing "m". Built once at the first opening.
struct ColourCodes {
    ConsoleColours mode;  // never CONSOLE_COLOURS_AUTO once built
    char foreground[16][20];
    uint8_t foreground_length[16];
    char background[16][20];
    uint8_t background_length[16];
};

// mode AUTO is resolved from the environment first.
void colour_codes_build(ColourCodes* codes, ConsoleColours mode);

// A forced mode stays; AUTO becomes NONE when NO_COLOR is set and not empty,
// TRUECOLOR when COLORTERM is "truecolor" or "24bit", else ANSI16.
// Either text may be null (unset).
ConsoleColours colours_resolve(ConsoleColours requested, const char* no_color, const char* colorterm);
