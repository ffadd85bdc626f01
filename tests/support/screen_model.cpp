// Test helper: a tiny terminal that replays encoder output onto a grid of cells.
#include "support/screen_model.h"

#include <cstdlib>

namespace {

int32_t utf8_length(uint8_t lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    return 4;
}

std::vector<int32_t> parse_parameters(const std::string& text)
{
    std::vector<int32_t> values;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        values.push_back(end > start ? std::atoi(text.substr(start, end - start).c_str()) : 0);
        start = end + 1;
    }
    return values;
}

void apply_colours(ScreenModel* screen, const std::vector<int32_t>& values)
{
    screen->colour_codes++;
    for (size_t i = 0; i < values.size(); i++) {
        int32_t v = values[i];
        if (v == 0) {
            screen->pen_foreground = -1;
            screen->pen_background = -1;
        } else if (v >= 30 && v <= 37) {
            screen->pen_foreground = v - 30;
        } else if (v >= 90 && v <= 97) {
            screen->pen_foreground = v - 90 + 8;
        } else if (v >= 40 && v <= 47) {
            screen->pen_background = v - 40;
        } else if (v >= 100 && v <= 107) {
            screen->pen_background = v - 100 + 8;
        } else if ((v == 38 || v == 48) && i + 4 < values.size() && values[i + 1] == 2) {
            int32_t rgb = 1000 + (values[i + 2] << 16) + (values[i + 3] << 8) + values[i + 4];
            (v == 38 ? screen->pen_foreground : screen->pen_background) = rgb;
            i += 4;
        } else if ((v == 38 || v == 48) && i + 2 < values.size() && values[i + 1] == 5) {
            (v == 38 ? screen->pen_foreground : screen->pen_background) = SCREEN_PALETTE_BASE + values[i + 2];
            i += 2;
        }
    }
}

void apply_csi(ScreenModel* screen, const std::string& parameters, char final)
{
    if (parameters == "?2026") {
        screen->sync_open = final == 'h';
        return;
    }
    std::vector<int32_t> values = parse_parameters(parameters);
    if (final == 'H') {
        screen->cursor_row = (values[0] > 0 ? values[0] : 1) - 1;
        screen->cursor_column = (values.size() > 1 && values[1] > 0 ? values[1] : 1) - 1;
        screen->at_right_edge = 0;
    } else if (final == 'C') {
        int32_t column = screen->cursor_column + (values[0] > 0 ? values[0] : 1);
        screen->cursor_column = column < screen->columns ? column : screen->columns - 1;
        screen->at_right_edge = 0;
    } else if (final == 'E') {
        int32_t row = screen->cursor_row + (values[0] > 0 ? values[0] : 1);
        screen->cursor_row = row < screen->rows ? row : screen->rows - 1;
        screen->cursor_column = 0;
        screen->at_right_edge = 0;
    } else if (final == 'm') {
        apply_colours(screen, values);
    } else if (final == 'J' && values[0] == 2) {
        screen->clears++;
        for (size_t i = 0; i < screen->glyphs.size(); i++) {
            screen->glyphs[i].assign(1, ' ');
            screen->foregrounds[i] = screen->pen_foreground;
            screen->backgrounds[i] = screen->pen_background;
        }
    }
}

void put_glyph(ScreenModel* screen, const std::string& glyph)
{
    if (screen->at_right_edge != 0) {
        screen->edge_overwrites++;
    }
    if (screen->cursor_row < 0 || screen->cursor_row >= screen->rows) {
        screen->edge_overwrites++;
        return;
    }
    int32_t i = screen_index(screen, screen->cursor_column, screen->cursor_row);
    screen->glyphs[i] = glyph;
    screen->foregrounds[i] = screen->pen_foreground;
    screen->backgrounds[i] = screen->pen_background;
    if (screen->cursor_column + 1 < screen->columns) {
        screen->cursor_column++;
    } else {
        screen->at_right_edge = 1;
    }
}

}  // namespace

void screen_init(ScreenModel* screen, int32_t columns, int32_t rows)
{
    *screen = ScreenModel{};
    screen->columns = columns;
    screen->rows = rows;
    screen->glyphs.assign(static_cast<size_t>(columns * rows), " ");
    screen->foregrounds.assign(static_cast<size_t>(columns * rows), -1);
    screen->backgrounds.assign(static_cast<size_t>(columns * rows), -1);
    screen->pen_foreground = -1;
    screen->pen_background = -1;
}

int32_t screen_index(const ScreenModel* screen, int32_t column, int32_t row)
{
    return row * screen->columns + column;
}

void screen_apply(ScreenModel* screen, const char* bytes, int32_t length)
{
    int32_t i = 0;
    while (i < length) {
        uint8_t byte = static_cast<uint8_t>(bytes[i]);
        if (byte == 0x1b && i + 1 < length && bytes[i + 1] == '[') {
            int32_t end = i + 2;
            while (end < length && (static_cast<uint8_t>(bytes[end]) < 0x40 || bytes[end] > 0x7e)) {
                end++;
            }
            if (end >= length) {
                return;
            }
            apply_csi(screen, std::string(bytes + i + 2, bytes + end), bytes[end]);
            i = end + 1;
            continue;
        }
        if (byte == 0x1b && i + 1 < length && bytes[i + 1] == ']') {
            // A title: up to BEL or ESC backslash.
            int32_t end = i + 2;
            while (end < length && bytes[end] != '\a' && bytes[end] != 0x1b) {
                end++;
            }
            i = end < length && bytes[end] == 0x1b ? end + 2 : end + 1;
            continue;
        }
        if (byte == 0x1b) {
            i += 2;  // ESC backslash and other two-byte escapes
            continue;
        }
        if (byte < 0x20) {
            i++;  // CAN, BEL: no glyph
            continue;
        }
        int32_t count = utf8_length(byte);
        put_glyph(screen, std::string(bytes + i, bytes + i + count));
        i += count;
    }
}

void screen_halves(const ScreenModel* screen, int32_t index, int32_t* upper, int32_t* lower)
{
    const std::string& glyph = screen->glyphs[static_cast<size_t>(index)];
    int32_t foreground = screen->foregrounds[static_cast<size_t>(index)];
    int32_t background = screen->backgrounds[static_cast<size_t>(index)];
    *upper = glyph == "\xE2\x96\x80" || glyph == "\xE2\x96\x88" ? foreground : background;
    *lower = glyph == "\xE2\x96\x84" || glyph == "\xE2\x96\x88" ? foreground : background;
}
