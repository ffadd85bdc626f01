// The terminal console driver: raw mode, the shown screen, frames as changed cells.
#include "platform/terminal_backend.h"

#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/signals.h"
#include "platform/terminal_state.h"

namespace {

// How long one frame may spend on its bytes before the loop goes on to read
// keys and signals; the rest waits for the terminal to take it.
constexpr int32_t FRAME_SEND_MS = 16;
// A terminal that took nothing for this long has stopped reading (a frozen
// emulator, a stalled link): the frame is given up and the next one, after a
// cancel of any half-sent sequence, is written whole.
constexpr uint32_t FRAME_STALL_MS = 250;
constexpr char CANCEL_SEQUENCE[] = "\x18\x1b\\";

// Keys arrive byte by byte without echo; Ctrl-C and Ctrl-Z still signal;
// a read returns at once with what is there.
termios raw_from(const termios& saved)
{
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | ISTRIP);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    return raw;
}

void terminal_close();

// Whichever driver is in force by then, the terminal is given back.
void close_at_exit()
{
    terminal_close();
}

// Only the first opening saves the modes: closing always returns to them.
int32_t save_first_modes()
{
    if (terminal.saved != 0) {
        return 0;
    }
    if (tcgetattr(TERMINAL_INPUT_FD, &terminal.saved_modes) != 0) {
        return -1;
    }
    terminal.raw_modes = raw_from(terminal.saved_modes);
    int32_t utf8 = console_settings.force_ascii != 0 ? 0 : locale_is_utf8();
    glyph_table_build(&terminal.glyphs, utf8);
    colour_codes_build(&terminal.colours, console_settings.colours);
    // Half blocks need UTF-8 and more than 16 colours; else the cells stand in.
    bool blocks = console_settings.look == CONSOLE_LOOK_BLOCKS && utf8 != 0;
    block_encoder_setup(&terminal.blocks, blocks
                                              ? block_colours_resolve(console_settings.colours, terminal.colours.mode)
                                              : BLOCK_COLOURS_NONE);
    if (terminal.colours.mode == CONSOLE_COLOURS_NONE) {
        mono_table_build(&terminal.mono);
    }
    frame_encoder_setup(&terminal.encoder, &terminal.glyphs, &terminal.colours);
    if (terminal.enter_length == 0) {
        terminal_set_title_sequence(nullptr);
    }
    terminal.saved = 1;
    // A path out of the program that skips the close still restores.
    std::atexit(close_at_exit);
    return 0;
}

// The rest of a frame is given up: a cancel ends whatever sequence it was
// in, and the next frame redraws everything.
void abandon_pending()
{
    if (terminal.pending_length > 0) {
        terminal.pending = CANCEL_SEQUENCE;
        terminal.pending_length = sizeof(CANCEL_SEQUENCE) - 1;
        terminal.pending_progress_ms = platform_monotonic_ms();
    }
    frame_encoder_invalidate(&terminal.encoder);
    block_encoder_invalidate(&terminal.blocks);
}

// Resizes and resumes reach the main thread here: re-read, clear, redraw all.
void take_terminal_events()
{
    if (terminal.resize_pending.exchange(0) != 0) {
        terminal_read_size();
        abandon_pending();
    }
}

int32_t terminal_open()
{
    if (isatty(TERMINAL_INPUT_FD) == 0 || isatty(TERMINAL_OUTPUT_FD) == 0) {
        return -1;
    }
    if (save_first_modes() != 0) {
        return -1;
    }
    platform_signals_install();
    terminal.open.store(1);
    if (terminal.active.load() != 0) {
        // Opened again while open: the screen is already ours, pushing the
        // title or saving the cursor twice would lose the user's on close.
        terminal.resize_pending.store(1);
        return 0;
    }
    terminal_enter();
    terminal_read_size();
    frame_encoder_invalidate(&terminal.encoder);
    block_encoder_invalidate(&terminal.blocks);
    return 0;
}

void terminal_close()
{
    if (terminal.open.exchange(0) == 0) {
        return;
    }
    terminal_restore(RESTORE_PATIENT_MS);
    terminal.pending_length = 0;
    terminal.output_behind.store(0);
    terminal.suspended.store(0);
    for (const std::string& line : terminal.messages) {
        terminal_write_message(line);
    }
    terminal.messages.clear();
}

void terminal_set_window(int32_t columns, int32_t rows, int32_t fullscreen)
{
    // The window is the user's: it is only asked to change on request.
    if (terminal.active.load() == 0 || columns <= 0 || rows <= 0 || console_settings.resize_window == 0) {
        return;
    }
    // Most terminals ignore these; the size is always taken from TIOCGWINSZ.
    // The undo is prepared before the request goes out, so a signal arriving
    // in between finds it ready; it keeps the size of before the first request.
    if (terminal.window_undo_length.load() == 0) {
        int32_t undo_length =
            std::snprintf(terminal.window_undo, sizeof(terminal.window_undo), "%s\x1b[8;%d;%dt",
                          fullscreen != 0 ? "\x1b[10;0t" : "", terminal.size.rows, terminal.size.columns);
        terminal.window_undo_length.store(undo_length);
    }
    int32_t length = std::snprintf(terminal.window_request, sizeof(terminal.window_request), "\x1b[8;%d;%dt%s", rows,
                                   columns, fullscreen != 0 ? "\x1b[10;1t" : "");
    terminal.window_request_length.store(length);
    terminal_write_all(TERMINAL_OUTPUT_FD, terminal.window_request, length);
}

void terminal_set_title(const char* title)
{
    terminal_set_title_sequence(title);
    if (terminal.active.load() != 0) {
        terminal_write_all(TERMINAL_OUTPUT_FD, terminal.enter_sequence + terminal.title_offset,
                           terminal.enter_length - terminal.title_offset);
    }
}

void terminal_grid(int32_t* columns, int32_t* rows)
{
    console_grid_choose(CONSOLE_AUTO_COLUMNS, CONSOLE_AUTO_ROWS, columns, rows);
}

void lose_terminal_if_gone()
{
    if (errno == EPIPE || errno == EIO) {
        platform_stop_lost_terminal();
    }
}

// Sends what the terminal takes of the pending bytes within wait_ms. Returns
// 1 when nothing is pending any more.
int32_t send_pending(int32_t wait_ms)
{
    int32_t sent = 0;
    TerminalSend result =
        terminal_write_within(TERMINAL_OUTPUT_FD, terminal.pending, terminal.pending_length, wait_ms, &sent);
    terminal.pending += sent;
    terminal.pending_length -= sent;
    uint32_t now = platform_monotonic_ms();
    if (sent > 0) {
        terminal.pending_progress_ms = now;
    }
    if (result == TERMINAL_SEND_FAILED) {
        lose_terminal_if_gone();
        terminal.pending_length = 0;
        frame_encoder_invalidate(&terminal.encoder);
        block_encoder_invalidate(&terminal.blocks);
    }
    terminal.output_behind.store(terminal.pending_length > 0 ? 1 : 0);
    if (terminal.pending_length == 0) {
        return 1;
    }
    if (now - terminal.pending_progress_ms >= FRAME_STALL_MS && terminal.pending != CANCEL_SEQUENCE) {
        abandon_pending();
    }
    return 0;
}

// A terminal that has not taken the last frame yet (a slow link, a paused
// output) would only queue this one behind it: the picture then lags the
// music. The kernel's queue count reads 0 on a pseudo-terminal, so ask poll.
int32_t terminal_ready()
{
    if (terminal.active.load() == 0) {
        return 1;
    }
    take_terminal_events();
    if (terminal.pending_length > 0 && send_pending(0) == 0) {
        return 0;
    }
    pollfd out = {TERMINAL_OUTPUT_FD, POLLOUT, 0};
    return poll(&out, 1, 0) == 1 && (out.revents & POLLOUT) != 0 ? 1 : 0;
}

void terminal_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    if (terminal.open.load() == 0) {
        *view_columns = grid_columns;
        *view_rows = grid_rows;
        return;
    }
    take_terminal_events();
    ConsoleFit fit = console_grid_is_literal() ? CONSOLE_FIT_GRID : CONSOLE_FIT_ASPECT;
    console_view_fit(terminal.size, grid_columns, grid_rows, fit, view_columns, view_rows);
}

// Whether a frame of the view's size may be encoded now, and the part of it
// that fits the terminal (clipped to the current size).
bool frame_may_go(int32_t view_columns, int32_t view_rows, int32_t* columns, int32_t* rows)
{
    if (terminal.open.load() == 0 || terminal.active.load() == 0) {
        return false;
    }
    take_terminal_events();
    // A frame still going out keeps the encoder's buffer: this one waits.
    if (terminal.pending_length > 0 && send_pending(0) == 0) {
        return false;
    }
    // A resize between the view and this write: show what fits, the next
    // frame gets a view for the new size. Never write past the edges.
    *columns = view_columns < terminal.size.columns ? view_columns : terminal.size.columns;
    *rows = view_rows < terminal.size.rows ? view_rows : terminal.size.rows;
    return *columns > 0 && *rows > 0;
}

// The encoder's bytes become the pending frame; what the terminal takes within
// the frame's time goes out now, the rest on later frames.
void start_frame(const char* bytes, int32_t length)
{
    if (length <= 0) {
        return;
    }
    terminal.pending = bytes;
    terminal.pending_length = length;
    terminal.pending_progress_ms = platform_monotonic_ms();
    send_pending(FRAME_SEND_MS);
}

void terminal_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                    int32_t view_rows)
{
    int32_t columns = 0;
    int32_t rows = 0;
    if (!frame_may_go(view_columns, view_rows, &columns, &rows)) {
        return;
    }
    int32_t origin_column = (terminal.size.columns - columns) / 2;
    int32_t origin_row = (terminal.size.rows - rows) / 2;
    frame_encoder_place(&terminal.encoder, columns, rows, origin_column, origin_row);
    frame_encoder_surround(&terminal.encoder, terminal.size.columns, terminal.size.rows);
    // Without colours the glyph alone must carry the picture: pick it by brightness.
    if (terminal.colours.mode == CONSOLE_COLOURS_NONE) {
        size_t cells = static_cast<size_t>(columns) * rows;
        if (terminal.mono_grid.size() < cells) {
            terminal.mono_grid.resize(cells);
        }
        mono_cells(&terminal.mono, characters, attributes, stride, columns, rows, terminal.mono_grid.data());
        characters = terminal.mono_grid.data();
        attributes = terminal.mono_grid.data();  // not shown without colours
        stride = columns;
    }
    const char* bytes = nullptr;
    int32_t length = frame_encode(&terminal.encoder, characters, attributes, stride, &bytes);
    start_frame(bytes, length);
}

int32_t terminal_shows_blocks()
{
    return terminal.blocks.colours != BLOCK_COLOURS_NONE ? 1 : 0;
}

void terminal_write_blocks(const uint32_t* pixels, int32_t stride, int32_t view_columns, int32_t view_rows)
{
    int32_t columns = 0;
    int32_t rows = 0;
    if (!frame_may_go(view_columns, view_rows, &columns, &rows)) {
        return;
    }
    block_encoder_place(&terminal.blocks, columns, rows, (terminal.size.columns - columns) / 2,
                        (terminal.size.rows - rows) / 2);
    block_encoder_surround(&terminal.blocks, terminal.size.columns, terminal.size.rows);
    const char* bytes = nullptr;
    int32_t length = block_encode(&terminal.blocks, pixels, stride, &bytes);
    start_frame(bytes, length);
}

int32_t terminal_queue_message(const std::string& line)
{
    if (terminal.open.load() == 0) {
        return 0;
    }
    terminal.messages.push_back(line);
    return 1;
}

// Only in raw mode does a read never block (VMIN = VTIME = 0).
int32_t terminal_read_input(uint8_t* bytes, int32_t capacity)
{
    if (terminal.active.load() == 0 || capacity <= 0) {
        return 0;
    }
    ssize_t count = read(TERMINAL_INPUT_FD, bytes, static_cast<size_t>(capacity));
    return count > 0 ? static_cast<int32_t>(count) : 0;
}

int32_t terminal_interactive()
{
    return isatty(TERMINAL_INPUT_FD) != 0 ? 1 : 0;
}

}  // namespace

const ConsoleDriver TERMINAL_CONSOLE_DRIVER = {
    .name = "terminal",
    .open = terminal_open,
    .close = terminal_close,
    .grid = terminal_grid,
    .view = terminal_view,
    .write = terminal_write,
    .set_window = terminal_set_window,
    .set_title = terminal_set_title,
    .shows_blocks = terminal_shows_blocks,
    .write_blocks = terminal_write_blocks,
    .ready = terminal_ready,
    .read_input = terminal_read_input,
    .interactive = terminal_interactive,
    .queue_message = terminal_queue_message,
};

void terminal_write_message(const std::string& line)
{
    std::string text = line;
    text.push_back('\n');
    terminal_write_all(STDERR_FILENO, text.data(), static_cast<int32_t>(text.size()));
}
