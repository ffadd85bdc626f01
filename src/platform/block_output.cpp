// Encodes a picture into half-block cells: changed cells only, colours only
// when they change, the shortest cursor move between cells.
#include "platform/block_output.h"

#include <cstring>

#include "platform/escape_text.h"
#include "platform/xterm256.h"

namespace {

constexpr char SYNC_BEGIN[] = "\x1b[?2026h";
constexpr char SYNC_END[] = "\x1b[?2026l";
// Default colours first, so the cleared screen is not painted in our last pen.
constexpr char CLEAR_SCREEN[] = "\x1b[0m\x1b[H\x1b[2J";
// U+2580 upper half, U+2584 lower half, U+2588 full block.
constexpr char UPPER_HALF[] = "\xE2\x96\x80";
constexpr char LOWER_HALF[] = "\xE2\x96\x84";
constexpr char FULL_BLOCK[] = "\xE2\x96\x88";
constexpr int32_t BLOCK_GLYPH_LENGTH = 3;

// "0" to "255" with their lengths; each entry has room for a 4-byte copy.
struct DecimalTable {
    char text[256][4];
    uint8_t length[256];
};

constexpr DecimalTable make_decimals()
{
    DecimalTable t{};
    for (int32_t v = 0; v < 256; v++) {
        int32_t n = 0;
        if (v >= 100) {
            t.text[v][n++] = static_cast<char>('0' + v / 100);
        }
        if (v >= 10) {
            t.text[v][n++] = static_cast<char>('0' + v / 10 % 10);
        }
        t.text[v][n++] = static_cast<char>('0' + v % 10);
        t.length[v] = static_cast<uint8_t>(n);
    }
    return t;
}

constexpr DecimalTable DECIMALS = make_decimals();

// value 0..255; the buffer keeps slack for the 4-byte copy.
char* put_byte_number(char* out, int32_t value)
{
    std::memcpy(out, DECIMALS.text[value], 4);
    return out + DECIMALS.length[value];
}

// selector '3' (foreground) or '4' (background); key a 24-bit colour or a palette index.
char* put_colour(char* out, BlockColours colours, char selector, uint32_t key)
{
    *out++ = selector;
    *out++ = '8';
    *out++ = ';';
    if (colours == BLOCK_COLOURS_256) {
        *out++ = '5';
        *out++ = ';';
        return put_byte_number(out, static_cast<int32_t>(key));
    }
    *out++ = '2';
    *out++ = ';';
    out = put_byte_number(out, static_cast<int32_t>(key & 0xFF));
    *out++ = ';';
    out = put_byte_number(out, static_cast<int32_t>((key >> 8) & 0xFF));
    *out++ = ';';
    return put_byte_number(out, static_cast<int32_t>(key >> 16));
}

// One SGR for whatever of the two colours differs from the pen.
char* put_pen(char* out, BlockEncoder* encoder, int64_t foreground, int64_t background)
{
    bool change_foreground = foreground >= 0 && foreground != encoder->pen_foreground;
    bool change_background = background >= 0 && background != encoder->pen_background;
    if (!change_foreground && !change_background) {
        return out;
    }
    *out++ = '\x1b';
    *out++ = '[';
    if (change_foreground) {
        out = put_colour(out, encoder->colours, '3', static_cast<uint32_t>(foreground));
        encoder->pen_foreground = foreground;
        if (change_background) {
            *out++ = ';';
        }
    }
    if (change_background) {
        out = put_colour(out, encoder->colours, '4', static_cast<uint32_t>(background));
        encoder->pen_background = background;
    }
    *out++ = 'm';
    return out;
}

// The glyph that needs the fewest colour codes: a blank or a full block for a
// one-colour cell, else whichever half block the pen already half suits.
char* put_cell(char* out, BlockEncoder* encoder, uint64_t cell)
{
    int64_t upper = static_cast<int64_t>(cell >> 32);
    int64_t lower = static_cast<int64_t>(cell & 0xFFFFFFFFu);
    int64_t pen_foreground = encoder->pen_foreground;
    int64_t pen_background = encoder->pen_background;
    if (upper == lower) {
        if (upper == pen_background) {
            *out++ = ' ';
            return out;
        }
        if (upper == pen_foreground) {
            return put_text(out, FULL_BLOCK, BLOCK_GLYPH_LENGTH);
        }
        out = put_pen(out, encoder, -1, upper);
        *out++ = ' ';
        return out;
    }
    int32_t upper_cost = (upper != pen_foreground) + (lower != pen_background);
    int32_t lower_cost = (lower != pen_foreground) + (upper != pen_background);
    if (lower_cost < upper_cost) {
        out = put_pen(out, encoder, lower, upper);
        return put_text(out, LOWER_HALF, BLOCK_GLYPH_LENGTH);
    }
    out = put_pen(out, encoder, upper, lower);
    return put_text(out, UPPER_HALF, BLOCK_GLYPH_LENGTH);
}

// The cursor: its terminal row, and column or -1 when unknown (after the
// terminal's last column, which it may not move past).
struct Cursor {
    int32_t row;
    int32_t column;
};

// The shortest of: forward on the same row, next line(s) to column 1, or an
// absolute move with the parameters the terminal defaults left out.
char* put_move(char* out, Cursor* cursor, int32_t row, int32_t column)
{
    int32_t absolute_length = 3 + (row > 0 ? digit_count(row + 1) : 0) + (column > 0 ? 1 + digit_count(column + 1) : 0);
    if (cursor->row == row && cursor->column >= 0 && cursor->column < column) {
        int32_t gap = column - cursor->column;
        int32_t forward_length = 3 + (gap > 1 ? digit_count(gap) : 0);
        if (forward_length <= absolute_length) {
            out = put_text(out, "\x1b[", 2);
            if (gap > 1) {
                out = put_number(out, gap);
            }
            *out++ = 'C';
            cursor->column = column;
            return out;
        }
    }
    if (column == 0 && cursor->row >= 0 && cursor->row < row) {
        int32_t down = row - cursor->row;
        if (3 + (down > 1 ? digit_count(down) : 0) < absolute_length) {
            out = put_text(out, "\x1b[", 2);
            if (down > 1) {
                out = put_number(out, down);
            }
            *out++ = 'E';
            cursor->row = row;
            cursor->column = 0;
            return out;
        }
    }
    out = put_text(out, "\x1b[", 2);
    if (row > 0) {
        out = put_number(out, row + 1);
    }
    if (column > 0) {
        *out++ = ';';
        out = put_number(out, column + 1);
    }
    *out++ = 'H';
    cursor->row = row;
    cursor->column = column;
    return out;
}

uint32_t palette_key(uint32_t pixel, int32_t x, int32_t y)
{
    return static_cast<uint32_t>(xterm256_index(static_cast<int32_t>(pixel & 0xFF),
                                                static_cast<int32_t>((pixel >> 8) & 0xFF),
                                                static_cast<int32_t>((pixel >> 16) & 0xFF), xterm256_threshold(x, y)));
}

// A palette row: a pixel as it was last frame keeps its index (the dither goes
// by the pixel's place, so a still picture keeps its pattern and costs no mapping).
void palette_row(const uint32_t* upper, const uint32_t* lower, uint32_t* last, const uint64_t* shown, bool known,
                 int32_t columns, int32_t y, uint64_t* row)
{
    uint32_t* last_upper = last;
    uint32_t* last_lower = last + columns;
    for (int32_t x = 0; x < columns; x++) {
        uint32_t top = upper[x] & 0xFFFFFFu;
        uint32_t bottom = lower[x] & 0xFFFFFFu;
        uint64_t top_key = known && top == last_upper[x] ? shown[x] >> 32 : palette_key(top, x, 2 * y);
        uint64_t bottom_key =
            known && bottom == last_lower[x] ? shown[x] & 0xFFFFFFFFu : palette_key(bottom, x, 2 * y + 1);
        row[x] = top_key << 32 | bottom_key;
        last_upper[x] = top;
        last_lower[x] = bottom;
    }
}

// The colour keys of every cell: the 24-bit colours, or palette indices.
void make_keys(BlockEncoder* encoder, const uint32_t* pixels, int32_t stride)
{
    int32_t columns = encoder->columns;
    bool known = encoder->shadow_valid != 0;
    for (int32_t y = 0; y < encoder->rows; y++) {
        const uint32_t* upper = pixels + static_cast<size_t>(2 * y) * stride;
        const uint32_t* lower = upper + stride;
        uint64_t* row = encoder->keys.data() + static_cast<size_t>(y) * columns;
        if (encoder->colours == BLOCK_COLOURS_256) {
            palette_row(upper, lower, encoder->last_pixels.data() + static_cast<size_t>(2 * y) * columns,
                        encoder->shadow.data() + static_cast<size_t>(y) * columns, known, columns, y, row);
            continue;
        }
        for (int32_t x = 0; x < columns; x++) {
            row[x] = static_cast<uint64_t>(upper[x] & 0xFFFFFFu) << 32 | (lower[x] & 0xFFFFFFu);
        }
    }
}

// Spaces on black over every terminal cell outside the view.
char* put_surround(char* out, BlockEncoder* encoder, Cursor* cursor)
{
    int64_t black = encoder->colours == BLOCK_COLOURS_256 ? xterm256_index(0, 0, 0, 0) : 0;
    int32_t right = encoder->origin_column + encoder->columns;
    int32_t bottom = encoder->origin_row + encoder->rows;
    for (int32_t row = 0; row < encoder->screen_rows; row++) {
        bool beside = row >= encoder->origin_row && row < bottom;
        int32_t runs[2][2] = {{0, beside ? encoder->origin_column : encoder->screen_columns},
                              {beside ? right : encoder->screen_columns, encoder->screen_columns}};
        for (const auto& run : runs) {
            if (run[0] >= run[1]) {
                continue;
            }
            out = put_move(out, cursor, row, run[0]);
            out = put_pen(out, encoder, -1, black);
            std::memset(out, ' ', static_cast<size_t>(run[1] - run[0]));
            out += run[1] - run[0];
            cursor->column = -1;
        }
    }
    return out;
}

// A fresh screen was just cleared, which leaves the cursor at the top left.
char* encode_cells(BlockEncoder* encoder, char* out, bool all, Cursor cursor)
{
    int32_t columns = encoder->columns;
    int32_t changed = 0;
    if (!all) {
        cursor = Cursor{-1, -1};
    }
    int32_t last_column = encoder->origin_column + columns - 1;
    for (int32_t y = 0; y < encoder->rows; y++) {
        const uint64_t* row = encoder->keys.data() + static_cast<size_t>(y) * columns;
        const uint64_t* shown = encoder->shadow.data() + static_cast<size_t>(y) * columns;
        if (!all && std::memcmp(row, shown, static_cast<size_t>(columns) * sizeof(uint64_t)) == 0) {
            continue;  // most rows of a calm picture
        }
        for (int32_t x = 0; x < columns; x++) {
            if (!all && row[x] == shown[x]) {
                continue;
            }
            int32_t column = encoder->origin_column + x;
            int32_t terminal_row = encoder->origin_row + y;
            if (cursor.row != terminal_row || cursor.column != column) {
                out = put_move(out, &cursor, terminal_row, column);
            }
            out = put_cell(out, encoder, row[x]);
            cursor.column = column < last_column ? column + 1 : -1;
            changed++;
        }
    }
    encoder->last_changed_cells = changed;
    return out;
}

}  // namespace

BlockColours block_colours_resolve(ConsoleColours requested, ConsoleColours resolved)
{
    if (resolved == CONSOLE_COLOURS_TRUECOLOR) {
        return BLOCK_COLOURS_TRUECOLOR;
    }
    if (requested == CONSOLE_COLOURS_256 || (requested == CONSOLE_COLOURS_AUTO && resolved == CONSOLE_COLOURS_ANSI16)) {
        return BLOCK_COLOURS_256;
    }
    return BLOCK_COLOURS_NONE;
}

void block_encoder_setup(BlockEncoder* encoder, BlockColours colours)
{
    encoder->colours = colours;
    encoder->last_changed_cells = 0;
    encoder->output.clear();  // the next placing sizes everything for these colours
    block_encoder_invalidate(encoder);
}

void block_encoder_place(BlockEncoder* encoder, int32_t columns, int32_t rows, int32_t origin_column,
                         int32_t origin_row)
{
    columns = columns < 0 ? 0 : columns;
    rows = rows < 0 ? 0 : rows;
    if (columns != encoder->columns || rows != encoder->rows || encoder->output.empty()) {
        size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
        encoder->shadow.assign(cells, 0);
        encoder->keys.assign(cells, 0);
        encoder->last_pixels.assign(encoder->colours == BLOCK_COLOURS_256 ? 2 * cells : 0, 0);
        encoder->output.assign(cells * BLOCK_BYTES_PER_CELL + 64, 0);
        encoder->shadow_valid = 0;
        encoder->screen_columns = 0;  // the surround is laid again after a resize
        encoder->screen_rows = 0;
    }
    if (origin_column != encoder->origin_column || origin_row != encoder->origin_row) {
        encoder->shadow_valid = 0;
    }
    encoder->columns = columns;
    encoder->rows = rows;
    encoder->origin_column = origin_column;
    encoder->origin_row = origin_row;
}

void block_encoder_surround(BlockEncoder* encoder, int32_t screen_columns, int32_t screen_rows)
{
    screen_columns = screen_columns > 0 ? screen_columns : 0;
    screen_rows = screen_rows > 0 ? screen_rows : 0;
    if (screen_columns == encoder->screen_columns && screen_rows == encoder->screen_rows) {
        return;
    }
    encoder->screen_columns = screen_columns;
    encoder->screen_rows = screen_rows;
    encoder->shadow_valid = 0;
    // Each surround cell is a space, each run needs a move and a colour.
    size_t cells = static_cast<size_t>(encoder->columns) * static_cast<size_t>(encoder->rows);
    size_t screen = static_cast<size_t>(screen_columns) * static_cast<size_t>(screen_rows);
    encoder->output.resize(cells * BLOCK_BYTES_PER_CELL + screen + static_cast<size_t>(screen_rows) * 2 * 48 + 64);
}

void block_encoder_invalidate(BlockEncoder* encoder)
{
    encoder->shadow_valid = 0;
    encoder->pen_foreground = -1;
    encoder->pen_background = -1;
}

int32_t block_encode(BlockEncoder* encoder, const uint32_t* pixels, int32_t stride, const char** bytes)
{
    char* start = encoder->output.data();
    *bytes = start;
    encoder->last_changed_cells = 0;
    if (encoder->columns * encoder->rows == 0 || encoder->colours == BLOCK_COLOURS_NONE) {
        return 0;
    }
    make_keys(encoder, pixels, stride);
    bool all = encoder->shadow_valid == 0;
    char* out = put_text(start, SYNC_BEGIN, sizeof(SYNC_BEGIN) - 1);
    if (all) {
        out = put_text(out, CLEAR_SCREEN, sizeof(CLEAR_SCREEN) - 1);
        encoder->pen_foreground = -1;
        encoder->pen_background = -1;
    }
    Cursor cursor = {0, 0};
    if (all) {
        out = put_surround(out, encoder, &cursor);
    }
    out = encode_cells(encoder, out, all, cursor);
    encoder->shadow.swap(encoder->keys);
    encoder->shadow_valid = 1;
    if (encoder->last_changed_cells == 0) {
        return 0;
    }
    out = put_text(out, SYNC_END, sizeof(SYNC_END) - 1);
    return static_cast<int32_t>(out - start);
}
