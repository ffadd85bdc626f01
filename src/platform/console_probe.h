// Reading the screen back, for the end-to-end check that a platform's console
// shows exactly the cells the display made and is given back on close.
#pragma once
#include <cstdint>

#include "platform/console.h"

// The back end whose shown cells can be read back: the Windows console
// itself, or the headless frames where the screen is a terminal.
ConsoleBackend platform_console_probe_backend();

// Writes text at the top-left of the screen that is active now. 1, or 0 when
// the screen cannot be written.
int32_t platform_console_mark_active(const char* text);

// 1 when the screen active now starts with text (the one marked before the
// display was opened is back), else 0.
int32_t platform_console_active_has_mark(const char* text);

// Copies the shown grid, columns x rows row-major, into the two arrays.
// 1, or 0 when nothing is shown or the grid is of another size.
int32_t platform_console_read_shown(uint8_t* characters, uint8_t* attributes, int32_t columns, int32_t rows);
