// The console operations: the chosen driver and queued messages.
#include "platform/console.h"

#include <vector>

#include "platform/console_native.h"
#include "platform/headless.h"
#include "platform/recording.h"

ConsoleSettings console_settings = {CONSOLE_COLOURS_AUTO, 0, 0, 0};
// Dynamic initialisation: nothing reads the driver before main starts.
const ConsoleDriver* console_driver = native_console_driver();

namespace {

// The lines given while repeats are dropped; main thread only.
struct MessageMemory {
    int32_t once;
    std::vector<std::string> said;
};

MessageMemory message_memory;

bool said_before(const std::string& line)
{
    if (message_memory.once == 0) {
        return false;
    }
    for (const std::string& said : message_memory.said) {
        if (said == line) {
            return true;
        }
    }
    message_memory.said.push_back(line);
    return false;
}

// A message may carry a file name from the command line: its control bytes
// must not reach the terminal as commands.
std::string printable_line(const std::string& text)
{
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    for (char& c : line) {
        uint8_t byte = static_cast<uint8_t>(c);
        if (byte < 0x20 || byte == 0x7f) {
            c = byte == '\t' ? ' ' : '?';
        }
    }
    return line;
}

}  // namespace

bool console_grid_is_literal()
{
    return console_settings.grid_columns > 0 && console_settings.grid_rows > 0;
}

void console_grid_choose(int32_t own_columns, int32_t own_rows, int32_t* columns, int32_t* rows)
{
    bool literal = console_grid_is_literal();
    *columns = literal ? console_settings.grid_columns : own_columns;
    *rows = literal ? console_settings.grid_rows : own_rows;
}

void platform_console_select(ConsoleBackend backend)
{
    const ConsoleDriver* chosen = native_console_driver();
    if (backend == CONSOLE_BACKEND_HEADLESS) {
        chosen = &HEADLESS_CONSOLE_DRIVER;
    } else if (backend == CONSOLE_BACKEND_RECORDING) {
        chosen = &RECORDING_CONSOLE_DRIVER;
    }
    if (chosen != console_driver) {
        console_driver->close();
    }
    console_driver = chosen;
}

int32_t platform_console_open()
{
    return console_driver->open();
}

void platform_console_close()
{
    console_driver->close();
}

void platform_console_set_window(int32_t columns, int32_t rows, int32_t fullscreen)
{
    if (console_driver->set_window != nullptr) {
        console_driver->set_window(columns, rows, fullscreen);
    }
}

void platform_console_set_title(const char* title)
{
    if (console_driver->set_title != nullptr) {
        console_driver->set_title(title);
    }
}

void platform_console_grid(int32_t* columns, int32_t* rows)
{
    console_driver->grid(columns, rows);
}

int32_t platform_console_ready()
{
    return console_driver->ready == nullptr ? 1 : console_driver->ready();
}

void platform_console_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    console_driver->view(grid_columns, grid_rows, view_columns, view_rows);
}

void platform_console_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                            int32_t view_rows)
{
    if (characters == nullptr || attributes == nullptr) {
        return;
    }
    console_driver->write(characters, attributes, stride, view_columns, view_rows);
}

int32_t platform_console_shows_blocks()
{
    return console_driver->shows_blocks != nullptr && console_driver->write_blocks != nullptr &&
                   console_driver->shows_blocks() != 0
               ? 1
               : 0;
}

void platform_console_write_blocks(const uint32_t* pixels, int32_t stride, int32_t view_columns, int32_t view_rows)
{
    if (pixels == nullptr || platform_console_shows_blocks() == 0) {
        return;
    }
    console_driver->write_blocks(pixels, stride, view_columns, view_rows);
}

void platform_console_messages_once(int32_t on)
{
    message_memory.once = on;
    message_memory.said.clear();
}

void platform_console_message(const std::string& text)
{
    std::string line = printable_line(text);
    if (said_before(line)) {
        return;
    }
    if (console_driver->queue_message == nullptr || console_driver->queue_message(line) == 0) {
        native_write_message(line);
    }
}
