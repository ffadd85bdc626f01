// Encodes a grid of cells into terminal bytes: only the changed cells or a full
// redraw, whichever is smaller; colour codes only when a colour changes.
#include "platform/terminal_output.h"

#include <cstring>

#include "platform/escape_text.h"

namespace {

constexpr char SYNC_BEGIN[] = "\x1b[?2026h";
constexpr char SYNC_END[] = "\x1b[?2026l";
// Default colours first, so the cleared screen is not painted in our last pen.
constexpr char CLEAR_SCREEN[] = "\x1b[0m\x1b[H\x1b[2J";
// Filling a gap by resending unchanged cells beats a cursor move only for short gaps.
constexpr int32_t GAP_FILL_LIMIT = 8;

struct Pen {
    int32_t foreground;
    int32_t background;
};

// Row and column 0-based; the terminal counts from 1.
int32_t move_length(int32_t row, int32_t column)
{
    return 4 + digit_count(row + 1) + digit_count(column + 1);
}

char* put_move(char* out, int32_t row, int32_t column)
{
    *out++ = '\x1b';
    *out++ = '[';
    out = put_number(out, row + 1);
    *out++ = ';';
    out = put_number(out, column + 1);
    *out++ = 'H';
    return out;
}

char* put_forward(char* out, int32_t cells)
{
    *out++ = '\x1b';
    *out++ = '[';
    out = put_number(out, cells);
    *out++ = 'C';
    return out;
}

// A blank glyph shows only its background: its foreground never costs a code.
char* put_pen(char* out, const ColourCodes* codes, Pen* pen, uint8_t attribute, int32_t blank)
{
    if (codes->mode == CONSOLE_COLOURS_NONE) {
        return out;
    }
    int32_t foreground = attribute & 15;
    int32_t background = attribute >> 4;
    int32_t change_foreground = blank == 0 && foreground != pen->foreground;
    int32_t change_background = background != pen->background;
    if (change_foreground == 0 && change_background == 0) {
        return out;
    }
    *out++ = '\x1b';
    *out++ = '[';
    if (change_foreground != 0) {
        out = put_text(out, codes->foreground[foreground], codes->foreground_length[foreground]);
        pen->foreground = foreground;
        if (change_background != 0) {
            *out++ = ';';
        }
    }
    if (change_background != 0) {
        out = put_text(out, codes->background[background], codes->background_length[background]);
        pen->background = background;
    }
    *out++ = 'm';
    return out;
}

char* put_cell(char* out, const FrameEncoder* encoder, Pen* pen, uint8_t character, uint8_t attribute)
{
    const GlyphTable* glyphs = encoder->glyphs;
    out = put_pen(out, encoder->colours, pen, attribute, glyphs->blank[character]);
    std::memcpy(out, glyphs->bytes[character], 4);  // the buffers keep 4 bytes of slack
    return out + glyphs->length[character];
}

// Bytes of resending cells [from, to) unchanged, or -1 when one of them would
// need a colour code (then moving the cursor is the better deal anyway).
int32_t gap_fill_cost(const FrameEncoder* encoder, const Pen* pen, const uint8_t* characters, const uint8_t* attributes,
                      int32_t from, int32_t to)
{
    if (encoder->colours->mode == CONSOLE_COLOURS_NONE) {
        pen = nullptr;
    }
    int32_t cost = 0;
    for (int32_t x = from; x < to; x++) {
        uint8_t character = characters[x];
        if (pen != nullptr) {
            int32_t background = attributes[x] >> 4;
            int32_t foreground = attributes[x] & 15;
            if (background != pen->background) {
                return -1;
            }
            if (encoder->glyphs->blank[character] == 0 && foreground != pen->foreground) {
                return -1;
            }
        }
        cost += encoder->glyphs->length[character];
    }
    return cost;
}

// Brings the cursor from column `cursor` (-1: anywhere) to column x of row y
// of the view by the cheapest of: resending the cells between, moving forward,
// or an absolute move.
char* put_reach(char* out, const FrameEncoder* encoder, Pen* pen, const uint8_t* characters, const uint8_t* attributes,
                int32_t y, int32_t cursor, int32_t x)
{
    int32_t row = encoder->origin_row + y;
    int32_t column = encoder->origin_column + x;
    int32_t absolute = move_length(row, column);
    if (cursor < 0) {
        return put_move(out, row, column);
    }
    int32_t gap = x - cursor;
    if (gap <= GAP_FILL_LIMIT) {
        int32_t fill = gap_fill_cost(encoder, pen, characters, attributes, cursor, x);
        if (fill >= 0 && fill <= absolute && fill <= 3 + digit_count(gap)) {
            for (int32_t i = cursor; i < x; i++) {
                out = put_cell(out, encoder, pen, characters[i], attributes[i]);
            }
            return out;
        }
    }
    if (3 + digit_count(gap) < absolute) {
        return put_forward(out, gap);
    }
    return put_move(out, row, column);
}

int32_t cells_look_same(const FrameEncoder* encoder, uint8_t character, uint8_t attribute, uint8_t shown_character,
                        uint8_t shown_attribute)
{
    return character == shown_character && ((attribute ^ shown_attribute) & encoder->attribute_mask[character]) == 0;
}

// Whole rows compared at once: most rows of a calm picture are unchanged.
int32_t row_unchanged(const uint8_t* characters, const uint8_t* attributes, const uint8_t* shown_characters,
                      const uint8_t* shown_attributes, int32_t columns)
{
    return std::memcmp(characters, shown_characters, static_cast<size_t>(columns)) == 0 &&
           std::memcmp(attributes, shown_attributes, static_cast<size_t>(columns)) == 0;
}

char* encode_changed(const FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                     char* out, Pen* pen)
{
    int32_t columns = encoder->columns;
    for (int32_t y = 0; y < encoder->rows; y++) {
        const uint8_t* row_characters = characters + static_cast<size_t>(y) * stride;
        const uint8_t* row_attributes = attributes + static_cast<size_t>(y) * stride;
        const uint8_t* shown_characters = encoder->shadow_characters.data() + static_cast<size_t>(y) * columns;
        const uint8_t* shown_attributes = encoder->shadow_attributes.data() + static_cast<size_t>(y) * columns;
        if (row_unchanged(row_characters, row_attributes, shown_characters, shown_attributes, columns)) {
            continue;  // most rows of a calm picture
        }
        int32_t cursor = -1;  // column of the view the cursor is on, -1 unknown
        for (int32_t x = 0; x < columns; x++) {
            if (cells_look_same(encoder, row_characters[x], row_attributes[x], shown_characters[x],
                                shown_attributes[x]) != 0) {
                continue;
            }
            if (cursor != x) {
                out = put_reach(out, encoder, pen, row_characters, row_attributes, y, cursor, x);
            }
            out = put_cell(out, encoder, pen, row_characters[x], row_attributes[x]);
            cursor = x + 1;
        }
    }
    return out;
}

// Never relies on auto-wrap: every row starts with an absolute move.
char* encode_full(const FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                  char* out, Pen* pen)
{
    for (int32_t y = 0; y < encoder->rows; y++) {
        const uint8_t* row_characters = characters + static_cast<size_t>(y) * stride;
        const uint8_t* row_attributes = attributes + static_cast<size_t>(y) * stride;
        out = put_move(out, encoder->origin_row + y, encoder->origin_column);
        for (int32_t x = 0; x < encoder->columns; x++) {
            out = put_cell(out, encoder, pen, row_characters[x], row_attributes[x]);
        }
    }
    return out;
}

// Spaces on black over columns [from, to) of terminal row `row`.
char* put_black_run(char* out, const FrameEncoder* encoder, Pen* pen, int32_t row, int32_t from, int32_t to)
{
    if (from >= to) {
        return out;
    }
    out = put_move(out, row, from);
    out = put_pen(out, encoder->colours, pen, 0x00, 1);
    std::memset(out, ' ', static_cast<size_t>(to - from));
    return out + (to - from);
}

// Every terminal cell outside the view, black whatever the terminal's default.
char* put_surround(char* out, const FrameEncoder* encoder, Pen* pen)
{
    if (encoder->colours->mode == CONSOLE_COLOURS_NONE) {
        return out;
    }
    int32_t right = encoder->origin_column + encoder->columns;
    int32_t bottom = encoder->origin_row + encoder->rows;
    for (int32_t row = 0; row < encoder->screen_rows; row++) {
        if (row < encoder->origin_row || row >= bottom) {
            out = put_black_run(out, encoder, pen, row, 0, encoder->screen_columns);
            continue;
        }
        out = put_black_run(out, encoder, pen, row, 0, encoder->origin_column);
        out = put_black_run(out, encoder, pen, row, right, encoder->screen_columns);
    }
    return out;
}

// Room for a full redraw of the view and the painted surround.
size_t output_capacity(const FrameEncoder* encoder)
{
    size_t cells = static_cast<size_t>(encoder->columns) * static_cast<size_t>(encoder->rows);
    size_t screen = static_cast<size_t>(encoder->screen_columns) * static_cast<size_t>(encoder->screen_rows);
    size_t rows = static_cast<size_t>(encoder->rows) + static_cast<size_t>(encoder->screen_rows);
    return cells * FRAME_BYTES_PER_CELL + screen + rows * 64 + 64;
}

void take_as_shown(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride)
{
    size_t columns = static_cast<size_t>(encoder->columns);
    for (int32_t y = 0; y < encoder->rows; y++) {
        std::memcpy(encoder->shadow_characters.data() + y * columns, characters + static_cast<size_t>(y) * stride,
                    columns);
        std::memcpy(encoder->shadow_attributes.data() + y * columns, attributes + static_cast<size_t>(y) * stride,
                    columns);
    }
    encoder->shadow_valid = true;
}

}  // namespace

void frame_encoder_setup(FrameEncoder* encoder, const GlyphTable* glyphs, const ColourCodes* colours)
{
    encoder->glyphs = glyphs;
    encoder->colours = colours;
    for (int32_t character = 0; character < 256; character++) {
        uint8_t mask = glyphs->blank[character] != 0 ? 0xF0 : 0xFF;
        encoder->attribute_mask[character] = colours->mode == CONSOLE_COLOURS_NONE ? 0 : mask;
    }
    frame_encoder_invalidate(encoder);
    encoder->last_mode = FRAME_NOTHING;
    encoder->last_changed_cells = 0;
}

void frame_encoder_place(FrameEncoder* encoder, int32_t columns, int32_t rows, int32_t origin_column,
                         int32_t origin_row)
{
    if (columns < 0) {
        columns = 0;
    }
    if (rows < 0) {
        rows = 0;
    }
    if (columns != encoder->columns || rows != encoder->rows || encoder->shadow_characters.empty()) {
        size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
        encoder->shadow_characters.assign(cells, 0);
        encoder->shadow_attributes.assign(cells, 0);
        encoder->shadow_valid = false;
    }
    if (origin_column != encoder->origin_column || origin_row != encoder->origin_row) {
        encoder->shadow_valid = false;
    }
    encoder->columns = columns;
    encoder->rows = rows;
    encoder->origin_column = origin_column;
    encoder->origin_row = origin_row;
    if (encoder->output.size() < output_capacity(encoder)) {
        encoder->output.assign(output_capacity(encoder), 0);
    }
}

void frame_encoder_surround(FrameEncoder* encoder, int32_t screen_columns, int32_t screen_rows)
{
    screen_columns = screen_columns > 0 ? screen_columns : 0;
    screen_rows = screen_rows > 0 ? screen_rows : 0;
    if (screen_columns != encoder->screen_columns || screen_rows != encoder->screen_rows) {
        encoder->shadow_valid = false;
    }
    encoder->screen_columns = screen_columns;
    encoder->screen_rows = screen_rows;
    if (encoder->output.size() < output_capacity(encoder)) {
        encoder->output.assign(output_capacity(encoder), 0);
    }
}

void frame_encoder_invalidate(FrameEncoder* encoder)
{
    encoder->shadow_valid = false;
    encoder->pen_foreground = -1;
    encoder->pen_background = -1;
}

namespace {

void adopt(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride, FrameMode mode,
           Pen pen)
{
    take_as_shown(encoder, characters, attributes, stride);
    encoder->pen_foreground = pen.foreground;
    encoder->pen_background = pen.background;
    encoder->last_mode = mode;
}

// Every cell after a clear, which also leaves the default colours.
int32_t encode_fresh(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                     const char** bytes)
{
    Pen pen = {-1, -1};
    char* start = encoder->output.data();
    char* out = put_text(start, SYNC_BEGIN, sizeof(SYNC_BEGIN) - 1);
    out = put_text(out, CLEAR_SCREEN, sizeof(CLEAR_SCREEN) - 1);
    out = put_surround(out, encoder, &pen);
    out = encode_full(encoder, characters, attributes, stride, out, &pen);
    out = put_text(out, SYNC_END, sizeof(SYNC_END) - 1);
    adopt(encoder, characters, attributes, stride, FRAME_FULL, pen);
    encoder->last_changed_cells = encoder->columns * encoder->rows;
    *bytes = start;
    return static_cast<int32_t>(out - start);
}

int32_t count_changed(const FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride)
{
    int32_t columns = encoder->columns;
    int32_t count = 0;
    for (int32_t y = 0; y < encoder->rows; y++) {
        const uint8_t* row_characters = characters + static_cast<size_t>(y) * stride;
        const uint8_t* row_attributes = attributes + static_cast<size_t>(y) * stride;
        const uint8_t* shown_characters = encoder->shadow_characters.data() + static_cast<size_t>(y) * columns;
        const uint8_t* shown_attributes = encoder->shadow_attributes.data() + static_cast<size_t>(y) * columns;
        if (row_unchanged(row_characters, row_attributes, shown_characters, shown_attributes, columns)) {
            continue;
        }
        for (int32_t x = 0; x < columns; x++) {
            count += cells_look_same(encoder, row_characters[x], row_attributes[x], shown_characters[x],
                                     shown_attributes[x]) == 0;
        }
    }
    return count;
}

// Only the changed cells, or every cell when nearly all changed.
int32_t encode_update(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                      const char** bytes)
{
    int32_t total = encoder->columns * encoder->rows;
    int32_t changed = count_changed(encoder, characters, attributes, stride);
    encoder->last_changed_cells = changed;
    *bytes = encoder->output.data();
    if (changed == 0) {
        encoder->last_mode = FRAME_NOTHING;
        return 0;
    }
    Pen pen = {encoder->pen_foreground, encoder->pen_background};
    FrameMode mode = FRAME_CHANGED;
    char* start = encoder->output.data();
    char* out = put_text(start, SYNC_BEGIN, sizeof(SYNC_BEGIN) - 1);
    if (changed >= total - total / FRAME_FULL_DIVISOR) {
        mode = FRAME_FULL;
        out = encode_full(encoder, characters, attributes, stride, out, &pen);
    } else {
        out = encode_changed(encoder, characters, attributes, stride, out, &pen);
    }
    out = put_text(out, SYNC_END, sizeof(SYNC_END) - 1);
    adopt(encoder, characters, attributes, stride, mode, pen);
    return static_cast<int32_t>(out - start);
}

}  // namespace

int32_t frame_encode(FrameEncoder* encoder, const uint8_t* characters, const uint8_t* attributes, int32_t stride,
                     const char** bytes)
{
    *bytes = encoder->output.data();
    if (encoder->columns * encoder->rows == 0) {
        encoder->last_mode = FRAME_NOTHING;
        encoder->last_changed_cells = 0;
        return 0;
    }
    if (!encoder->shadow_valid) {
        return encode_fresh(encoder, characters, attributes, stride, bytes);
    }
    return encode_update(encoder, characters, attributes, stride, bytes);
}
