// The terminal console driver (ANSI sequences, UTF-8 or ASCII glyphs).
#pragma once
#include <string>

#include "platform/console.h"

extern const ConsoleDriver TERMINAL_CONSOLE_DRIVER;

// Writes one message line (a line end added) to standard error.
void terminal_write_message(const std::string& line);
