// The read-back in a browser: the cells the page was last handed; the page has nothing to restore.
#include "platform/console_probe.h"

#include <cstring>

#include "platform/web/web_console.h"

ConsoleBackend platform_console_probe_backend()
{
    return CONSOLE_BACKEND_TERMINAL;
}

int32_t platform_console_mark_active(const char*)
{
    return 1;
}

int32_t platform_console_active_has_mark(const char*)
{
    return 1;
}

int32_t platform_console_read_shown(uint8_t* characters, uint8_t* attributes, int32_t columns, int32_t rows)
{
    if (web_cells.frames == 0 || web_cells.blocks != 0 || web_cells.columns != columns || web_cells.rows != rows) {
        return 0;
    }
    size_t cells = static_cast<size_t>(columns) * rows;
    std::memcpy(characters, web_cells.characters, cells);
    std::memcpy(attributes, web_cells.attributes, cells);
    return 1;
}
