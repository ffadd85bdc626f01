// Test helper: a tiny terminal that replays encoder output onto a grid of
// cells, so tests check what the screen shows rather than the exact bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t SCREEN_PALETTE_BASE = 1 << 25;  // above every 1000 + rgb

struct ScreenModel {
    int32_t columns;
    int32_t rows;
    std::vector<std::string> glyphs;  // per cell, the bytes of its character
    std::vector<int32_t>
        foregrounds;  // ANSI number 0-15, 1000 + rgb for 38;2, SCREEN_PALETTE_BASE + n for 38;5, -1 default
    std::vector<int32_t> backgrounds;
    int32_t cursor_column;
    int32_t cursor_row;
    int32_t pen_foreground;
    int32_t pen_background;
    int32_t at_right_edge;    // the last column was just written (no auto-wrap)
    int32_t edge_overwrites;  // glyphs written while at the edge: a layout fault
    int32_t sync_open;        // inside \e[?2026h
    int32_t colour_codes;     // SGR sequences seen
    int32_t clears;
};

void screen_init(ScreenModel* screen, int32_t columns, int32_t rows);
void screen_apply(ScreenModel* screen, const char* bytes, int32_t length);
int32_t screen_index(const ScreenModel* screen, int32_t column, int32_t row);

// The two colours a cell of half blocks shows, upper and lower (the colour
// values above), by its glyph: a space shows the background only.
void screen_halves(const ScreenModel* screen, int32_t index, int32_t* upper, int32_t* lower);
