// The cell conversion specialised for the canvas's pixel format (32 bits,
// red, green and blue in bytes 0 to 2, no alpha). It gives exactly the cells
// of the format-independent path. What makes it cheap: the dither kind and
// the colour scheme are fixed per call (templates chosen by one switch),
// pixels are read straight from memory, and a row goes through short passes
// over small arrays, each free of branches and of dependencies between cells,
// so the compiler can vectorise them and the processor overlap them.
#include <array>
#include <cstddef>
#include <cstring>

#include "core/random.h"
#include "core/row_pass.h"
#include "display/cell_table.h"
#include "display/cells_internal.h"
#include "display/colour.h"
#include "display/console_display.h"

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
    if constexpr (K == DitherKind::CONSTANT) {
        return 128;
    } else if constexpr (K == DitherKind::ORDERED) {
        return d->row[d->column];
    } else {
        return random_next() >> 7;  // random_in_range(0, 255): r * 256 / 32768
    }
}

template <DitherKind K>
inline void fast_advance(DitherSource* d)
{
    if constexpr (K == DitherKind::ORDERED) {
        d->column = (d->column + 1) & (d->size - 1);
    }
}

// One row of cell colours on the 12-bit scale, then as hue, saturation, value.
struct RowSamples {
    int32_t red[FAST_MAX_COLUMNS];
    int32_t green[FAST_MAX_COLUMNS];
    int32_t blue[FAST_MAX_COLUMNS];
    int32_t hue[FAST_MAX_COLUMNS];
    int32_t saturation[FAST_MAX_COLUMNS];
    int32_t value[FAST_MAX_COLUMNS];
    int32_t q1[FAST_MAX_COLUMNS];  // dither values; only q1 for one value per cell
    int32_t q2[FAST_MAX_COLUMNS];
    int32_t q3[FAST_MAX_COLUMNS];
    int32_t q4[FAST_MAX_COLUMNS];
    int32_t point[FAST_MAX_COLUMNS];  // index into the cell table
    int32_t pair[FAST_MAX_COLUMNS];   // far << 4 | near
    int32_t level[FAST_MAX_COLUMNS];  // coverage 0..15
};

// Where each visited column reads: first pixel and pixel count (the centre
// pixel and 1 when sampling the centre).
struct ColumnSpans {
    int32_t count;   // visited columns
    int32_t widest;  // the largest width
    int32_t pairs;   // 1 when every cell covers two pixels, each next to the last
    int32_t first[FAST_MAX_COLUMNS];
    int32_t width[FAST_MAX_COLUMNS];
};

// Colour state that the generic path keeps in the display record cell by
// cell; written back once, after the last cell.
struct KernelState {
    int32_t palette[8];
    int32_t foreground;
    int32_t background;
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
ROW_PASS void sample_two_by_two(const uint8_t* row0, const uint8_t* row1, int32_t first_pixel, int32_t count,
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

// Sums (times 16) of the pixels under each cell of a row, and their counts;
// source row by source row, which keeps the loops regular.
void sum_cells(const uint8_t* pixels, int32_t pitch, int32_t py0, int32_t py1, const ColumnSpans& columns,
               RowSamples* out, int32_t* counts)
{
    for (int32_t i = 0; i < columns.count; i++) {
        out->red[i] = 0;
        out->green[i] = 0;
        out->blue[i] = 0;
    }
    for (int32_t py = py0; py < py1; py++) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(py) * pitch;
        if (columns.pairs) {
            // The canvas on 80 columns: two pixels per cell, side by side.
            for (int32_t i = 0; i < columns.count; i++) {
                const uint32_t a = load_pixel(row, columns.first[0] + 2 * i);
                const uint32_t b = load_pixel(row, columns.first[0] + 2 * i + 1);
                const uint32_t red_blue = (a & 0x00FF00FF) + (b & 0x00FF00FF);
                out->red[i] += static_cast<int32_t>(red_blue & 0xFFFF);
                out->green[i] += static_cast<int32_t>(((a >> 8) & 0xFF) + ((b >> 8) & 0xFF));
                out->blue[i] += static_cast<int32_t>(red_blue >> 16);
            }
            continue;
        }
        for (int32_t i = 0; i < columns.count; i++) {
            // Separate sums: a cell may be thousands of pixels wide, so two
            // 16-bit lanes in one word would carry red into blue.
            uint32_t red = 0;
            uint32_t green = 0;
            uint32_t blue = 0;
            const int32_t end = columns.first[i] + columns.width[i];
            for (int32_t px = columns.first[i]; px < end; px++) {
                const uint32_t p = load_pixel(row, px);
                red += p & 0xFF;
                green += (p >> 8) & 0xFF;
                blue += (p >> 16) & 0xFF;
            }
            out->red[i] += static_cast<int32_t>(red);
            out->green[i] += static_cast<int32_t>(green);
            out->blue[i] += static_cast<int32_t>(blue);
        }
    }
    for (int32_t i = 0; i < columns.count; i++) {
        out->red[i] <<= 4;
        out->green[i] <<= 4;
        out->blue[i] <<= 4;
        counts[i] = columns.width[i] * (py1 - py0);
    }
}

// Sum * 16 / count through float: exact for counts up to 4095 (numerator
// below 2^24, quotient at most 4080; see the note on exact division below).
ROW_PASS void divide_by_counts(RowSamples* s, const int32_t* counts, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        const float pixels = static_cast<float>(counts[i]);
        s->red[i] = static_cast<int32_t>(static_cast<float>(s->red[i]) / pixels);
        s->green[i] = static_cast<int32_t>(static_cast<float>(s->green[i]) / pixels);
        s->blue[i] = static_cast<int32_t>(static_cast<float>(s->blue[i]) / pixels);
    }
}

// Larger cells: 64-bit sums and integer division, since a huge surface may
// put millions of pixels under one cell.
void average_large_cells(const uint8_t* pixels, int32_t pitch, int32_t py0, int32_t py1, const ColumnSpans& columns,
                         RowSamples* out)
{
    const uint64_t rows = static_cast<uint64_t>(py1 - py0);
    for (int32_t i = 0; i < columns.count; i++) {
        uint64_t red = 0;
        uint64_t green = 0;
        uint64_t blue = 0;
        const int32_t end = columns.first[i] + columns.width[i];
        for (int32_t py = py0; py < py1; py++) {
            const uint8_t* row = pixels + static_cast<ptrdiff_t>(py) * pitch;
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

void sample_average(const uint8_t* pixels, int32_t pitch, int32_t py0, int32_t py1, const ColumnSpans& columns,
                    RowSamples* out)
{
    if (static_cast<int64_t>(columns.widest) * (py1 - py0) > 4095) {
        average_large_cells(pixels, pitch, py0, py1, columns, out);
        return;
    }
    int32_t counts[FAST_MAX_COLUMNS];
    sum_cells(pixels, pitch, py0, py1, columns, out, counts);
    divide_by_counts(out, counts, columns.count);
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

// The passes divide exactly through floating point, which vectorises where
// integer division does not. For an integer n and 0 < d, n / d truncated
// toward zero equals the rounded floating-point quotient truncated as long
// as the rounding error stays below 1/d: a quotient that is not an integer
// lies at least 1/d from the next one. In double that holds for |n| < 2^52,
// d < 2^32. In float it holds for the colour conversion's quotients
// (numerator below 2^24, exact in float, divisor at most 4095, quotient at
// most 4096): half an ulp below 4096 is 2^-13, well under 1/4095. (Checked
// exhaustively as well, for every numerator and divisor of rgb_to_hsv12.)
// (Written out in each pass: a helper function with other optimisation
// settings would not be inlined into them.)

// Hue, saturation and value of a row of samples, as rgb_to_hsv12 computes
// them but without branches: which channel is the largest changes from cell
// to cell and would be mispredicted half the time.
ROW_PASS void row_to_hsv(RowSamples* s, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        const int32_t r = s->red[i];
        const int32_t g = s->green[i];
        const int32_t b = s->blue[i];
        const int32_t max = r > g ? (r > b ? r : b) : (g > b ? g : b);
        const int32_t min = r < g ? (r < b ? r : b) : (g < b ? g : b);
        const int32_t diff = max - min;
        // Tested in rgb_to_hsv12's order: red, then green, then blue.
        const int32_t numerator = r == max ? g - b : (g == max ? b - r : r - g);
        const int32_t sector_start = r == max ? 1 * HUE_SECTOR : (g == max ? 3 * HUE_SECTOR : 5 * HUE_SECTOR);
        // A grey (numerator 0) divides by 1 instead of 0 and gets no offset:
        // hue and saturation 0. Selecting the inputs rather than the result
        // keeps the divisions unconditional, which the vectoriser needs.
        const int32_t offset = diff != 0 ? sector_start : 0;
        const int32_t divisor = diff != 0 ? diff : 1;
        s->hue[i] =
            static_cast<int32_t>(static_cast<float>(numerator * HUE_SECTOR) / static_cast<float>(divisor)) + offset;
        s->saturation[i] =
            static_cast<int32_t>(static_cast<float>(diff * CHANNEL_MAX) / static_cast<float>(max != 0 ? max : 1));
        s->value[i] = max;
    }
}

// The table point of every cell: value, saturation and hue, each with its
// own dither value added.
ROW_PASS void row_table_points(RowSamples* s, int32_t count, const int32_t* q1, const int32_t* q2, const int32_t* q3)
{
    for (int32_t i = 0; i < count; i++) {
        const int32_t vi = ((s->value[i] + (q1[i] >> 1)) * 31) >> CHANNEL_BITS;
        const int32_t si = ((s->saturation[i] + (q2[i] >> 1)) * 31) >> CHANNEL_BITS;
        const int32_t hi = (((s->hue[i] & (HUE_SECTOR - 1)) + q3[i]) * 15) >> CHANNEL_BITS;
        s->point[i] = (vi * CELL_TABLE_SATURATIONS + si) * CELL_TABLE_HUES + hi;
    }
}

// Distances to all eight candidates, sharing their terms: the candidates
// have only four values (0, 1535, 2559, 4095), two saturations (0, 4095) and
// two hues (0, 4096). Black ignores saturation, the greys ignore hue.
// Computing all eight and picking two costs less than fetching two
// candidates' fields per cell, and vectorises.
struct AllDistances {
    int32_t d[8];
};

// Always inlined: the row pass that calls it is built with other settings,
// and a call per cell would stop it from being vectorised.
[[gnu::always_inline]] constexpr AllDistances all_distances(int32_t value, int32_t saturation, int32_t hue)
{
    const int32_t v1 = value - 1535;
    const int32_t v2 = value - 2559;
    const int32_t v3 = value - 4095;
    const int32_t a0 = 6 * value * value;
    const int32_t a1 = 6 * v1 * v1;
    const int32_t a2 = 6 * v2 * v2;
    const int32_t a3 = 6 * v3 * v3;
    const int32_t s1 = saturation - 4095;
    const int32_t b0 = 3 * saturation * saturation;
    const int32_t b1 = 3 * s1 * s1;
    const int32_t h1 = hue - HUE_SECTOR;
    const int32_t c0 = 3 * hue * hue;
    const int32_t c1 = 3 * h1 * h1;
    return {{4 * a0, 5 * (a1 + b0), 5 * (a2 + b0), 4 * (a3 + b0), 3 * (a1 + b1 + c1), 2 * (a3 + b1 + c1),
             3 * (a1 + b1 + c0), 2 * (a3 + b1 + c0)}};
}

constexpr bool all_distances_match_candidates()
{
    const int32_t probes[] = {0, 1, 1535, 2048, 2559, 4094, 4095};
    for (int32_t v : probes) {
        for (int32_t sat : probes) {
            for (int32_t h : probes) {
                const AllDistances all = all_distances(v, sat, h);
                for (int32_t k = 0; k < CANDIDATE_COUNT; k++) {
                    if (all.d[k] != candidate_distance(COLOUR_CANDIDATES[k], v, sat, h)) {
                        return false;
                    }
                }
            }
        }
    }
    return true;
}
static_assert(all_distances_match_candidates(), "the shared-term distances must equal candidate_distance");

// The coverage level of every cell from its distances to the near and far
// candidate: floor(30 m / (m + far)), m the smaller; 15 when both are 0.
ROW_PASS void row_levels(RowSamples* s, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        const int32_t near = s->pair[i] & 15;
        const int32_t far = s->pair[i] >> 4;
        // hue mod 4095, the sector's own hue: hue is sector * 4096 + rest,
        // and sector + rest stays below 2 * 4095, so one subtraction folds it.
        const int32_t sector = s->hue[i] >> HUE_SECTOR_BITS;
        const int32_t folded = sector + (s->hue[i] & (HUE_SECTOR - 1));
        const int32_t h = folded >= 4095 ? folded - 4095 : folded;
        const AllDistances all = all_distances(s->value[i], s->saturation[i], h);
        const int32_t d0 = all.d[0];
        const int32_t d1 = all.d[1];
        const int32_t d2 = all.d[2];
        const int32_t d3 = all.d[3];
        const int32_t d4 = all.d[4];
        const int32_t d5 = all.d[5];
        const int32_t d6 = all.d[6];
        const int32_t d7 = all.d[7];
        // Pick by the slot's bits: no table, no branch.
        const int32_t n01 = near & 1 ? d1 : d0;
        const int32_t n23 = near & 1 ? d3 : d2;
        const int32_t n45 = near & 1 ? d5 : d4;
        const int32_t n67 = near & 1 ? d7 : d6;
        const int32_t n03 = near & 2 ? n23 : n01;
        const int32_t n47 = near & 2 ? n67 : n45;
        const int32_t near_distance = near & 4 ? n47 : n03;
        const int32_t f01 = far & 1 ? d1 : d0;
        const int32_t f23 = far & 1 ? d3 : d2;
        const int32_t f45 = far & 1 ? d5 : d4;
        const int32_t f67 = far & 1 ? d7 : d6;
        const int32_t f03 = far & 2 ? f23 : f01;
        const int32_t f47 = far & 2 ? f67 : f45;
        const int32_t far_distance = far & 4 ? f47 : f03;
        const int32_t m = near_distance < far_distance ? near_distance : far_distance;
        // Distances stay below 2^30, so their sum fits; 30 m is done in
        // double. Both distances 0 become 15 / 1.
        const int32_t sum = m + far_distance;
        const double dividend = sum != 0 ? 30.0 * m : 15.0;
        s->level[i] = static_cast<int32_t>(dividend / (sum != 0 ? sum : 1));
    }
}

// The random dither's draws, four per cell, into the four value arrays.
ROW_PASS void split_fours(const int32_t* drawn, RowSamples* s, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        s->q1[i] = drawn[4 * i];
        s->q2[i] = drawn[4 * i + 1];
        s->q3[i] = drawn[4 * i + 2];
        s->q4[i] = drawn[4 * i + 3];
    }
}

// The console colours of slots 0-3 as four nibbles.
uint32_t fixed_slot_colours(const int32_t* palette)
{
    uint32_t packed = 0;
    for (int32_t k = 0; k < 4; k++) {
        packed |= (static_cast<uint32_t>(palette[k]) & 15) << (4 * k);
    }
    return packed;
}

// The dark sector colours as nibbles; each light colour is its dark one + 8.
constexpr uint32_t pack_sector_dark()
{
    uint32_t packed = 0;
    for (int32_t s = 0; s < 7; s++) {
        packed |= static_cast<uint32_t>(SECTOR_DARK[s]) << (4 * s);
    }
    return packed;
}

constexpr uint32_t SECTOR_DARK_NIBBLES = pack_sector_dark();

constexpr bool light_is_dark_plus_eight()
{
    for (int32_t s = 0; s < 7; s++) {
        if (SECTOR_LIGHT[s] != SECTOR_DARK[s] + 8) {
            return false;
        }
    }
    return true;
}
static_assert(light_is_dark_plus_eight(), "the sector colours are looked up as dark + 8");

using GlyphWords = std::array<int32_t, GLYPH_LEVELS * GLYPH_VARIANTS>;

// The glyph ramp widened to words, which the vectoriser can gather.
constexpr GlyphWords widen_ramp()
{
    GlyphWords words{};
    for (int32_t i = 0; i < GLYPH_LEVELS * GLYPH_VARIANTS; i++) {
        words[i] = GLYPH_RAMP[i];
    }
    return words;
}

constexpr GlyphWords GLYPH_WORDS = widen_ramp();

// Glyph and attribute of every cell. A slot's colour is fixed for slots 0-3
// and comes from the cell's hue sector for 4-7 (4, 5: the next sector's dark
// and light colour; 6, 7: its own).
ROW_PASS void row_cells(const RowSamples* s, int32_t count, const int32_t* q4, uint32_t fixed_colours,
                        uint8_t* characters, uint8_t* attributes)
{
    for (int32_t i = 0; i < count; i++) {
        const int32_t sector = s->hue[i] >> HUE_SECTOR_BITS;
        const int32_t near = s->pair[i] & 15;
        const int32_t far = s->pair[i] >> 4;
        const int32_t near_sector = sector + 1 - ((near >> 1) & 1);
        const int32_t far_sector = sector + 1 - ((far >> 1) & 1);
        const int32_t near_sector_colour =
            static_cast<int32_t>((SECTOR_DARK_NIBBLES >> (4 * near_sector)) & 15) + 8 * (near & 1);
        const int32_t far_sector_colour =
            static_cast<int32_t>((SECTOR_DARK_NIBBLES >> (4 * far_sector)) & 15) + 8 * (far & 1);
        const int32_t near_fixed = static_cast<int32_t>((fixed_colours >> (4 * (near & 3))) & 15);
        const int32_t far_fixed = static_cast<int32_t>((fixed_colours >> (4 * (far & 3))) & 15);
        const int32_t background = near < 4 ? near_fixed : near_sector_colour;
        const int32_t foreground = far < 4 ? far_fixed : far_sector_colour;
        characters[i] = static_cast<uint8_t>(GLYPH_WORDS[s->level[i] * GLYPH_VARIANTS + (q4[i] >> 6)]);
        attributes[i] = static_cast<uint8_t>(background << 4 | foreground);
    }
}

// The dither values of a row, four per cell in the order the cell takes
// them. An ordered or constant dither gives one value per cell, used four
// times (only advance moves it); the random one draws four in turn.
template <DitherKind K>
void row_dither(RowSamples* s, int32_t count, DitherSource* d)
{
    if constexpr (K == DitherKind::RANDOM) {
        int32_t drawn[4 * FAST_MAX_COLUMNS];
        random_fill_bytes(drawn, 4 * count);
        split_fours(drawn, s, count);
    } else {
        for (int32_t i = 0; i < count; i++) {
            s->q1[i] = fast_value<K>(d);
            fast_advance<K>(d);
        }
    }
}

// Two colours and a coverage glyph per cell, as blend_cell does for one.
template <DitherKind K>
void blend_row(RowSamples* s, int32_t count, DitherSource* d, const uint8_t* table, KernelState* st,
               uint8_t* characters, uint8_t* attributes)
{
    row_dither<K>(s, count, d);
    const bool one_value = K != DitherKind::RANDOM;
    const int32_t* q2 = one_value ? s->q1 : s->q2;
    const int32_t* q3 = one_value ? s->q1 : s->q3;
    const int32_t* q4 = one_value ? s->q1 : s->q4;
    row_table_points(s, count, s->q1, q2, q3);
    for (int32_t i = 0; i < count; i++) {
        s->pair[i] = table[s->point[i]];
    }
    row_levels(s, count);
    row_cells(s, count, q4, fixed_slot_colours(st->palette), characters, attributes);
    // The slot palette keeps the sector colours of the row's last cell.
    const int32_t last = count - 1;
    const int32_t sector = s->hue[last] >> HUE_SECTOR_BITS;
    st->palette[4] = SECTOR_DARK[sector + 1];
    st->palette[5] = SECTOR_LIGHT[sector + 1];
    st->palette[6] = SECTOR_DARK[sector];
    st->palette[7] = SECTOR_LIGHT[sector];
    st->foreground = attributes[last] & 15;
    st->background = attributes[last] >> 4;
}

template <DitherKind K>
void single_row(const RowSamples& in, int32_t count, DitherSource* d, KernelState* st, uint8_t* characters,
                uint8_t* attributes)
{
    int32_t foreground = st->foreground;
    for (int32_t i = 0; i < count; i++) {
        const int32_t hue = in.hue[i];
        const int32_t saturation = in.saturation[i];
        const int32_t value = in.value[i];
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

// Source pixels of cell c of cells spread over size: [*first, *end), or
// the centre pixel alone.
void source_span(int64_t c, int32_t size, int32_t cells, Sampler sampler, int64_t* first, int64_t* end)
{
    int64_t low = c * size / cells;
    int64_t high = (c + 1) * size / cells;
    if (sampler == Sampler::CENTRE) {
        low = (low + high) / 2;
        high = low + 1;
    } else if (high == low) {
        high = low + 1;
    }
    *first = low;
    *end = high;
}

// Source rows of cell row y: [py0, py1), or the centre row in py0.
void row_span(const CellSpan& span, int32_t height, Sampler sampler, int32_t y, int32_t* py0, int32_t* py1)
{
    int64_t top = 0;
    int64_t bottom = 0;
    source_span(static_cast<int64_t>(y) - span.y0, height, span.height, sampler, &top, &bottom);
    *py0 = static_cast<int32_t>(top);
    *py1 = static_cast<int32_t>(bottom);
}

void column_spans(const CellSpan& span, int32_t width, Sampler sampler, ColumnSpans* out)
{
    out->count = span.last_x - span.first_x + 1;
    out->widest = 0;
    for (int32_t i = 0; i < out->count; i++) {
        int64_t left = 0;
        int64_t right = 0;
        source_span(static_cast<int64_t>(span.first_x) + i - span.x0, width, span.width, sampler, &left, &right);
        out->first[i] = static_cast<int32_t>(left);
        out->width[i] = static_cast<int32_t>(right - left);
        if (out->width[i] > out->widest) {
            out->widest = out->width[i];
        }
    }
    out->pairs = 1;
    for (int32_t i = 0; i < out->count; i++) {
        if (out->width[i] != 2 || out->first[i] != out->first[0] + 2 * i) {
            out->pairs = 0;
        }
    }
}

template <DitherKind K, bool Blend>
void convert(const CellSpan& span, const SurfaceDesc* desc, const uint8_t* pixels, Sampler sampler, DitherSource* d)
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
        row_to_hsv(&samples, columns.count);
        fast_start_row<K>(d, y);
        const int32_t cell = y * display.columns + span.first_x;
        if constexpr (Blend) {
            blend_row<K>(&samples, columns.count, d, display.table.entry, &st, display.characters + cell,
                         display.attributes + cell);
        } else {
            single_row<K>(samples, columns.count, d, &st, display.characters + cell, display.attributes + cell);
        }
    }
    // cell_span_prepare guarantees at least one visited cell, and without
    // alpha every visited cell is stored.
    if constexpr (Blend) {
        std::memcpy(&display.palette.colour[4], &st.palette[4], 4 * sizeof(int32_t));
    }
    display.foreground = st.foreground;
    display.background = st.background;
}

template <bool Blend>
void convert_with_dither(const CellSpan& span, const SurfaceDesc* desc, const uint8_t* pixels, Sampler sampler,
                         DitherSource* d)
{
    if (d->matrix != nullptr) {
        convert<DitherKind::ORDERED, Blend>(span, desc, pixels, sampler, d);
    } else if (console_display.dither == DITHER_RANDOM) {
        convert<DitherKind::RANDOM, Blend>(span, desc, pixels, sampler, d);
    } else {
        convert<DitherKind::CONSTANT, Blend>(span, desc, pixels, sampler, d);
    }
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
    if (!is_canvas_format(desc) || span.last_x - span.first_x + 1 > FAST_MAX_COLUMNS) {
        return -1;
    }
    Sampler sampler = Sampler::CENTRE;
    if (console_display.sampling == SAMPLING_AVERAGE) {
        const bool exact = desc->width == 2 * span.width && desc->height == 2 * span.height;
        sampler = exact ? Sampler::TWO_BY_TWO : Sampler::AVERAGE;
    }
    const uint8_t* bytes = static_cast<const uint8_t*>(pixels);
    if (console_display.colour_scheme == COLOUR_SCHEME_BLEND) {
        convert_with_dither<true>(span, desc, bytes, sampler, dither);
    } else {
        convert_with_dither<false>(span, desc, bytes, sampler, dither);
    }
    return 0;
}
