// Box blurs of the canvas and of value arrays, as running sums so the radius costs nothing.
#include "gfx2d/filter_rect.h"
#include "gfx2d/filters.h"

namespace {

// Exact division of a window sum by its count through a multiply: with
// reciprocal (2^32 / count) + 1, (sum * reciprocal) >> 32 equals sum / count
// for every sum below 2^16 and count up to 160 (the error stays below 2^16 /
// 2^32, less than 1 / count). Byte sums reach at most 160 * 255.
constexpr int32_t MAX_WINDOW = CANVAS_WIDTH > CANVAS_HEIGHT ? CANVAS_WIDTH : CANVAS_HEIGHT;

struct WindowReciprocals {
    uint64_t of[MAX_WINDOW + 1];
};

constexpr WindowReciprocals make_window_reciprocals()
{
    WindowReciprocals table = {};
    for (int32_t count = 1; count <= MAX_WINDOW; ++count) {
        table.of[count] = (uint64_t{1} << 32) / static_cast<uint64_t>(count) + 1;
    }
    return table;
}

constexpr WindowReciprocals WINDOW_RECIPROCALS = make_window_reciprocals();

inline uint32_t divide_window_sum(int32_t sum, int32_t count)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(sum) * WINDOW_RECIPROCALS.of[count]) >> 32);
}

// The window of position i is i-r .. i+r cut to 0 .. n-1; this many values.
inline int32_t window_count(int32_t i, int32_t r, int32_t n)
{
    return std::min(i + r, n - 1) - std::max(i - r, 0) + 1;
}

// The row pass: blurs colour bytes 0-2 of a row of n pixels in place. The sums
// slide along the line and the results wait in scratch until the line is done,
// so every window reads unchanged input. 32-bit sums are exact for any radius
// (160 * 255 at most). An average of bytes never leaves 0..255: no clamp.
void blur_pixel_line(uint32_t* line, int32_t n, int32_t r, uint32_t* scratch)
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    for (int32_t k = 0; k <= std::min(r, n - 1); ++k) {
        uint32_t p = line[k];
        red += p & 0xFF;
        green += (p >> 8) & 0xFF;
        blue += (p >> 16) & 0xFF;
    }
    for (int32_t i = 0; i < n; ++i) {
        int32_t count = window_count(i, r, n);
        scratch[i] =
            divide_window_sum(red, count) | divide_window_sum(green, count) << 8 | divide_window_sum(blue, count) << 16;
        if (i - r >= 0) {
            uint32_t leaving = line[i - r];
            red -= leaving & 0xFF;
            green -= (leaving >> 8) & 0xFF;
            blue -= (leaving >> 16) & 0xFF;
        }
        if (i + r + 1 < n) {
            uint32_t entering = line[i + r + 1];
            red += entering & 0xFF;
            green += (entering >> 8) & 0xFF;
            blue += (entering >> 16) & 0xFF;
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        line[i] = (line[i] & 0xFF000000u) | scratch[i];
    }
}

// Signed division truncating toward zero; the 32-bit divide is much quicker
// and gives the same quotient whenever the sum fits in 32 bits.
inline int32_t divide_value_sum(int64_t sum, int32_t count)
{
    if (sum >= INT32_MIN && sum <= INT32_MAX) {
        return static_cast<int32_t>(sum) / count;
    }
    return static_cast<int32_t>(sum / count);
}

// The same on whole values: 64-bit sums, division truncating toward zero.
void blur_value_line(int32_t* line, int32_t n, int32_t r, int32_t* scratch)
{
    int64_t sum = 0;
    for (int32_t k = 0; k <= std::min(r, n - 1); ++k) {
        sum += line[k];
    }
    for (int32_t i = 0; i < n; ++i) {
        scratch[i] = divide_value_sum(sum, window_count(i, r, n));
        if (i - r >= 0) {
            sum -= line[i - r];
        }
        if (i + r + 1 < n) {
            sum += line[i + r + 1];
        }
    }
    std::copy_n(scratch, n, line);
}

inline void add_value_row(const int32_t* row, int32_t w, int64_t* sums)
{
    for (int32_t x = 0; x < w; ++x) {
        sums[x] += row[x];
    }
}

inline void subtract_value_row(const int32_t* row, int32_t w, int64_t* sums)
{
    for (int32_t x = 0; x < w; ++x) {
        sums[x] -= row[x];
    }
}

// The column pass on values, row by row like blur_pixel_columns.
void blur_value_columns(int32_t* values, const FilterRect& rect, int32_t r)
{
    int32_t w = rect.x1 - rect.x0;
    int32_t h = rect.y1 - rect.y0;
    int32_t input[CANVAS_PIXELS];
    for (int32_t y = 0; y < h; ++y) {
        std::copy_n(values + (rect.y0 + y) * CANVAS_WIDTH + rect.x0, w, input + y * w);
    }
    int64_t sums[CANVAS_WIDTH] = {};
    for (int32_t k = 0; k <= std::min(r, h - 1); ++k) {
        add_value_row(input + k * w, w, sums);
    }
    for (int32_t y = 0; y < h; ++y) {
        int32_t count = window_count(y, r, h);
        int32_t* out = values + (rect.y0 + y) * CANVAS_WIDTH + rect.x0;
        for (int32_t x = 0; x < w; ++x) {
            out[x] = divide_value_sum(sums[x], count);
        }
        if (y - r >= 0) {
            subtract_value_row(input + (y - r) * w, w, sums);
        }
        if (y + r + 1 < h) {
            add_value_row(input + (y + r + 1) * w, w, sums);
        }
    }
}

// Adds (sign 1) or takes away (sign -1) one row of w pixels from per-column
// channel sums.
inline void add_pixel_row(const uint32_t* row, int32_t w, int32_t sign, int32_t* red, int32_t* green, int32_t* blue)
{
    for (int32_t x = 0; x < w; ++x) {
        uint32_t p = row[x];
        red[x] += sign * static_cast<int32_t>(p & 0xFF);
        green[x] += sign * static_cast<int32_t>((p >> 8) & 0xFF);
        blue[x] += sign * static_cast<int32_t>((p >> 16) & 0xFF);
    }
}

// The column pass, walked row by row so the canvas is read in memory order,
// with one running sum per column and channel. The canvas rows above the
// current one already hold results, so rows leaving the window are read from
// a copy of the row pass's output.
void blur_pixel_columns(uint32_t* pixels, const FilterRect& rect, int32_t r)
{
    int32_t w = rect.x1 - rect.x0;
    int32_t h = rect.y1 - rect.y0;
    uint32_t input[CANVAS_PIXELS];
    for (int32_t y = 0; y < h; ++y) {
        std::copy_n(pixels + (rect.y0 + y) * CANVAS_WIDTH + rect.x0, w, input + y * w);
    }
    int32_t red[CANVAS_WIDTH] = {};
    int32_t green[CANVAS_WIDTH] = {};
    int32_t blue[CANVAS_WIDTH] = {};
    for (int32_t k = 0; k <= std::min(r, h - 1); ++k) {
        add_pixel_row(input + k * w, w, 1, red, green, blue);
    }
    for (int32_t y = 0; y < h; ++y) {
        int32_t count = window_count(y, r, h);
        uint32_t* out = pixels + (rect.y0 + y) * CANVAS_WIDTH + rect.x0;
        for (int32_t x = 0; x < w; ++x) {
            out[x] = (out[x] & 0xFF000000u) | divide_window_sum(red[x], count) |
                     divide_window_sum(green[x], count) << 8 | divide_window_sum(blue[x], count) << 16;
        }
        if (y - r >= 0) {
            add_pixel_row(input + (y - r) * w, w, -1, red, green, blue);
        }
        if (y + r + 1 < h) {
            add_pixel_row(input + (y + r + 1) * w, w, 1, red, green, blue);
        }
    }
}

}  // namespace

void box_blur(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius)
{
    int32_t r = radius & 0xFF;
    FilterRect rect;
    if (r == 0 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    uint32_t scratch[MAX_WINDOW];
    uint32_t* pixels = canvas->pixels;
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        blur_pixel_line(pixels + y * CANVAS_WIDTH + rect.x0, rect.x1 - rect.x0, r, scratch);
    }
    blur_pixel_columns(pixels, rect, r);
}

void blur_values(int32_t* values, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius)
{
    int32_t r = radius & 0xFF;
    FilterRect rect;
    if (r == 0 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    int32_t scratch[MAX_WINDOW];
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        blur_value_line(values + y * CANVAS_WIDTH + rect.x0, rect.x1 - rect.x0, r, scratch);
    }
    blur_value_columns(values, rect, r);
}
