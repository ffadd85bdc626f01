// Encodes a picture into terminal bytes as half blocks: each cell shows two
// stacked pixels, the upper in the glyph's colour, the lower in its
// background. Only changed cells are sent, colours only when they differ from
// the last cell's, with the shortest cursor move. Pure: it never touches a terminal.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/console.h"

enum BlockColours : int32_t {
    BLOCK_COLOURS_NONE = 0,       // blocks cannot be shown: the cells look stands in
    BLOCK_COLOURS_256 = 1,        // the xterm palette, 38;5;N / 48;5;N
    BLOCK_COLOURS_TRUECOLOR = 2,  // 38;2;R;G;B / 48;2;R;G;B
};

// The block colours for the colours asked for and what they resolved to:
// 24-bit when resolved so, the palette when 256 was asked for or nothing was
// said and the terminal did not claim 24-bit; none for 16 colours or none.
BlockColours block_colours_resolve(ConsoleColours requested, ConsoleColours resolved);

// Worst case bytes of one cell: a cursor move, both colours as 24-bit codes
// and a glyph, rounded up; copies of small texts always move 4 bytes.
constexpr int32_t BLOCK_BYTES_PER_CELL = 64;

struct BlockEncoder {
    BlockColours colours;
    int32_t columns;  // the view the shadow describes, in cells
    int32_t rows;
    int32_t origin_column;  // the view's top-left cell on the terminal, 0-based
    int32_t origin_row;
    int32_t screen_columns;  // the whole terminal, whose cells outside the view are painted black
    int32_t screen_rows;
    int32_t shadow_valid;    // 0: the screen is unknown; the next frame clears and redraws all
    int64_t pen_foreground;  // colour keys in force on the terminal; -1 unknown
    int64_t pen_background;
    std::vector<uint64_t> shadow;       // per cell: upper key << 32 | lower key, as shown
    std::vector<uint64_t> keys;         // the same for the frame being encoded
    std::vector<uint32_t> last_pixels;  // 256 colours: the pixels the shadow's indices were made from
    std::vector<char> output;           // the encoded frame
    int32_t last_changed_cells;         // how many cells the last frame sent
};

// Chooses the colour codes and forgets the screen.
void block_encoder_setup(BlockEncoder* encoder, BlockColours colours);

// Lays a view of columns x rows cells at the given terminal cell. Allocates
// only when the size changes; any change makes the next frame a full redraw.
void block_encoder_place(BlockEncoder* encoder, int32_t columns, int32_t rows, int32_t origin_column,
                         int32_t origin_row);

// The terminal's whole size: a full redraw paints every cell outside the
// view black, so a light default background never frames the picture.
// 0 x 0 (the default) paints nothing outside.
void block_encoder_surround(BlockEncoder* encoder, int32_t screen_columns, int32_t screen_rows);

// The screen no longer shows what the shadow says: the next frame clears and redraws.
void block_encoder_invalidate(BlockEncoder* encoder);

// Encodes one frame of the placed view from columns x (2 x rows) packed canvas
// pixels (red in the low byte, the top byte ignored) whose rows are stride
// pixels apart, and takes it as shown. Returns the byte count (0 when nothing
// changed) and points *bytes at them; they stay valid until the next call.
int32_t block_encode(BlockEncoder* encoder, const uint32_t* pixels, int32_t stride, const char** bytes);
