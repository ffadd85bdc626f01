// The text-mode display: its one global record, opening and closing, the
// conversion options and the storing of single cells.
#pragma once
#include <cstdint>

#include "display/cell_table.h"
#include "display/surface_desc.h"

constexpr int32_t DISPLAY_KIND_CONSOLE = 5;
constexpr int32_t DISPLAY_GRID_COLUMNS = 80;
constexpr int32_t DISPLAY_GRID_ROWS = 50;

// Option codes of display_set_option. The default codes select their group's
// default; the others store themselves as the group's setting.
constexpr int32_t OPT_COLOUR_DEFAULT = 16;  // colour scheme := 18
constexpr int32_t OPT_COLOUR_SINGLE = 17;   // one colour on black per cell
constexpr int32_t OPT_COLOUR_BLEND = 18;    // two colours and a blending glyph per cell
constexpr int32_t OPT_SAMPLE_DEFAULT = 32;  // sampling := 34
constexpr int32_t OPT_SAMPLE_CENTRE = 33;   // one pixel per cell
constexpr int32_t OPT_SAMPLE_AVERAGE = 34;  // average of all pixels under the cell
constexpr int32_t OPT_DITHER_DEFAULT = 48;  // dither := 51
constexpr int32_t OPT_DITHER_NONE = 49;     // constant value 128
constexpr int32_t OPT_DITHER_BAYER2 = 50;   // 2 x 2 ordered
constexpr int32_t OPT_DITHER_BAYER4 = 51;   // 4 x 4 ordered
constexpr int32_t OPT_DITHER_BAYER8 = 52;   // 8 x 8 ordered
constexpr int32_t OPT_DITHER_RANDOM = 53;   // random 0 to 255

// The settings the codes select, as the display holds them; each keeps the
// number of its code, and 0 means not set yet.
enum ColourScheme : int32_t {
    COLOUR_SCHEME_UNSET = 0,
    COLOUR_SCHEME_SINGLE = OPT_COLOUR_SINGLE,
    COLOUR_SCHEME_BLEND = OPT_COLOUR_BLEND,
};

enum Sampling : int32_t {
    SAMPLING_UNSET = 0,
    SAMPLING_CENTRE = OPT_SAMPLE_CENTRE,
    SAMPLING_AVERAGE = OPT_SAMPLE_AVERAGE,
};

enum Dither : int32_t {
    DITHER_UNSET = 0,
    DITHER_NONE = OPT_DITHER_NONE,
    DITHER_BAYER2 = OPT_DITHER_BAYER2,
    DITHER_BAYER4 = OPT_DITHER_BAYER4,
    DITHER_BAYER8 = OPT_DITHER_BAYER8,
    DITHER_RANDOM = OPT_DITHER_RANDOM,
};

struct ConsoleDisplay {
    int32_t kind;  // 0 until the first opening, DISPLAY_KIND_CONSOLE from then on

    // The console driver keeps the saved cursor, the output handle and the
    // shown screen itself.

    int32_t columns;  // grid size: the console's grid while the cell arrays exist, else 0 x 0
    int32_t rows;
    uint8_t* characters;  // rows x columns code page 437 bytes, row-major; null when missing
    uint8_t* attributes;  // background << 4 | foreground per cell; null when missing

    int32_t foreground;  // current colours, copied into a cell when it is stored
    int32_t background;

    ColourScheme colour_scheme;  // unset before the first opening
    Sampling sampling;
    Dither dither;

    SlotPalette palette;
    CellTable table;

    SurfaceDesc* canvas_desc;  // describes the Framebuffer; owned here, may be null

    // The top-left cells the last presentation converted (the whole grid unless
    // the terminal is smaller or an aspect fit was asked for).
    int32_t view_columns;
    int32_t view_rows;

    // The look in force: the cells, or half blocks when they were asked for
    // and the console shows them (decided at each opening). The conversion
    // into cells runs in either, so the shared random sequence, and with it
    // the show, is the same in both.
    int32_t blocks;
    int32_t blocks_refusal_told;  // the fall-back to cells was reported (once a run)
};

// The display of the process. Lives for the whole run; opened at start-up
// (twice), closed at shut-down. Main thread only.
extern ConsoleDisplay console_display;

// Opens the console (errors ignored: later stores and output then do
// nothing), selects random dither and area sampling, and describes the
// canvas. A repeated call first releases what the previous one created.
// Returns the canvas description (null if it could not be created).
SurfaceDesc* display_open();

// Frees the canvas description and closes the console. The display must not
// be used afterwards; stores and output do nothing if it is.
void display_close();

// Enters the console, resets the options, creates the cell arrays and builds
// the table. Returns 0, or -1 when the console cannot be entered or the
// arrays cannot be allocated (the table is then not built).
int32_t console_open();

// Allocates the zero-filled cell arrays of the console's grid (80 x 50 unless
// the console shows another). Returns 0, or -1 when memory
// is short (nothing is left allocated).
int32_t console_create_buffers();

// Frees the cell arrays (the grid becomes 0 x 0). Returns 0.
int32_t console_release_buffers();

// Releases the cell arrays and restores the terminal as it was before the
// first opening.
void console_close();

// Best-effort request for a console window of columns x rows, optionally full
// screen. Never fails visibly.
void console_set_window(int32_t columns, int32_t rows, int32_t fullscreen);

// Applies one option code; unknown codes are ignored without a message.
void display_set_option(int32_t code);

// Colour scheme 18, sampling 34, dither 51.
void display_reset_options();

int32_t display_columns();
int32_t display_rows();

// Sets the current colours when both are console colours (0..15 as unsigned
// values); otherwise changes neither.
void display_set_colours(int32_t foreground, int32_t background);

// Stores a character with the current colours at cell (x, y). Does nothing
// outside the grid, before opening or when the cell arrays are missing.
void display_put_cell(int32_t x, int32_t y, uint8_t character);
