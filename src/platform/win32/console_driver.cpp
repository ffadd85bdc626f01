// The Windows console driver: two screen buffers of the grid's size, one shown
// and written whole every frame with one block output, the console restored on close.
#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/console_native.h"
#include "platform/signals.h"
#include "platform/win32/win32_console.h"

// Every handle starts as "none"; the first opening fills them.
Win32Console win32_console = {
    .saved = 0,
    .output = INVALID_HANDLE_VALUE,
    .saved_cursor = {},
    .saved_attributes = 0,
    .saved_mode = 0,
    .saved_code_page = 0,
    .open = 0,
    .shown = INVALID_HANDLE_VALUE,
    .spare = INVALID_HANDLE_VALUE,
    .columns = 0,
    .rows = 0,
    .records = nullptr,
    .input = INVALID_HANDLE_VALUE,
    .messages = {},
};

namespace {

constexpr DWORD SHOWN_OUTPUT_MODE = 0x0010;
constexpr UINT CELL_CODE_PAGE = 437;
constexpr DWORD FULLSCREEN_DISPLAY_MODE = 1;

typedef BOOL(WINAPI* SetDisplayModeFn)(HANDLE, DWORD, PCOORD);

void console_close();

// Whichever path leaves the program, the console is given back.
void close_at_exit()
{
    console_close();
}

HANDLE open_console_file(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The first opening notes the console as it was; every later one keeps that.
int32_t save_first_console()
{
    Win32Console& c = win32_console;
    if (c.saved != 0) {
        return 0;
    }
    // Fails when the process has a console already, as it normally does.
    AllocConsole();
    c.output = open_console_file("CONOUT$");
    if (c.output == INVALID_HANDLE_VALUE) {
        return -1;
    }
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    c.saved_attributes = GetConsoleScreenBufferInfo(c.output, &info) != 0 ? info.wAttributes : 7;
    if (GetConsoleCursorInfo(c.output, &c.saved_cursor) == 0) {
        c.saved_cursor = CONSOLE_CURSOR_INFO{25, TRUE};
    }
    if (GetConsoleMode(c.output, &c.saved_mode) == 0) {
        c.saved_mode = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;
    }
    c.saved_code_page = GetConsoleOutputCP();
    c.input = open_console_file("CONIN$");
    c.saved = 1;
    std::atexit(close_at_exit);
    return 0;
}

HANDLE create_buffer()
{
    HANDLE buffer =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, 0, nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    return buffer == nullptr ? INVALID_HANDLE_VALUE : buffer;
}

// Sized to the grid, mode 0 and no cursor. A cursor size of 0 is refused by
// the console, so the hidden cursor keeps a size of 1.
void configure_buffer(HANDLE buffer, int32_t columns, int32_t rows)
{
    SetConsoleScreenBufferSize(buffer, COORD{static_cast<SHORT>(columns), static_cast<SHORT>(rows)});
    SetConsoleMode(buffer, 0);
    CONSOLE_CURSOR_INFO hidden = {1, FALSE};
    SetConsoleCursorInfo(buffer, &hidden);
}

void close_handle(HANDLE* handle)
{
    if (*handle != INVALID_HANDLE_VALUE) {
        CloseHandle(*handle);
    }
    *handle = INVALID_HANDLE_VALUE;
}

// The buffers of an earlier opening go once the new ones are shown.
void release_buffers(HANDLE shown, HANDLE spare, CHAR_INFO* records)
{
    close_handle(&spare);
    close_handle(&shown);
    std::free(records);
}

void console_grid(int32_t* columns, int32_t* rows)
{
    console_grid_choose(CONSOLE_DESIGN_COLUMNS, CONSOLE_DESIGN_ROWS, columns, rows);
}

int32_t create_buffers()
{
    Win32Console& c = win32_console;
    int32_t columns = 0;
    int32_t rows = 0;
    console_grid(&columns, &rows);
    HANDLE shown = create_buffer();
    HANDLE spare = shown == INVALID_HANDLE_VALUE ? INVALID_HANDLE_VALUE : create_buffer();
    auto* records = static_cast<CHAR_INFO*>(std::calloc(static_cast<size_t>(columns) * rows, sizeof(CHAR_INFO)));
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (spare == INVALID_HANDLE_VALUE || records == nullptr || GetConsoleScreenBufferInfo(c.output, &info) == 0) {
        release_buffers(shown, spare, records);
        return -1;
    }
    configure_buffer(shown, columns, rows);
    configure_buffer(spare, columns, rows);
    SetConsoleActiveScreenBuffer(shown);
    if (c.open != 0) {
        release_buffers(c.shown, c.spare, c.records);
    }
    c.shown = shown;
    c.spare = spare;
    c.records = records;
    c.columns = columns;
    c.rows = rows;
    return 0;
}

int32_t console_open()
{
    Win32Console& c = win32_console;
    if (save_first_console() != 0) {
        return -1;
    }
    platform_signals_install();
    CONSOLE_CURSOR_INFO hidden = c.saved_cursor;
    hidden.bVisible = FALSE;
    SetConsoleCursorInfo(c.output, &hidden);
    SetConsoleMode(c.output, SHOWN_OUTPUT_MODE);
    SetConsoleOutputCP(CELL_CODE_PAGE);
    if (create_buffers() != 0) {
        return -1;
    }
    c.open = 1;
    return 0;
}

// Gives back the buffer, attribute, cursor, mode and code page found by the
// first opening, however often the display was opened.
void console_close()
{
    Win32Console& c = win32_console;
    if (c.open == 0) {
        return;
    }
    c.open = 0;
    SetConsoleActiveScreenBuffer(c.output);
    release_buffers(c.shown, c.spare, c.records);
    c.shown = INVALID_HANDLE_VALUE;
    c.spare = INVALID_HANDLE_VALUE;
    c.records = nullptr;
    SetConsoleTextAttribute(c.output, c.saved_attributes);
    SetConsoleCursorInfo(c.output, &c.saved_cursor);
    SetConsoleMode(c.output, c.saved_mode);
    if (c.saved_code_page != 0) {
        SetConsoleOutputCP(c.saved_code_page);
    }
    for (const std::string& line : c.messages) {
        native_write_message(line);
    }
    c.messages.clear();
}

// The standard output when it is the console, else the console itself.
HANDLE window_handle()
{
    HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
    return win32_is_console(standard) != 0 ? standard : win32_console.output;
}

void console_set_window(int32_t columns, int32_t rows, int32_t fullscreen)
{
    HANDLE out = window_handle();
    if (columns <= 0 || rows <= 0 || out == INVALID_HANDLE_VALUE) {
        return;
    }
    COORD size = {static_cast<SHORT>(columns), static_cast<SHORT>(rows)};
    SMALL_RECT window = {0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    // A buffer cannot be made smaller than its window: shrink the window first then.
    if (SetConsoleScreenBufferSize(out, size) == 0) {
        SMALL_RECT corner = {0, 0, 0, 0};
        SetConsoleWindowInfo(out, TRUE, &corner);
        SetConsoleScreenBufferSize(out, size);
    }
    SetConsoleWindowInfo(out, TRUE, &window);
    if (fullscreen == 0) {
        return;
    }
    // Gone from newer systems: looked up at run time and skipped when missing.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set_mode = kernel != nullptr ? reinterpret_cast<SetDisplayModeFn>(
                                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetConsoleDisplayMode")))
                                      : nullptr;
    if (set_mode != nullptr) {
        COORD new_size = size;
        set_mode(out, FULLSCREEN_DISPLAY_MODE, &new_size);
    }
}

void console_set_title(const char* title)
{
    if (title != nullptr) {
        SetConsoleTitleA(title);
    }
}

void console_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    *view_columns = grid_columns;
    *view_rows = grid_rows;
}

// One block output of the whole grid; the attribute word is the cell's
// attribute byte (foreground in the low nibble, background in the high one).
void console_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                   int32_t view_rows)
{
    Win32Console& c = win32_console;
    if (c.open == 0 || c.records == nullptr) {
        return;
    }
    int32_t columns = view_columns < c.columns ? view_columns : c.columns;
    int32_t rows = view_rows < c.rows ? view_rows : c.rows;
    for (int32_t y = 0; y < rows; y++) {
        const uint8_t* row_characters = characters + static_cast<size_t>(y) * stride;
        const uint8_t* row_attributes = attributes + static_cast<size_t>(y) * stride;
        CHAR_INFO* record = c.records + static_cast<size_t>(y) * c.columns;
        for (int32_t x = 0; x < columns; x++) {
            record[x].Char.AsciiChar = static_cast<CHAR>(row_characters[x]);
            record[x].Attributes = row_attributes[x];
        }
    }
    COORD size = {static_cast<SHORT>(c.columns), static_cast<SHORT>(c.rows)};
    SMALL_RECT region = {0, 0, static_cast<SHORT>(c.columns - 1), static_cast<SHORT>(c.rows - 1)};
    WriteConsoleOutputA(c.shown, c.records, size, COORD{0, 0}, &region);
}

int32_t console_ready()
{
    return 1;
}

// The characters of the keys pressed since the last call; keys without one
// (arrows, function keys, shifts) are consumed and dropped.
int32_t console_read_input(uint8_t* bytes, int32_t capacity)
{
    HANDLE input = win32_console.input;
    DWORD waiting = 0;
    if (input == INVALID_HANDLE_VALUE || capacity <= 0 || GetNumberOfConsoleInputEvents(input, &waiting) == 0) {
        return 0;
    }
    int32_t count = 0;
    while (waiting > 0 && count < capacity) {
        INPUT_RECORD record = {};
        DWORD read = 0;
        if (ReadConsoleInputA(input, &record, 1, &read) == 0 || read == 0) {
            break;
        }
        waiting--;
        if (record.EventType != KEY_EVENT || record.Event.KeyEvent.bKeyDown == 0) {
            continue;
        }
        uint8_t byte = static_cast<uint8_t>(record.Event.KeyEvent.uChar.AsciiChar);
        for (WORD n = 0; byte != 0 && n < record.Event.KeyEvent.wRepeatCount && count < capacity; n++) {
            bytes[count++] = byte;
        }
    }
    return count;
}

int32_t console_interactive()
{
    return win32_console.input != INVALID_HANDLE_VALUE ? 1 : 0;
}

int32_t console_queue_message(const std::string& line)
{
    if (win32_console.open == 0) {
        return 0;
    }
    win32_console.messages.push_back(line);
    return 1;
}

}  // namespace

// 16 colours: no half blocks, so the block look falls back to cells.
const ConsoleDriver WIN32_CONSOLE_DRIVER = {
    .name = "windows console",
    .open = console_open,
    .close = console_close,
    .grid = console_grid,
    .view = console_view,
    .write = console_write,
    .set_window = console_set_window,
    .set_title = console_set_title,
    .ready = console_ready,
    .read_input = console_read_input,
    .interactive = console_interactive,
    .queue_message = console_queue_message,
};

int32_t win32_is_console(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode) != 0 ? 1 : 0;
}

const ConsoleDriver* native_console_driver()
{
    return &WIN32_CONSOLE_DRIVER;
}

void native_write_message(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

// A double-clicked korvel.exe gets a console of its own, so only a missing
// console (a program started detached) stops the show.
int32_t platform_console_available(std::string* why)
{
    HANDLE probe = open_console_file("CONOUT$");
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return 1;
    }
    if (AllocConsole() != 0) {
        return 1;
    }
    if (why != nullptr) {
        *why = "there is no console to show the picture in (start korvel.exe from cmd or by double-click)";
    }
    return 0;
}

int32_t platform_stderr_is_terminal()
{
    return win32_is_console(GetStdHandle(STD_ERROR_HANDLE));
}
