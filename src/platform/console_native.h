// The platform's own console driver and message line: one source file per platform.
#pragma once
#include <string>

#include "platform/console.h"

// The driver CONSOLE_BACKEND_TERMINAL selects: the terminal, or the Windows console.
const ConsoleDriver* native_console_driver();

// Writes one message line (a line end added) to standard error.
void native_write_message(const std::string& line);
