// Storing single cells with the current colours into the cell arrays.
#include "display/console_display.h"

void display_set_colours(int32_t foreground, int32_t background)
{
    // Unsigned comparison: a negative index is as invalid as 16.
    if (static_cast<uint32_t>(foreground) > 15 || static_cast<uint32_t>(background) > 15) {
        return;
    }
    console_display.foreground = foreground;
    console_display.background = background;
}

void display_put_cell(int32_t x, int32_t y, uint8_t character)
{
    const ConsoleDisplay& d = console_display;
    if (d.kind != DISPLAY_KIND_CONSOLE || d.characters == nullptr || d.attributes == nullptr) {
        return;
    }
    if (x < 0 || x >= d.columns || y < 0 || y >= d.rows) {
        return;
    }
    const int32_t i = y * d.columns + x;
    d.characters[i] = character;
    d.attributes[i] = static_cast<uint8_t>(d.background << 4 | d.foreground);
}
