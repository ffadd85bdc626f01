// The read-back on Windows: ReadConsoleOutputA of the shown buffer, and the
// buffer that "CONOUT$" names (the active one) for the check after closing.
#include "platform/console_probe.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32/win32_console.h"

namespace {

// The active screen buffer, whichever it is now.
HANDLE open_active()
{
    return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ConsoleBackend platform_console_probe_backend()
{
    return CONSOLE_BACKEND_TERMINAL;
}

int32_t platform_console_mark_active(const char* text)
{
    AllocConsole();
    HANDLE active = open_active();
    if (active == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD length = static_cast<DWORD>(std::strlen(text));
    DWORD written = 0;
    BOOL ok = WriteConsoleOutputCharacterA(active, text, length, COORD{0, 0}, &written);
    CloseHandle(active);
    return ok != 0 && written == length ? 1 : 0;
}

int32_t platform_console_active_has_mark(const char* text)
{
    HANDLE active = open_active();
    if (active == INVALID_HANDLE_VALUE) {
        return 0;
    }
    char found[256] = {};
    DWORD length = static_cast<DWORD>(std::strlen(text));
    DWORD read = 0;
    BOOL ok = length < sizeof(found) && ReadConsoleOutputCharacterA(active, found, length, COORD{0, 0}, &read) != 0;
    CloseHandle(active);
    return ok && read == length && std::memcmp(found, text, length) == 0 ? 1 : 0;
}

int32_t platform_console_read_shown(uint8_t* characters, uint8_t* attributes, int32_t columns, int32_t rows)
{
    const Win32Console& c = win32_console;
    if (c.open == 0 || c.columns != columns || c.rows != rows) {
        return 0;
    }
    size_t cells = static_cast<size_t>(columns) * rows;
    auto* records = static_cast<CHAR_INFO*>(std::calloc(cells, sizeof(CHAR_INFO)));
    if (records == nullptr) {
        return 0;
    }
    COORD size = {static_cast<SHORT>(columns), static_cast<SHORT>(rows)};
    SMALL_RECT region = {0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    BOOL ok = ReadConsoleOutputA(c.shown, records, size, COORD{0, 0}, &region);
    for (size_t i = 0; ok != 0 && i < cells; i++) {
        characters[i] = static_cast<uint8_t>(records[i].Char.AsciiChar);
        attributes[i] = static_cast<uint8_t>(records[i].Attributes & 0xFF);
    }
    std::free(records);
    return ok != 0 ? 1 : 0;
}
