// The console stand-in: the display hands it whole grids of cells and it
// shows them on a terminal (ANSI/UTF-8) or keeps them in memory (headless).
// The engine reaches the terminal only through these operations.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum ConsoleBackend : int32_t {
    CONSOLE_BACKEND_TERMINAL = 0,  // standard output is a terminal
    CONSOLE_BACKEND_HEADLESS = 1,  // frames recorded in memory, nothing written
};

// How the picture is laid into the terminal's cells.
enum ConsoleFit : int32_t {
    CONSOLE_FIT_GRID = 0,    // the 80 x 50 grid, centred; fitted only when the terminal is smaller
    CONSOLE_FIT_ASPECT = 1,  // the largest rectangle that keeps the canvas's aspect for the cell shape
};

// Colour output of the terminal back end.
enum ConsoleColours : int32_t {
    CONSOLE_COLOURS_AUTO = 0,       // by the environment (COLORTERM, NO_COLOR)
    CONSOLE_COLOURS_ANSI16 = 1,     // 30-37/90-97 and 40-47/100-107
    CONSOLE_COLOURS_TRUECOLOR = 2,  // the classic console palette as 38;2 / 48;2
    CONSOLE_COLOURS_NONE = 3,       // no colour codes
};

// Settings chosen before the first opening (command-line options).
struct ConsoleSettings {
    ConsoleBackend backend;
    ConsoleFit fit;
    ConsoleColours colours;
    int32_t force_ascii;  // 1: ASCII ramp whatever the locale says
};

// One frame as the headless back end keeps it: the shown cells, row-major.
struct RecordedFrame {
    int32_t columns;
    int32_t rows;
    std::vector<uint8_t> characters;
    std::vector<uint8_t> attributes;
};

// The headless back end keeps at most this many frames (about 32 MB of 80 x 50).
constexpr int32_t HEADLESS_FRAME_LIMIT = 4096;

// Read before the first opening; defaults: terminal, grid, auto colours.
extern ConsoleSettings console_settings;

// Whether the terminal back end can run here (standard input and output are
// terminals and TERM is not "dumb"). On 0, *why holds a one-line reason.
int32_t platform_console_available(std::string* why);

// Enters the shown screen (alternate screen, raw keyboard, hidden cursor).
// May be called again while open: it re-enters and redraws everything, but
// closing still restores the terminal as it was before the first opening.
// Returns 0 on success, -1 on failure.
int32_t platform_console_open();

// Restores the terminal exactly as before the first opening. Idempotent.
// Messages queued while the display was open go to standard error here.
void platform_console_close();

// Best-effort request for a window of columns x rows (and full screen).
void platform_console_set_window(int32_t columns, int32_t rows, int32_t fullscreen);

void platform_console_set_title(const char* title);

// The rectangle of cells the picture should be converted into this frame,
// given the display's grid: columns x rows cells at the top-left of the grid.
// The full grid unless the terminal is smaller or the fit asks for aspect.
void platform_console_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows);

// Shows one frame: the top-left view_columns x view_rows cells of arrays whose
// rows are stride cells apart. Attribute bytes are background << 4 | foreground
// in console colour indices (bit 0 blue, bit 1 green, bit 2 red, bit 3 bright).
void platform_console_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                            int32_t view_rows);

// A message that would be drawn over while the display is open: written to
// standard error now when the display is closed, else when it closes.
void platform_console_message(const std::string& text);

// Headless back end: the frames written since the last clear, oldest first.
// Only the newest HEADLESS_FRAME_LIMIT are kept, so a long run cannot eat the memory.
const std::vector<RecordedFrame>& platform_headless_frames();
void platform_headless_clear();
