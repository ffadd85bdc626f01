// The terminal back end's state and the few steps that signal handlers also
// take: entering and restoring the terminal, writing all of a buffer.
#include "platform/terminal_state.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

TerminalState terminal;

namespace {

// The step of a bounded write's wait.
constexpr int32_t RESTORE_POLL_MS = 10;

// Push the title, alternate screen, hide the cursor, no auto-wrap, clear.
constexpr char ENTER_SEQUENCE[] = "\x1b[22;0t\x1b[?1049h\x1b[?25l\x1b[?7l\x1b[0m\x1b[H\x1b[2J";

int32_t environment_number(const char* name)
{
    const char* text = std::getenv(name);
    if (text == nullptr) {
        return 0;
    }
    long value = std::strtol(text, nullptr, 10);
    return value > 0 && value < 10000 ? static_cast<int32_t>(value) : 0;
}

}  // namespace

int32_t terminal_write_all(int32_t fd, const char* bytes, int32_t length)
{
    while (length > 0) {
        ssize_t written = write(fd, bytes, static_cast<size_t>(length));
        if (written > 0) {
            bytes += written;
            length -= static_cast<int32_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            // A stop signal must not wait for a terminal that has stopped reading.
            if (terminal.abandon_output.load() != 0) {
                return -1;
            }
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Someone left the terminal non-blocking; wait, but not forever.
            pollfd wait = {fd, POLLOUT, 0};
            if (poll(&wait, 1, 1000) > 0) {
                continue;
            }
        }
        return -1;  // hung up, or a write of 0 bytes that would spin
    }
    return 0;
}

int32_t terminal_write_bounded(int32_t fd, const char* bytes, int32_t length, int32_t timeout_ms)
{
    int flags = fcntl(fd, F_GETFL);
    bool made_non_blocking = flags >= 0 && (flags & O_NONBLOCK) == 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
    int32_t waited_ms = 0;
    int32_t result = 0;
    while (length > 0) {
        ssize_t written = write(fd, bytes, static_cast<size_t>(length));
        if (written > 0) {
            bytes += written;
            length -= static_cast<int32_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waited_ms < timeout_ms) {
            pollfd wait = {fd, POLLOUT, 0};
            poll(&wait, 1, RESTORE_POLL_MS);
            waited_ms += RESTORE_POLL_MS;
            continue;
        }
        result = -1;
        break;
    }
    // The descriptor is shared with the shell: it gets it back as it was.
    if (made_non_blocking) {
        fcntl(fd, F_SETFL, flags);
    }
    return result;
}

TerminalSend terminal_write_within(int32_t fd, const char* bytes, int32_t length, int32_t wait_ms, int32_t* sent)
{
    int32_t waited_ms = 0;
    while (length > 0) {
        ssize_t written = write(fd, bytes, static_cast<size_t>(length));
        if (written > 0) {
            bytes += written;
            length -= static_cast<int32_t>(written);
            *sent += static_cast<int32_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            if (terminal.abandon_output.load() != 0) {
                return TERMINAL_SENT_PART;
            }
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waited_ms >= wait_ms) {
                return TERMINAL_SENT_PART;
            }
            // Whole milliseconds on the poll's own count: a signal may cut one short.
            pollfd wait = {fd, POLLOUT, 0};
            poll(&wait, 1, 1);
            waited_ms += 1;
            continue;
        }
        return TERMINAL_SEND_FAILED;
    }
    return TERMINAL_SENT_ALL;
}

void terminal_enter()
{
    if (terminal.active.exchange(1) != 0) {
        return;
    }
    int saved_errno = errno;
    int flags = fcntl(TERMINAL_OUTPUT_FD, F_GETFL);
    if (flags >= 0 && fcntl(TERMINAL_OUTPUT_FD, F_SETFL, flags | O_NONBLOCK) == 0) {
        terminal.output_flags.store(flags);
        terminal.output_nonblocking.store(1);
    }
    tcsetattr(TERMINAL_INPUT_FD, TCSANOW, &terminal.raw_modes);
    terminal_write_all(TERMINAL_OUTPUT_FD, terminal.enter_sequence, terminal.enter_length);
    terminal_write_all(TERMINAL_OUTPUT_FD, terminal.window_request, terminal.window_request_length.load());
    errno = saved_errno;
}

int32_t terminal_restore(int32_t wait_ms)
{
    if (terminal.active.exchange(0) == 0) {
        return 0;
    }
    int saved_errno = errno;
    pollfd room = {TERMINAL_OUTPUT_FD, POLLOUT, 0};
    bool behind = terminal.output_behind.exchange(0) != 0 || poll(&room, 1, 0) != 1 || (room.revents & POLLOUT) == 0;
    if (behind) {
        tcflush(TERMINAL_OUTPUT_FD, TCOFLUSH);
    }
    terminal_write_bounded(TERMINAL_OUTPUT_FD, terminal.window_undo, terminal.window_undo_length.load(), wait_ms);
    terminal_write_bounded(TERMINAL_OUTPUT_FD, TERMINAL_RESTORE_SEQUENCE, sizeof(TERMINAL_RESTORE_SEQUENCE) - 1,
                           wait_ms);
    // The descriptor is shared with the shell: it gets it back blocking as it was.
    if (terminal.output_nonblocking.exchange(0) != 0) {
        fcntl(TERMINAL_OUTPUT_FD, F_SETFL, terminal.output_flags.load());
    }
    // The modes first, without waiting for the output to drain (a terminal
    // that stopped reading never drains); then what was typed is dropped,
    // so that no key meant for the demo reaches the shell.
    tcsetattr(TERMINAL_INPUT_FD, TCSANOW, &terminal.saved_modes);
    tcflush(TERMINAL_INPUT_FD, TCIFLUSH);
    errno = saved_errno;
    return 1;
}

void terminal_set_title_sequence(const char* title)
{
    char* out = terminal.enter_sequence;
    std::memcpy(out, ENTER_SEQUENCE, sizeof(ENTER_SEQUENCE) - 1);
    out += sizeof(ENTER_SEQUENCE) - 1;
    terminal.title_offset = static_cast<int32_t>(out - terminal.enter_sequence);
    if (title != nullptr) {
        std::memcpy(out, "\x1b]2;", 4);
        out += 4;
        // Control bytes would end the title early and run as commands.
        for (int32_t i = 0; i < TERMINAL_TITLE_CAPACITY && title[i] != '\0'; i++) {
            uint8_t byte = static_cast<uint8_t>(title[i]);
            *out++ = byte < 0x20 || byte == 0x7f ? '?' : static_cast<char>(byte);
        }
        *out++ = '\a';
    }
    terminal.enter_length = static_cast<int32_t>(out - terminal.enter_sequence);
}

void terminal_read_size()
{
    winsize size = {};
    TerminalSize result = {0, 0, 0, 0};
    if (ioctl(TERMINAL_OUTPUT_FD, TIOCGWINSZ, &size) == 0) {
        result = {size.ws_col, size.ws_row, size.ws_xpixel, size.ws_ypixel};
    }
    if (result.columns <= 0 || result.rows <= 0) {
        int32_t columns = environment_number("COLUMNS");
        int32_t rows = environment_number("LINES");
        result = {columns > 0 ? columns : 80, rows > 0 ? rows : 24, 0, 0};
    }
    terminal.size = result;
}
