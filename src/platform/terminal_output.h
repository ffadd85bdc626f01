// Encodes a grid of cells into terminal bytes: only the changed cells or a full
// redraw, whichever is smaller; colour codes only when a colour changes.
// Pure: it writes into its own buffers and never touches a terminal.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/glyphs.h"
#include "platform/palette.h"

enum FrameMode : int32_t {
    FRAME_NOTHING = 0,  // nothing changed: no bytes at all
    FRAME_CHANGED = 1,  // cursor moves and the changed cells
    FRAME_FULL = 2,     // every cell, row by row
};

// The choice per frame. Skipping unchanged cells (or resending a short run
// of them when that is shorter than a cursor move) never takes more bytes
// than a full redraw from the same colours, but costs a comparison and a
// branch per cell. Once all but 1 / FRAME_FULL_DIVISOR of the cells changed,
// both are within a few hundred bytes and the full redraw is the cheaper to make.
constexpr int32_t FRAME_FULL_DIVISOR = 16;

// Worst case bytes of one cell: a cursor move, both colours as 38;2 / 48;2
// codes and a glyph, rounded up; the glyph copy always moves 4 bytes.
constexpr int32_t FRAME_BYTES_PER_CELL = 64;

// Starts with no view and an unknown screen, wherever it lives.
struct FrameEncoder {
    const GlyphTable* glyphs = nullptr;
    const ColourCodes* colours = nullptr;
    uint8_t attribute_mask[256] = {};  // the attribute bits that show, by cell byte
    int32_t columns = 0;               // the view the shadow describes
    int32_t rows = 0;
    int32_t origin_column = 0;  // the view's top-left cell on the terminal, 0-based
    int32_t origin_row = 0;
    int32_t screen_columns = 0;  // the whole terminal, whose cells outside the view are painted black
    int32_t screen_rows = 0;
    bool shadow_valid = false;    // false: the screen is unknown; the next frame clears and redraws all
    int32_t pen_foreground = -1;  // colours in force on the terminal; -1 unknown
    int32_t pen_background = -1;
    std::vector<uint8_t> shadow_characters;  // what the view shows, columns x rows
    std::vector<uint8_t> shadow_attributes;
    std::vector<char> output;             // the encoded frame
    FrameMode last_mode = FRAME_NOTHING;  // what the last frame_encode chose
    int32_t last_changed_cells = 0;       // how many cells it found changed (all after a clear)
};

// Binds the tables (they must outlive the encoder) and forgets the screen.
void frame_encoder_setup(FrameEncoder* encoder, const GlyphTable* glyphs, const ColourCodes* colours);

// Lays a view of columns x rows cells at the given terminal cell. Allocates
// only when the size changes; any change makes the next frame a full redraw.
void frame_encoder_place(FrameEncoder* encoder, int32_t columns, int32_t rows, int32_t origin_column,
                         int32_t origin_row);

// The terminal's whole size: a full redraw paints every cell outside the
// view black, so a light default background never frames the picture.
// 0 x 0 (the default) paints nothing outside. Without colours nothing is painted.
void frame_encoder_surround(FrameEncoder* encoder, int32_t screen_columns, int32_t screen_rows);

// The screen no longer shows what the shadow says (resize, resume, failed
// write): the next frame clears the screen and redraws every cell.
void frame_encoder_invalidate(FrameEncoder* encoder);

// Encodes one frame of the placed view from arrays whose rows are stride
// cells apart, and takes it as shown. Returns the byte count (0 when nothing
// changed) and points *bytes at them; they stay valid until the next call.
int32_t frame_encode(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                     const char** bytes);
