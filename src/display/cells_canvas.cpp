// The cell conversion specialised for the canvas's pixel format (32 bits,
// red, green and blue in bytes 0 to 2, no alpha). It gives exactly the cells
// of the format-independent path; what makes it cheap is that the dither
// kind and the colour scheme are fixed per call (templates chosen by one
// switch), pixels are read straight from memory, a row's samples are taken
// in one pass and the colour state lives in locals until the end.
#include <cstddef>
#include <cstring>

#include "display/cell_table.h"
#include "display/cells_internal.h"
#include "display/colour.h"
#include "display/console_display.h"
#include "runtime/random.h"

namespace {

// Wider rectangles go the generic way; the grid is 80 columns.
constexpr int32_t FAST_MAX_COLUMNS = 256;

enum class DitherKind { CONSTANT, ORDERED, RANDOM };

enum class Sampler { TWO_BY_TWO, AVERAGE, CENTRE };

// The ordered matrices are 2, 4 and 8 wide, so "mod size" is a mask.
template <DitherKind K>
inline void fast_start_row(DitherSource* d, int32_t y)
{
    if constexpr (K == DitherKind::ORDERED) {
        d->row = d->matrix + (y & (d->size - 1)) * d->size;
        d->column = 0;
    }
}

template <DitherKind K>
inline int32_t fast_value(const DitherSource* d)
{
    if constexpr (K == DitherKind::CONSTANT)
        return 128;
    else if constexpr (K == DitherKind::ORDERED)
        return d->row[d->column];
    else
        return random_next() >> 7;  // random_in_range(0, 255): r * 256 / 32768
}

template <DitherKind K>
inline void fast_advance(DitherSource* d)
{
    if constexpr (K == DitherKind::ORDERED)
        d->column = (d->column + 1) & (d->size - 1);
}

// A candidate with its "black ignores saturation, greys ignore hue" rules
// turned into factors of 0 or 3, so the distance has no branches.
struct FastCandidate {
    int32_t weight;
    int32_t value;
    int32_t saturation;
    int32_t hue;
    int32_t saturation_factor;
    int32_t hue_factor;
};

constexpr FastCandidate fast_candidate(const ColourCandidate& k)
{
    return {k.weight, k.value, k.saturation, k.hue, k.value != 0 ? 3 : 0, k.saturation != 0 ? 3 : 0};
}

constexpr FastCandidate FAST_CANDIDATES[CANDIDATE_COUNT] = {
    fast_candidate(COLOUR_CANDIDATES[0]), fast_candidate(COLOUR_CANDIDATES[1]),
    fast_candidate(COLOUR_CANDIDATES[2]), fast_candidate(COLOUR_CANDIDATES[3]),
    fast_candidate(COLOUR_CANDIDATES[4]), fast_candidate(COLOUR_CANDIDATES[5]),
    fast_candidate(COLOUR_CANDIDATES[6]), fast_candidate(COLOUR_CANDIDATES[7]),
};

inline int32_t fast_distance(int32_t slot, int32_t value, int32_t saturation, int32_t hue)
{
    const FastCandidate& k = FAST_CANDIDATES[slot];
    const int32_t dv = value - k.value;
    const int32_t ds = saturation - k.saturation;
    const int32_t dh = hue - k.hue;
    return k.weight * (6 * dv * dv + k.saturation_factor * ds * ds + k.hue_factor * dh * dh);
}

// One row of cell colours on the 12-bit scale.
struct RowSamples {
    int32_t red[FAST_MAX_COLUMNS];
    int32_t green[FAST_MAX_COLUMNS];
    int32_t blue[FAST_MAX_COLUMNS];
};

// Where each visited column reads: first pixel and pixel count (the centre
// pixel and 1 when sampling the centre).
struct ColumnSpans {
    int32_t count;  // visited columns
    int32_t first[FAST_MAX_COLUMNS];
    int32_t width[FAST_MAX_COLUMNS];
};

// Colour state that the generic path keeps in the display record cell by
// cell; written back once, after the last cell.
struct KernelState {
    int32_t palette[8];
    int32_t foreground;
    int32_t background;
    int32_t stored;  // 1 once a cell was stored
};

inline uint32_t load_pixel(const uint8_t* row, int32_t x)
{
    uint32_t p;
    std::memcpy(&p, row + static_cast<ptrdiff_t>(x) * 4, 4);
    return p;
}

// The 2 x 2 average on a surface exactly twice the rectangle's size: the four
// pixels' red and blue bytes are summed in two 16-bit lanes at once, green in
// a third. Sum * 16 / 4 is exact, so the average is sum * 4.
void sample_two_by_two(const uint8_t* row0, const uint8_t* row1, int32_t first_pixel, int32_t count,
                       RowSamples* out)
{
    for (int32_t i = 0; i < count; i++) {
        const int32_t px = first_pixel + 2 * i;
        const uint32_t a = load_pixel(row0, px);
        const uint32_t b = load_pixel(row0, px + 1);
        const uint32_t c = load_pixel(row1, px);
        const uint32_t e = load_pixel(row1, px + 1);
        const uint32_t red_blue = (a & 0x00FF00FF) + (b & 0x00FF00FF) + (c & 0x00FF00FF) + (e & 0x00FF00FF);
        const uint32_t green = ((a >> 8) & 0xFF) + ((b >> 8) & 0xFF) + ((c >> 8) & 0xFF) + ((e >> 8) & 0xFF);
        out->red[i] = static_cast<int32_t>(red_blue & 0xFFFF) << 2;
        out->green[i] = static_cast<int32_t>(green) << 2;
        out->blue[i] = static_cast<int32_t>(red_blue >> 16) << 2;
    }
}

void sample_average(const uint8_t* pixels, int32_t pitch, int32_t py0, int32_t py1, const ColumnSpans& columns,
                    RowSamples* out)
{
    // 64-bit sums: a huge surface may put millions of pixels under one cell.
    const uint64_t rows = static_cast<uint64_t>(py1 - py0);
    for (int32_t i = 0; i < columns.count; i++) {
        uint64_t red = 0;
        uint64_t green = 0;
        uint64_t blue = 0;
        for (int32_t py = py0; py < py1; py++) {
            const uint8_t* row = pixels + static_cast<ptrdiff_t>(py) * pitch;
            const int32_t end = columns.first[i] + columns.width[i];
            for (int32_t px = columns.first[i]; px < end; px++) {
                const uint32_t p = load_pixel(row, px);
                red += p & 0xFF;
                green += (p >> 8) & 0xFF;
                blue += (p >> 16) & 0xFF;
            }
        }
        const uint64_t count = static_cast<uint64_t>(columns.width[i]) * rows;
        out->red[i] = static_cast<int32_t>((red << 4) / count);
        out->green[i] = static_cast<int32_t>((green << 4) / count);
        out->blue[i] = static_cast<int32_t>((blue << 4) / count);
    }
}

void sample_centre(const uint8_t* row, const ColumnSpans& columns, RowSamples* out)
{
    for (int32_t i = 0; i < columns.count; i++) {
        const uint32_t p = load_pixel(row, columns.first[i]);
        out->red[i] = static_cast<int32_t>(p & 0xFF) << 4;
        out->green[i] = static_cast<int32_t>((p >> 8) & 0xFF) << 4;
        out->blue[i] = static_cast<int32_t>((p >> 16) & 0xFF) << 4;
    }
}

template <DitherKind K>
void blend_row(const RowSamples& in, int32_t count, DitherSource* d, const uint8_t* table, KernelState* st,
               uint8_t* characters, uint8_t* attributes)
{
    int32_t* palette = st->palette;
    int32_t foreground = st->foreground;
    int32_t background = st->background;
    for (int32_t i = 0; i < count; i++) {
        int32_t hue;
        int32_t saturation;
        int32_t value;
        rgb_to_hsv12(in.red[i], in.green[i], in.blue[i], &hue, &saturation, &value);
        const int32_t sector = hue >> HUE_SECTOR_BITS;
        palette[4] = SECTOR_DARK[sector + 1];
        palette[5] = SECTOR_LIGHT[sector + 1];
        palette[6] = SECTOR_DARK[sector];
        palette[7] = SECTOR_LIGHT[sector];

        const int32_t q1 = fast_value<K>(d);
        const int32_t q2 = fast_value<K>(d);
        const int32_t q3 = fast_value<K>(d);
        const int32_t vi = ((value + (q1 >> 1)) * 31) >> CHANNEL_BITS;
        const int32_t si = ((saturation + (q2 >> 1)) * 31) >> CHANNEL_BITS;
        const int32_t hi = (((hue & (HUE_SECTOR - 1)) + q3) * 15) >> CHANNEL_BITS;
        const int32_t pair = table[cell_table_index(vi, si, hi)];
        const int32_t near = pair & 15;
        const int32_t far = pair >> 4;

        const int32_t h = hue % 4095;
        const int32_t level =
            blend_level(fast_distance(near, value, saturation, h), fast_distance(far, value, saturation, h));
        foreground = palette[far];
        background = palette[near];
        const int32_t q4 = fast_value<K>(d);
        characters[i] = GLYPH_RAMP[level * GLYPH_VARIANTS + (q4 >> 6)];
        attributes[i] = static_cast<uint8_t>(background << 4 | foreground);
        fast_advance<K>(d);
    }
    st->foreground = foreground;
    st->background = background;
}

template <DitherKind K>
void single_row(const RowSamples& in, int32_t count, DitherSource* d, KernelState* st, uint8_t* characters,
                uint8_t* attributes)
{
    int32_t foreground = st->foreground;
    for (int32_t i = 0; i < count; i++) {
        int32_t hue;
        int32_t saturation;
        int32_t value;
        rgb_to_hsv12(in.red[i], in.green[i], in.blue[i], &hue, &saturation, &value);
        const int32_t q = fast_value<K>(d);
        if (saturation < 8 * q + 512) {
            const int32_t q_grey = fast_value<K>(d);
            foreground = SINGLE_GREYS[((value + 8 * q_grey) * 2) >> CHANNEL_BITS];
        } else {
            const int32_t q_value = fast_value<K>(d);
            const int32_t q_hue = fast_value<K>(d);
            const int32_t* colours = value > 4 * q_value + 2048 ? SECTOR_LIGHT : SECTOR_DARK;
            foreground = colours[(16 * q_hue + hue) >> HUE_SECTOR_BITS];
        }
        const int32_t q5 = fast_value<K>(d);
        const int32_t level = ((value + 2 * q5) * 10) >> CHANNEL_BITS;
        const int32_t q6 = fast_value<K>(d);
        characters[i] = GLYPH_RAMP[level * GLYPH_VARIANTS + (q6 >> 6)];
        attributes[i] = static_cast<uint8_t>(foreground);
        fast_advance<K>(d);
    }
    st->foreground = foreground;
    st->background = 0;
}

// Source rows of cell row y: [py0, py1), or the centre row in py0.
void row_span(const CellSpan& span, int32_t height, Sampler sampler, int32_t y, int32_t* py0, int32_t* py1)
{
    const int64_t cy = static_cast<int64_t>(y) - span.y0;
    int64_t top = cy * height / span.height;
    int64_t bottom = (cy + 1) * height / span.height;
    if (sampler == Sampler::CENTRE) {
        top = (top + bottom) / 2;
        bottom = top + 1;
    } else if (bottom == top) {
        bottom = top + 1;
    }
    *py0 = static_cast<int32_t>(top);
    *py1 = static_cast<int32_t>(bottom);
}

void column_spans(const CellSpan& span, int32_t width, Sampler sampler, ColumnSpans* out)
{
    out->count = span.last_x - span.first_x + 1;
    for (int32_t i = 0; i < out->count; i++) {
        const int64_t cx = static_cast<int64_t>(span.first_x) + i - span.x0;
        int64_t left = cx * width / span.width;
        int64_t right = (cx + 1) * width / span.width;
        if (sampler == Sampler::CENTRE) {
            left = (left + right) / 2;
            right = left + 1;
        } else if (right == left) {
            right = left + 1;
        }
        out->first[i] = static_cast<int32_t>(left);
        out->width[i] = static_cast<int32_t>(right - left);
    }
}

template <DitherKind K, bool Blend>
void convert(const CellSpan& span, const SurfaceDesc* desc, const uint8_t* pixels, Sampler sampler,
             DitherSource* d)
{
    ConsoleDisplay& display = console_display;
    ColumnSpans columns;
    column_spans(span, desc->width, sampler, &columns);
    RowSamples samples;
    KernelState st;
    std::memcpy(st.palette, display.palette.colour, sizeof st.palette);
    st.foreground = display.foreground;
    st.background = display.background;

    for (int32_t y = span.first_y; y <= span.last_y; y++) {
        int32_t py0;
        int32_t py1;
        row_span(span, desc->height, sampler, y, &py0, &py1);
        const uint8_t* row0 = pixels + static_cast<ptrdiff_t>(py0) * desc->pitch;
        switch (sampler) {
        case Sampler::TWO_BY_TWO:
            sample_two_by_two(row0, row0 + desc->pitch, columns.first[0], columns.count, &samples);
            break;
        case Sampler::AVERAGE:
            sample_average(pixels, desc->pitch, py0, py1, columns, &samples);
            break;
        case Sampler::CENTRE:
            sample_centre(row0, columns, &samples);
            break;
        }
        fast_start_row<K>(d, y);
        const int32_t cell = y * display.columns + span.first_x;
        if constexpr (Blend)
            blend_row<K>(samples, columns.count, d, display.table.entry, &st, display.characters + cell,
                         display.attributes + cell);
        else
            single_row<K>(samples, columns.count, d, &st, display.characters + cell, display.attributes + cell);
    }
    // cell_span_prepare guarantees at least one visited cell, and without
    // alpha every visited cell is stored.
    if constexpr (Blend)
        std::memcpy(&display.palette.colour[4], &st.palette[4], 4 * sizeof(int32_t));
    display.foreground = st.foreground;
    display.background = st.background;
}

template <bool Blend>
void convert_with_dither(const CellSpan& span, const SurfaceDesc* desc, const uint8_t* pixels, Sampler sampler,
                         DitherSource* d)
{
    if (d->matrix != nullptr)
        convert<DitherKind::ORDERED, Blend>(span, desc, pixels, sampler, d);
    else if (console_display.dither == OPT_DITHER_RANDOM)
        convert<DitherKind::RANDOM, Blend>(span, desc, pixels, sampler, d);
    else
        convert<DitherKind::CONSTANT, Blend>(span, desc, pixels, sampler, d);
}

bool is_canvas_format(const SurfaceDesc* desc)
{
    return desc->bits_per_pixel == 32 && !desc->indexed && desc->mask[CHANNEL_RED] == 0xFF &&
           desc->mask[CHANNEL_GREEN] == 0xFF00 && desc->mask[CHANNEL_BLUE] == 0xFF0000 &&
           desc->mask[CHANNEL_ALPHA] == 0;
}

}  // namespace

int32_t cells_from_canvas_format(const CellSpan& span, const SurfaceDesc* desc, const void* pixels,
                                 DitherSource* dither)
{
    if (!is_canvas_format(desc) || span.last_x - span.first_x + 1 > FAST_MAX_COLUMNS)
        return -1;
    Sampler sampler = Sampler::CENTRE;
    if (console_display.sampling == OPT_SAMPLE_AVERAGE) {
        const bool exact = desc->width == 2 * span.width && desc->height == 2 * span.height;
        sampler = exact ? Sampler::TWO_BY_TWO : Sampler::AVERAGE;
    }
    const uint8_t* bytes = static_cast<const uint8_t*>(pixels);
    if (console_display.colour_scheme == OPT_COLOUR_BLEND)
        convert_with_dither<true>(span, desc, bytes, sampler, dither);
    else
        convert_with_dither<false>(span, desc, bytes, sampler, dither);
    return 0;
}
