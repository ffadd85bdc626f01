// The cell conversion's entry, its rectangle set-up and the format-independent
// path, which follows the conversion rules step by step for any surface.
#include "display/cells.h"

#include "display/cell_table.h"
#include "display/cells_internal.h"
#include "display/colour.h"
#include "display/console_display.h"

int32_t cell_span_prepare(CellSpan* span, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc,
                          const void* pixels, DitherSource* dither)
{
    if (desc == nullptr || pixels == nullptr) {
        return 0;
    }
    if (x0 > x1) {
        const int32_t t = x0;
        x0 = x1;
        x1 = t;
    }
    if (y0 > y1) {
        const int32_t t = y0;
        y0 = y1;
        y1 = t;
    }
    if (dither_source_select(dither, console_display.dither) != 0) {
        return 0;
    }
    // A failed opening leaves the arrays missing: nothing may be stored.
    const ConsoleDisplay& d = console_display;
    if (d.kind != DISPLAY_KIND_CONSOLE || d.characters == nullptr || d.attributes == nullptr) {
        return 0;
    }

    span->x0 = x0;
    span->y0 = y0;
    span->x1 = x1;
    span->y1 = y1;
    span->width = static_cast<int64_t>(x1) - x0 + 1;
    span->height = static_cast<int64_t>(y1) - y0 + 1;
    // Cells outside the grid would be dropped anyway; not computing them
    // keeps a huge rectangle from costing a huge amount of work.
    span->first_x = x0 > 0 ? x0 : 0;
    span->first_y = y0 > 0 ? y0 : 0;
    span->last_x = x1 < d.columns - 1 ? x1 : d.columns - 1;
    span->last_y = y1 < d.rows - 1 ? y1 : d.rows - 1;
    return span->first_x <= span->last_x && span->first_y <= span->last_y ? 1 : 0;
}

void cells_from_surface(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc, const void* pixels)
{
    CellSpan span;
    DitherSource dither;
    if (!cell_span_prepare(&span, x0, y0, x1, y1, desc, pixels, &dither)) {
        return;
    }
    if (cells_from_canvas_format(span, desc, pixels, &dither) == 0) {
        return;
    }
    cells_convert_generic(span, desc, pixels, &dither);
}

void cells_from_surface_generic(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc,
                                const void* pixels)
{
    CellSpan span;
    DitherSource dither;
    if (!cell_span_prepare(&span, x0, y0, x1, y1, desc, pixels, &dither)) {
        return;
    }
    cells_convert_generic(span, desc, pixels, &dither);
}

// Channel values 0..3 of cell (x, y): the average of the pixels under it, or
// the pixel at its centre.
static void sample_cell(const CellSpan& span, const SurfaceDesc* desc, const void* pixels, int32_t x, int32_t y,
                        int32_t channels[4])
{
    const int64_t sw = desc->width;
    const int64_t sh = desc->height;
    const int64_t cx = static_cast<int64_t>(x) - span.x0;
    const int64_t cy = static_cast<int64_t>(y) - span.y0;
    int64_t px0 = cx * sw / span.width;
    int64_t px1 = (cx + 1) * sw / span.width;
    int64_t py0 = cy * sh / span.height;
    int64_t py1 = (cy + 1) * sh / span.height;
    uint64_t sums[4] = {0, 0, 0, 0};

    if (console_display.sampling != SAMPLING_AVERAGE) {
        surface_accumulate_pixel(desc, pixels, static_cast<int32_t>((px0 + px1) / 2),
                                 static_cast<int32_t>((py0 + py1) / 2), sums);
        for (int32_t c = 0; c < 4; c++) {
            channels[c] = static_cast<int32_t>(sums[c]);
        }
        return;
    }
    // A surface smaller than the rectangle still gives every cell a pixel.
    if (px1 == px0) {
        px1 = px0 + 1;
    }
    if (py1 == py0) {
        py1 = py0 + 1;
    }
    for (int64_t py = py0; py < py1; py++) {
        for (int64_t px = px0; px < px1; px++) {
            surface_accumulate_pixel(desc, pixels, static_cast<int32_t>(px), static_cast<int32_t>(py), sums);
        }
    }
    const uint64_t count = static_cast<uint64_t>((px1 - px0) * (py1 - py0));
    for (int32_t c = 0; c < 4; c++) {
        channels[c] = static_cast<int32_t>(sums[c] / count);
    }
}

// Two colours and a coverage glyph: the nearest candidate as background, the
// second nearest as foreground, the glyph's ink by how far between them.
static void blend_cell(int32_t x, int32_t y, int32_t hue, int32_t saturation, int32_t value, DitherSource* dither)
{
    SlotPalette& palette = console_display.palette;
    const int32_t sector = hue / HUE_SECTOR;
    palette.colour[4] = SECTOR_DARK[sector + 1];
    palette.colour[5] = SECTOR_LIGHT[sector + 1];
    palette.colour[6] = SECTOR_DARK[sector];
    palette.colour[7] = SECTOR_LIGHT[sector];

    const int32_t q1 = dither->value(dither);
    const int32_t q2 = dither->value(dither);
    const int32_t q3 = dither->value(dither);
    const int32_t vi = ((value + q1 / 2) * 31) >> CHANNEL_BITS;
    const int32_t si = ((saturation + q2 / 2) * 31) >> CHANNEL_BITS;
    const int32_t hi = (((hue & (HUE_SECTOR - 1)) + q3) * 15) >> CHANNEL_BITS;
    const int32_t pair = console_display.table.entry[cell_table_index(vi, si, hi)];
    const int32_t near = pair & 15;
    const int32_t far = pair >> 4;

    // The cell's own hue within its sector: hue mod 4095. The table was
    // tuned with that modulus, one less than the sector size.
    const int32_t h = hue % 4095;
    const int32_t far_distance = candidate_distance(COLOUR_CANDIDATES[far], value, saturation, h);
    const int32_t near_distance = candidate_distance(COLOUR_CANDIDATES[near], value, saturation, h);
    const int32_t level = blend_level(near_distance, far_distance);

    const int32_t foreground = palette.colour[far];
    const int32_t background = palette.colour[near];
    const int32_t q4 = dither->value(dither);
    const uint8_t glyph = GLYPH_RAMP[level * GLYPH_VARIANTS + (q4 >> 6)];
    display_set_colours(foreground, background);
    display_put_cell(x, y, glyph);
}

// One colour on black: a grey for weakly saturated cells, else the dark or
// light colour of the (dithered) hue, with a glyph as dense as the value.
static void single_cell(int32_t x, int32_t y, int32_t hue, int32_t saturation, int32_t value, DitherSource* dither)
{
    int32_t foreground;
    const int32_t q = dither->value(dither);
    if (saturation < 8 * q + 512) {
        const int32_t q_grey = dither->value(dither);
        foreground = SINGLE_GREYS[((value + 8 * q_grey) * 2) >> CHANNEL_BITS];
    } else {
        const int32_t q_value = dither->value(dither);
        const int32_t q_hue = dither->value(dither);
        const int32_t* colours = value > 4 * q_value + 2048 ? SECTOR_LIGHT : SECTOR_DARK;
        foreground = colours[(16 * q_hue + hue) >> HUE_SECTOR_BITS];
    }
    const int32_t q5 = dither->value(dither);
    const int32_t level = ((value + 2 * q5) * 10) >> CHANNEL_BITS;
    const int32_t q6 = dither->value(dither);
    const uint8_t glyph = GLYPH_RAMP[level * GLYPH_VARIANTS + (q6 >> 6)];
    display_set_colours(foreground, 0);
    display_put_cell(x, y, glyph);
}

void cells_convert_generic(const CellSpan& span, const SurfaceDesc* desc, const void* pixels, DitherSource* dither)
{
    const bool blend = console_display.colour_scheme == COLOUR_SCHEME_BLEND;
    for (int32_t y = span.first_y; y <= span.last_y; y++) {
        dither->start_row(dither, y);
        for (int32_t x = span.first_x; x <= span.last_x; x++) {
            int32_t channels[4];
            sample_cell(span, desc, pixels, x, y, channels);
            // A mostly transparent cell keeps what it showed, and does not
            // use up a dither position either.
            if (desc->has_alpha && channels[CHANNEL_ALPHA] < 2048) {
                continue;
            }
            int32_t hue;
            int32_t saturation;
            int32_t value;
            rgb_to_hsv12(channels[CHANNEL_RED], channels[CHANNEL_GREEN], channels[CHANNEL_BLUE], &hue, &saturation,
                         &value);
            if (blend) {
                blend_cell(x, y, hue, saturation, value, dither);
            } else {
                single_cell(x, y, hue, saturation, value, dither);
            }
            dither->advance(dither);
        }
    }
}
