// The console in a browser: every frame's cells kept in memory, drawn onto the page's canvas by its script.
#include "platform/console_native.h"

#include <cstdio>
#include <cstring>

#include "platform/web/web_console.h"

WebCells web_cells = {};

namespace {

int32_t open_page()
{
    return 0;
}

void close_page() {}

// The page scales whatever grid it gets, so a literal grid is honoured and
// the display's own is the default.
void grid(int32_t* columns, int32_t* rows)
{
    *columns = console_settings.grid_columns > 0 ? console_settings.grid_columns : CONSOLE_DESIGN_COLUMNS;
    *rows = console_settings.grid_rows > 0 ? console_settings.grid_rows : CONSOLE_DESIGN_ROWS;
}

void view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    *view_columns = grid_columns;
    *view_rows = grid_rows;
}

void write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t columns, int32_t rows)
{
    if (static_cast<int64_t>(columns) * rows > static_cast<int64_t>(sizeof(web_cells.characters))) {
        return;
    }
    for (int32_t y = 0; y < rows; y++) {
        std::memcpy(web_cells.characters + y * columns, characters + static_cast<size_t>(y) * stride, columns);
        std::memcpy(web_cells.attributes + y * columns, attributes + static_cast<size_t>(y) * stride, columns);
    }
    web_cells.columns = columns;
    web_cells.rows = rows;
    web_cells.blocks = 0;
    web_cells.frames++;
}

// A canvas shows every colour: the block look is shown whenever it is asked for.
int32_t shows_blocks()
{
    return console_settings.look == CONSOLE_LOOK_BLOCKS ? 1 : 0;
}

void write_blocks(const uint32_t* pixels, int32_t stride, int32_t columns, int32_t rows)
{
    if (columns > CONSOLE_MAX_COLUMNS || rows > CONSOLE_MAX_ROWS) {
        return;
    }
    for (int32_t y = 0; y < 2 * rows; y++) {
        std::memcpy(web_cells.pixels + y * columns, pixels + static_cast<size_t>(y) * stride,
                    columns * sizeof(uint32_t));
    }
    web_cells.columns = columns;
    web_cells.rows = rows;
    web_cells.blocks = 1;
    web_cells.frames++;
}

int32_t interactive()
{
    return 1;
}

// Keys reach the parser through platform_key_inject from the page's handler;
// the operations a page lacks stay null.
const ConsoleDriver WEB_CONSOLE_DRIVER = {
    .name = "web",
    .open = open_page,
    .close = close_page,
    .grid = grid,
    .view = view,
    .write = write,
    .shows_blocks = shows_blocks,
    .write_blocks = write_blocks,
    .interactive = interactive,
};

}  // namespace

const ConsoleDriver* native_console_driver()
{
    return &WEB_CONSOLE_DRIVER;
}

// Standard error is the browser's console.
void native_write_message(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
}

int32_t platform_console_available(std::string*)
{
    return 1;
}

int32_t platform_stderr_is_terminal()
{
    return 0;
}
