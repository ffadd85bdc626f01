// Opening and closing the display: the console, the cell arrays and the
// canvas description.
#include "display/console_display.h"

#include <cstdlib>

#include "core/framebuffer.h"
#include "platform/console.h"

ConsoleDisplay console_display = {
    .kind = 0,
    .columns = 0,
    .rows = 0,
    .characters = nullptr,
    .attributes = nullptr,
    .foreground = 7,
    .background = 0,
    .colour_scheme = COLOUR_SCHEME_UNSET,
    .sampling = SAMPLING_UNSET,
    .dither = DITHER_UNSET,
    .palette = {},
    .table = {},
    .canvas_desc = nullptr,
    .view_columns = 0,
    .view_rows = 0,
    .blocks = 0,
    .blocks_refusal_told = 0,
};

namespace {

// Where the colours cannot show half blocks the cells stand in; the reason
// is queued once and shows after the display closes.
void choose_look()
{
    console_display.blocks = platform_console_shows_blocks();
    if (console_settings.look != CONSOLE_LOOK_BLOCKS || console_display.blocks != 0 ||
        console_display.blocks_refusal_told != 0) {
        return;
    }
    console_display.blocks_refusal_told = 1;
    platform_console_message(
        "korvel: --look blocks needs 256 or 24-bit colours and UTF-8 (--color 256 or truecolor); "
        "the cells look was shown instead");
}

}  // namespace

void console_set_window(int32_t columns, int32_t rows, int32_t fullscreen)
{
    platform_console_set_window(columns, rows, fullscreen);
}

SurfaceDesc* display_open()
{
    // Start-up opens twice; the second opening replaces the first one's
    // description (and, in console_open, its arrays) instead of
    // leaking them. The terminal itself is re-entered and still restored to
    // its state before the first opening.
    std::free(console_display.canvas_desc);
    console_display.canvas_desc = nullptr;

    console_open();  // on failure stores and output do nothing; the show goes on
    display_set_option(OPT_DITHER_RANDOM);
    display_set_option(OPT_SAMPLE_DEFAULT);
    console_display.canvas_desc =
        surface_desc_create(32, CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PITCH, 0xFF, 0xFF00, 0xFF0000, 0);
    return console_display.canvas_desc;
}

void display_close()
{
    std::free(console_display.canvas_desc);
    console_display.canvas_desc = nullptr;
    console_close();
}

int32_t console_open()
{
    // From here on the display counts as a console, even if entering fails:
    // the missing arrays are what keeps stores and output away.
    console_display.kind = DISPLAY_KIND_CONSOLE;
    // A repeated opening starts without the previous arrays, so that a
    // failure below leaves none behind and a success does not leak them.
    console_release_buffers();
    display_reset_options();
    console_display.blocks = 0;
    if (platform_console_open() != 0) {
        return -1;
    }
    choose_look();
    if (console_create_buffers() != 0) {
        return -1;
    }
    cell_table_build();
    return 0;
}

int32_t console_create_buffers()
{
    if (console_display.kind != DISPLAY_KIND_CONSOLE) {
        return 0;
    }
    // The console says which grid it shows: the display's own 80 x 50, or
    // one that keeps the picture's shape in its cells.
    int32_t columns = DISPLAY_GRID_COLUMNS;
    int32_t rows = DISPLAY_GRID_ROWS;
    platform_console_grid(&columns, &rows);
    if (columns < 1 || columns > CONSOLE_MAX_COLUMNS || rows < 1 || rows > CONSOLE_MAX_ROWS) {
        columns = DISPLAY_GRID_COLUMNS;
        rows = DISPLAY_GRID_ROWS;
    }
    const size_t cells = static_cast<size_t>(columns) * rows;
    uint8_t* characters = static_cast<uint8_t*>(std::calloc(cells, 1));
    if (characters == nullptr) {
        return -1;
    }
    uint8_t* attributes = static_cast<uint8_t*>(std::calloc(cells, 1));
    if (attributes == nullptr) {
        std::free(characters);
        return -1;
    }
    // The grid size is published only together with the arrays, so that a
    // non-zero size always means the arrays exist.
    console_display.characters = characters;
    console_display.attributes = attributes;
    console_display.columns = columns;
    console_display.rows = rows;
    console_display.view_columns = columns;
    console_display.view_rows = rows;
    return 0;
}

int32_t console_release_buffers()
{
    std::free(console_display.characters);
    std::free(console_display.attributes);
    console_display.characters = nullptr;
    console_display.attributes = nullptr;
    console_display.columns = 0;
    console_display.rows = 0;
    console_display.view_columns = 0;
    console_display.view_rows = 0;
    return 0;
}

void console_close()
{
    console_release_buffers();
    if (console_display.kind == DISPLAY_KIND_CONSOLE) {
        platform_console_close();
    }
}
