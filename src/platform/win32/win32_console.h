// The Windows console's state, shared by the console driver and its read-back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Win32Console {
    // Saved by the first opening and given back by the close.
    int32_t saved;                     // 1 once the fields below hold the console as we found it
    HANDLE output;                     // "CONOUT$": the buffer that was active before the first opening
    CONSOLE_CURSOR_INFO saved_cursor;  // its cursor (size and visibility)
    WORD saved_attributes;             // its text attribute
    DWORD saved_mode;                  // its console mode
    UINT saved_code_page;              // the output code page (the cells are code page 437 bytes)
    // The newest opening's screen buffers.
    int32_t open;  // 1 between an opening and the close
    HANDLE shown;  // active and written every frame
    HANDLE spare;  // created and configured like the shown one, never shown
    int32_t columns;
    int32_t rows;
    CHAR_INFO* records;                 // columns x rows, one per cell; kept between frames
    HANDLE input;                       // "CONIN$", for the keys; INVALID_HANDLE_VALUE without one
    std::vector<std::string> messages;  // lines kept while the display is open
};

// Lives for the whole process; main thread only.
extern Win32Console win32_console;

// Whether handle is a console screen buffer (not a file or a pipe).
int32_t win32_is_console(HANDLE handle);
