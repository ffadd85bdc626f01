// The console on POSIX systems: the terminal driver, and whether a terminal is there.
#include "platform/console_native.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/terminal_backend.h"

const ConsoleDriver* native_console_driver()
{
    return &TERMINAL_CONSOLE_DRIVER;
}

void native_write_message(const std::string& line)
{
    terminal_write_message(line);
}

int32_t platform_console_available(std::string* why)
{
    const char* reason = nullptr;
    const char* term = std::getenv("TERM");
    if (isatty(STDIN_FILENO) == 0) {
        reason = "standard input is not a terminal";
    } else if (isatty(STDOUT_FILENO) == 0) {
        reason = "standard output is not a terminal";
    } else if (term == nullptr || term[0] == '\0') {
        reason = "TERM is not set";
    } else if (std::strcmp(term, "dumb") == 0) {
        reason = "the terminal is \"dumb\" (TERM=dumb): it cannot position the cursor";
    }
    if (reason == nullptr) {
        return 1;
    }
    if (why != nullptr) {
        *why = reason;
    }
    return 0;
}

int32_t platform_stderr_is_terminal()
{
    return isatty(STDERR_FILENO) != 0 ? 1 : 0;
}
