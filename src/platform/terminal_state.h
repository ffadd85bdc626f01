// The terminal back end's state and the few steps that signal handlers also
// take: entering and restoring the terminal, writing all of a buffer.
#pragma once
#include <termios.h>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/block_output.h"
#include "platform/console_view.h"
#include "platform/glyphs.h"
#include "platform/mono_glyphs.h"
#include "platform/palette.h"
#include "platform/terminal_output.h"

constexpr int32_t TERMINAL_INPUT_FD = 0;
constexpr int32_t TERMINAL_OUTPUT_FD = 1;
constexpr int32_t TERMINAL_TITLE_CAPACITY = 128;
constexpr int32_t TERMINAL_ENTER_CAPACITY = 256;
constexpr int32_t TERMINAL_WINDOW_CAPACITY = 48;

// Leaves the shown screen (any order of state is possible when a signal
// strikes): cancel a half-sent sequence, end synchronized output, default
// colours, auto-wrap and cursor back, main screen, the pushed title back.
constexpr char TERMINAL_RESTORE_SEQUENCE[] = "\x18\x1b\\\x1b[?2026l\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l\x1b[23;0t";

// Fields read by signal handlers are atomics (lock-free, so safe there);
// everything else belongs to the main thread.
struct TerminalState {
    std::atomic<int32_t> open;                // between platform_console_open and _close
    std::atomic<int32_t> active;              // raw mode and the shown screen are in force
    std::atomic<int32_t> suspended;           // restored by Ctrl-Z; re-entered on continue
    std::atomic<int32_t> resize_pending;      // size may have changed or screen lost: re-read, clear, redraw
    std::atomic<int32_t> abandon_output;      // a stop was asked for: a frame write cut short is not resumed
    std::atomic<int32_t> output_nonblocking;  // 1 while entering's non-blocking output is in force
    std::atomic<int32_t> output_flags;        // the output's file flags from before that
    std::atomic<int32_t> output_behind;       // 1 while a frame waits for the terminal to take it
    int32_t saved;                            // 1 once saved_modes holds the modes before the first opening
    termios saved_modes;
    termios raw_modes;
    char enter_sequence[TERMINAL_ENTER_CAPACITY];  // what entering writes, title included
    int32_t enter_length;
    int32_t title_offset;  // where the title's own sequence starts in enter_sequence
    TerminalSize size;
    // A window request the terminal may have honoured, sent again on every
    // re-entry, and its undoing (full screen off, the size of before the
    // first request), sent on every restore ahead of the restore sequence.
    char window_request[TERMINAL_WINDOW_CAPACITY];
    char window_undo[TERMINAL_WINDOW_CAPACITY];
    std::atomic<int32_t> window_request_length;
    std::atomic<int32_t> window_undo_length;
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
    BlockEncoder blocks;                // in use when its colours are not BLOCK_COLOURS_NONE
    MonoTable mono;                     // built at the first opening when no colours are shown
    std::vector<uint8_t> mono_grid;     // a frame's mono glyphs; sized with the view, not per frame
    std::vector<std::string> messages;  // queued while open, written to standard error at close
    // The rest of a frame the terminal has not taken yet, finished before any
    // new frame, and when the terminal last took some of it.
    const char* pending;
    int32_t pending_length;
    uint32_t pending_progress_ms;
};
static_assert(std::atomic<int32_t>::is_always_lock_free, "signal handlers read the terminal flags");

// The one terminal of the process; lives until the process ends.
extern TerminalState terminal;

// Writes every byte, retrying after signals and while the descriptor is
// non-blocking and full. Async-signal-safe. Returns 0, or -1 on an error or
// when a stop signal cut the write short (abandon_output).
int32_t terminal_write_all(int32_t fd, const char* bytes, int32_t length);

// Writes what the terminal takes within about timeout_ms and never blocks
// longer, whether or not anyone reads the terminal (the descriptor is made
// non-blocking for the call). Async-signal-safe. Returns 0, or -1 when not
// everything went out.
int32_t terminal_write_bounded(int32_t fd, const char* bytes, int32_t length, int32_t timeout_ms);

enum TerminalSend : int32_t {
    TERMINAL_SENT_ALL = 0,
    TERMINAL_SENT_PART = 1,  // the terminal took no more within the time (or a stop signal came)
    TERMINAL_SEND_FAILED = -1,
};

// Writes what the terminal takes within wait_ms (0: only what it takes at
// once) on a non-blocking descriptor, adding the count to *sent.
TerminalSend terminal_write_within(int32_t fd, const char* bytes, int32_t length, int32_t wait_ms, int32_t* sent);

// Raw mode and the shown screen, then the title; the output becomes
// non-blocking, so that a terminal that stops reading cannot hold the
// program in a write. Async-signal-safe.
// Does nothing when already active.
void terminal_enter();

// How long a restore waits for a terminal that does not take its bytes: a
// busy terminal gets time to catch up; a process ending at once (a second
// stop signal, a crash) does not wait for one that stopped reading.
constexpr int32_t RESTORE_PATIENT_MS = 3000;
constexpr int32_t RESTORE_HURRIED_MS = 200;

// Back to the modes and screen of before the first opening, waiting at most
// about wait_ms for the terminal to take the bytes; the modes never wait.
// When the terminal is behind (a frame still waiting, or no room for more),
// the output it has not taken yet is stale picture: it is dropped, so that
// the restore goes out now and a terminal that resumes reading finds it.
// Async-signal-safe and idempotent. Returns 1 when it restored something, 0
// when nothing was active.
int32_t terminal_restore(int32_t wait_ms);

// Rebuilds the enter sequence with a new title (main thread).
void terminal_set_title_sequence(const char* title);

// Re-reads the size (TIOCGWINSZ); a terminal that reports nothing counts as
// COLUMNS x LINES from the environment, else 80 x 24.
void terminal_read_size();
