// Drawing on the one canvas: clear, plot, rectangles, pen lines, image blits, colour blends.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "core/image.h"
#include "core/pixel_blend.h"

// The canvas every primitive here draws on. Set once at start-up by
// create_canvas (set_canvas) and valid until the process ends; every
// operation below assumes it is set. Main thread only.
extern Framebuffer* canvas_target;

void set_canvas(Framebuffer* canvas);
Framebuffer* get_canvas();

// source's alpha (byte 3) over destination: weights a and 255 - a, then a
// shift by 8, so opaque pixels land one step darker. Pictures were authored
// against this, so it stays. Byte 3 of destination is kept.
inline uint32_t blend_pixel(uint32_t source, uint32_t destination)
{
    const uint32_t alpha = source >> 24;
    const uint32_t keep = 255 - alpha;
    uint32_t out = destination & 0xFF000000u;
    for (uint32_t shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFFu;
        const uint32_t d = (destination >> shift) & 0xFFu;
        out |= ((s * alpha + d * keep) >> 8) << shift;
    }
    return out;
}

// All 16,000 pixels, all four bytes.
void clear_canvas(uint32_t colour);
// Only the low byte of each component counts.
void clear_canvas_rgb(int32_t red, int32_t green, int32_t blue);

// One pixel; anything outside 0..159 x 0..99 is not drawn.
void plot_pixel(int32_t x, int32_t y, uint32_t colour);

// Columns min(x0,x1) .. max(x0,x1)-1 and rows min(y0,y1) .. max(y0,y1)-1
// (half-open), clipped to the canvas.
void fill_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);

typedef void (*PlotFunction)(int32_t x, int32_t y, uint32_t colour);

// How draw_line puts down each point.
struct Pen {
    int32_t thickness;  // dot size in pixels for plot_disc
    PlotFunction plot;  // plot_pixel below thickness 2, else plot_disc
};

// Starts as thickness 0 with plot_pixel (one-pixel lines); changed only by
// set_pen_thickness. Lives for the whole run. Main thread only.
extern Pen pen;

void set_pen_thickness(int32_t thickness);

// A round dot of the pen's thickness T around (x, y): offsets -T/2 .. T-1-T/2
// whose squared distance is below (T/2)^2. Thickness 0 to 3 gives at most one
// pixel (none for 0 and 1).
void plot_disc(int32_t x, int32_t y, uint32_t colour);

// A line through the pen, stepped in 8-bit fixed point: max(|dx|,|dy|)+1
// points, each step advanced before it is plotted. Because the steps are
// truncated the last point may fall one pixel short of (x1, y1), and a line
// running left or up starts one pixel before (x0, y0). Steps that cannot
// reach the canvas with a dot of the pen's thickness are skipped, so lines
// from far off the canvas cost no more than lines across it; a plot function
// put into pen by hand must not reach further than that.
void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);

// draw_line in the colour blue * 65536 + green * 256 + red (note the order:
// the first component lands in byte 2); only the low byte of each counts.
void draw_line_bgr(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t blue, int32_t green, int32_t red);

// Blends image onto the canvas with its top-left corner at (x, y), by its
// alpha: (source * a + canvas * (255 - a)) >> 8 per colour byte. The shift by
// 8 with weights summing to 255 darkens by one step even when opaque; pictures
// are authored for that. Byte 3 of the canvas is kept. Clipped.
void blit_image(const Image& image, int32_t x, int32_t y);
