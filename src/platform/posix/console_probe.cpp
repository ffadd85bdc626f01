// The read-back on POSIX systems: the headless back end's newest frame. A
// terminal cannot be read back, and the headless screen has nothing to restore.
#include "platform/console_probe.h"

#include <cstring>

ConsoleBackend platform_console_probe_backend()
{
    return CONSOLE_BACKEND_HEADLESS;
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
    int32_t count = platform_headless_frame_count();
    if (count == 0) {
        return 0;
    }
    RecordedFrame frame = platform_headless_frame(count - 1);
    if (frame.columns != columns || frame.rows != rows) {
        return 0;
    }
    size_t cells = static_cast<size_t>(columns) * rows;
    std::memcpy(characters, frame.characters, cells);
    std::memcpy(attributes, frame.attributes, cells);
    return 1;
}
