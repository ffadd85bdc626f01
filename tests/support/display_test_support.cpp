// Shared set-up of the display tests.
#include "support/display_test_support.h"

#include <cstring>

#include "core/framebuffer.h"
#include "core/random.h"
#include "platform/console.h"

HeadlessDisplay::HeadlessDisplay()
{
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    display_open();
    platform_headless_clear();
}

HeadlessDisplay::~HeadlessDisplay()
{
    display_close();
    platform_headless_clear();
}

std::vector<uint32_t> uniform_canvas(uint8_t red, uint8_t green, uint8_t blue)
{
    return std::vector<uint32_t>(CANVAS_PIXELS, pack_rgb(red, green, blue));
}

std::vector<uint32_t> random_canvas(uint32_t seed)
{
    // A local generator: the shared one belongs to the code under test.
    uint32_t state = seed;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    std::vector<uint32_t> canvas(CANVAS_PIXELS);
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        const uint32_t r = next();
        switch (r % 5) {
        case 0: {  // grey, with the unused byte set to make sure it is ignored
            const uint8_t g = static_cast<uint8_t>(r >> 8);
            canvas[i] = pack_rgb(g, g, g) | 0xA5000000u;
            break;
        }
        case 1:  // a copy of the pixel to the left: flat patches
            canvas[i] = i > 0 ? canvas[i - 1] : 0;
            break;
        case 2:  // a saturated primary or secondary
            canvas[i] = pack_rgb((r >> 8) & 1 ? 255 : 0, (r >> 9) & 1 ? 255 : 0, (r >> 10) & 1 ? 255 : 0);
            break;
        default:
            canvas[i] = (r ^ next() << 3) & 0xFFFFFFu;
            break;
        }
    }
    return canvas;
}

static int32_t cell_index(int32_t x, int32_t y)
{
    return y * console_display.columns + x;
}

uint8_t cell_character(int32_t x, int32_t y)
{
    return console_display.characters[cell_index(x, y)];
}

uint8_t cell_attribute(int32_t x, int32_t y)
{
    return console_display.attributes[cell_index(x, y)];
}

ConversionResult capture_conversion()
{
    const ConsoleDisplay& d = console_display;
    const size_t cells = static_cast<size_t>(d.columns) * d.rows;
    ConversionResult r;
    r.characters.assign(d.characters, d.characters + cells);
    r.attributes.assign(d.attributes, d.attributes + cells);
    r.foreground = d.foreground;
    r.background = d.background;
    std::memcpy(r.palette, d.palette.colour, sizeof r.palette);
    r.random_state = random_state.state;
    return r;
}

void reset_conversion_state(uint32_t seed)
{
    ConsoleDisplay& d = console_display;
    const size_t cells = static_cast<size_t>(d.columns) * d.rows;
    std::memset(d.characters, 0x5A, cells);
    std::memset(d.attributes, 0x3C, cells);
    d.foreground = 7;
    d.background = 0;
    for (int32_t k = 4; k < 8; k++) {
        d.palette.colour[k] = 1;
    }
    random_seed(seed);
}
