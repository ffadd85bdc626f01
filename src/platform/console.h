// The console: the display hands it whole grids of cells and it shows them
// through the driver chosen at start-up (a terminal, or frames kept in memory).
// The engine reaches the screen and the keys only through these operations.
#pragma once
#include <cstdint>
#include <string>

#include "core/framebuffer.h"

enum ConsoleBackend : int32_t {
    CONSOLE_BACKEND_TERMINAL = 0,   // standard output is a terminal
    CONSOLE_BACKEND_HEADLESS = 1,   // frames recorded in memory, nothing written
    CONSOLE_BACKEND_RECORDING = 2,  // frames encoded as the terminal gets them, handed to a recorder
};

// One back end's operations. Every one is safe to call while closed. The
// optional ones may be left null, for the plain case: no window to size, no
// title, no half blocks, always ready, nothing typed, nobody to type, and
// messages written at once.
struct ConsoleDriver {
    const char* name;
    // Takes the screen (again while open: re-enter and redraw). 0, or -1 on failure.
    int32_t (*open)();
    // Gives the screen back as it was before the first opening. Idempotent.
    void (*close)();
    // The grid the display allocates: a literal one asked for, else the driver's own.
    void (*grid)(int32_t* columns, int32_t* rows);
    // The cells of the grid the picture is converted into this frame.
    void (*view)(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows);
    void (*write)(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                  int32_t view_rows);

    // Optional.
    void (*set_window)(int32_t columns, int32_t rows, int32_t fullscreen) = nullptr;
    void (*set_title)(const char* title) = nullptr;
    // 1 when frames go out as half blocks (decided at opening).
    int32_t (*shows_blocks)() = nullptr;
    // Shows one frame of view_columns x (2 x view_rows) pixels.
    void (*write_blocks)(const uint32_t* pixels, int32_t stride, int32_t view_columns, int32_t view_rows) = nullptr;
    // 1 when a frame written now would go out at once; 0 when the screen is
    // still taking the last one (that frame is then better skipped than queued).
    int32_t (*ready)() = nullptr;
    // Bytes typed since the last call, at most capacity, without waiting.
    int32_t (*read_input)(uint8_t* bytes, int32_t capacity) = nullptr;
    // 1 when someone can type: waiting for a key then makes sense.
    int32_t (*interactive)() = nullptr;
    // 1 when the line was kept for the close, 0 when the caller writes it now.
    int32_t (*queue_message)(const std::string& line) = nullptr;
};

// The driver in force: the terminal until platform_console_select says otherwise.
extern const ConsoleDriver* console_driver;

// Chooses the back end, once at start-up before the first opening (tests
// switch between runs). A driver that was open is closed first.
void platform_console_select(ConsoleBackend backend);

// How the picture is laid into the terminal's cells.
enum ConsoleFit : int32_t {
    CONSOLE_FIT_GRID = 0,    // the whole grid, centred; fitted only when the terminal is smaller
    CONSOLE_FIT_ASPECT = 1,  // the largest rectangle that keeps the canvas's aspect for the cell shape
};

// The grid the terminal driver offers when none is asked for: a cell then
// covers at least 1 x 2 canvas pixels, since finer cells cost more and show
// no more of a 160 x 100 picture.
constexpr int32_t CONSOLE_AUTO_COLUMNS = CANVAS_WIDTH;
constexpr int32_t CONSOLE_AUTO_ROWS = CANVAS_HEIGHT / 2;
// The grid of the display's own design, and the headless default.
constexpr int32_t CONSOLE_DESIGN_COLUMNS = 80;
constexpr int32_t CONSOLE_DESIGN_ROWS = 50;
// The largest grid that may be asked for: a cell of at least one canvas pixel.
constexpr int32_t CONSOLE_MAX_COLUMNS = CANVAS_WIDTH;
constexpr int32_t CONSOLE_MAX_ROWS = CANVAS_HEIGHT;

// Colour output of the terminal back end.
enum ConsoleColours : int32_t {
    CONSOLE_COLOURS_AUTO = 0,       // by the environment (COLORTERM, NO_COLOR)
    CONSOLE_COLOURS_ANSI16 = 1,     // 30-37/90-97 and 40-47/100-107
    CONSOLE_COLOURS_TRUECOLOR = 2,  // the classic console palette as 38;2 / 48;2
    CONSOLE_COLOURS_NONE = 3,       // no colour codes
    CONSOLE_COLOURS_256 = 4,        // the xterm palette for blocks; cells keep the 16 colours
};

// How the canvas reaches the cells.
enum ConsoleLook : int32_t {
    CONSOLE_LOOK_CELLS = 0,   // coverage glyphs in 16 colours, the display's own conversion
    CONSOLE_LOOK_BLOCKS = 1,  // two canvas pixels per cell as half blocks, in 256 or 24-bit colours
};

// Settings chosen before the first opening (command-line options).
struct ConsoleSettings {
    ConsoleColours colours;
    int32_t force_ascii;        // 1: ASCII ramp whatever the locale says
    int32_t grid_columns;       // a literal grid (1..CONSOLE_MAX_COLUMNS x 1..CONSOLE_MAX_ROWS),
    int32_t grid_rows;          // or 0 x 0: the driver's own choice
    int32_t resize_window = 0;  // 1: a terminal is asked to resize its window (it keeps the user's size otherwise)
    ConsoleLook look = CONSOLE_LOOK_CELLS;  // blocks fall back to cells where the colours cannot show them
};

// One frame as the headless back end keeps it: the shown cells, row-major,
// columns x rows of each, in the back end's own ring.
struct RecordedFrame {
    int32_t columns;
    int32_t rows;
    const uint8_t* characters;
    const uint8_t* attributes;
    const uint32_t* pixels;  // a block frame's columns x (2 x rows) pixels instead; else null
};

// The headless back end keeps the newest HEADLESS_FRAME_LIMIT frames in a ring
// of fixed slots, allocated once (8 MB); a frame of more than
// HEADLESS_FRAME_CELLS cells keeps its top rows that fit.
constexpr int32_t HEADLESS_FRAME_LIMIT = 256;
constexpr int32_t HEADLESS_FRAME_CELLS = CANVAS_PIXELS;

// Read before the first opening; defaults: auto colours, the driver's grid.
extern ConsoleSettings console_settings;

// Whether --grid named the grid; a driver then takes it literally.
bool console_grid_is_literal();

// The grid named by --grid, or else the driver's own (own_columns x own_rows).
void console_grid_choose(int32_t own_columns, int32_t own_rows, int32_t* columns, int32_t* rows);

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

// The grid of cells the display works in: columns x rows.
void platform_console_grid(int32_t* columns, int32_t* rows);

// Whether a frame presented now would reach the screen at once (see ConsoleDriver::ready).
int32_t platform_console_ready();

// The rectangle of cells the picture should be converted into this frame,
// given the display's grid: columns x rows cells at the top-left of the grid.
// A literal grid shows whole when the terminal has room for it; the driver's
// own grid, or a literal one in a smaller terminal, gets the largest
// rectangle that keeps the canvas's shape for the terminal's cell shape.
void platform_console_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows);

// Shows one frame: the top-left view_columns x view_rows cells of arrays whose
// rows are stride cells apart. Attribute bytes are background << 4 | foreground
// in console colour indices (bit 0 blue, bit 1 green, bit 2 red, bit 3 bright).
void platform_console_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                            int32_t view_rows);

// Whether frames go out as half blocks: the block look was asked for and the
// console shows enough colours. Decided at opening.
int32_t platform_console_shows_blocks();

// Shows one frame in the block look: view_columns x (2 x view_rows) packed
// canvas pixels (red in the low byte), rows stride pixels apart, each cell
// the pixel pair above each other. Does nothing unless blocks are shown.
void platform_console_write_blocks(const uint32_t* pixels, int32_t stride, int32_t view_columns, int32_t view_rows);

// A message that would be drawn over while the display is open: written to
// standard error now when the display is closed, else when it closes.
void platform_console_message(const std::string& text);

// While on (1), a message identical to one already given since it was turned
// on is dropped: a file that several catalog rows load reports its failure
// once. Off (0) forgets them.
void platform_console_messages_once(int32_t on);

// Whether standard error is a terminal (a progress line then makes sense).
int32_t platform_stderr_is_terminal();

// Headless back end: the frames kept since the last clear (at most
// HEADLESS_FRAME_LIMIT), and frame i of them, 0 the oldest. A frame stays
// valid until HEADLESS_FRAME_LIMIT more are written or the frames are cleared.
int32_t platform_headless_frame_count();
RecordedFrame platform_headless_frame(int32_t index);
void platform_headless_clear();
