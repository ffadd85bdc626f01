// The pen: its thickness, round dots and lines stepped in 8-bit fixed point.
#include <algorithm>

#include "gfx2d/canvas.h"

Pen pen = {0, plot_pixel};

// Lines step in 24.8 fixed point: 256 is one pixel.
constexpr int LINE_FRAC_BITS = 8;
constexpr int64_t LINE_ONE = 1 << LINE_FRAC_BITS;

void set_pen_thickness(int32_t thickness)
{
    pen.thickness = thickness;
    pen.plot = thickness < 2 ? plot_pixel : plot_disc;
}

// Aligned to a cache line, as is plot_pixel: every line drawn runs through
// both, and their speed would otherwise follow where the linker places them.
__attribute__((aligned(64))) void plot_disc(int32_t x, int32_t y, uint32_t colour)
{
    int64_t thickness = pen.thickness;
    int64_t r = thickness / 2;
    // Offsets -r .. thickness-1-r, cut to the canvas so a huge pen costs no
    // more than the canvas; the dot itself is unchanged by the cut.
    int64_t u_first = std::max(-r, -int64_t{x});
    int64_t u_last = std::min(thickness - 1 - r, CANVAS_WIDTH - 1 - int64_t{x});
    int64_t v_first = std::max(-r, -int64_t{y});
    int64_t v_last = std::min(thickness - 1 - r, CANVAS_HEIGHT - 1 - int64_t{y});
    for (int64_t v = v_first; v <= v_last; ++v) {
        for (int64_t u = u_first; u <= u_last; ++u) {
            if (u * u + v * v >= r * r) {
                continue;
            }
            plot_pixel(static_cast<int32_t>(x + u), static_cast<int32_t>(y + v), colour);
        }
    }
}

static int64_t floor_div(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

static int64_t ceil_div(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) == (b < 0))) ? q + 1 : q;
}

// Narrows [*first, *last] to the steps k whose coordinate start + k * step lies
// in [low, high]. The coordinate is linear in k, so those steps are one run.
static void keep_steps_within(int64_t start, int64_t step, int64_t low, int64_t high, int64_t* first, int64_t* last)
{
    if (step == 0) {
        if (start < low || start > high) {
            *last = *first - 1;
        }
        return;
    }
    if (step > 0) {
        *first = std::max(*first, ceil_div(low - start, step));
        *last = std::min(*last, floor_div(high - start, step));
        return;
    }
    *first = std::max(*first, ceil_div(high - start, step));
    *last = std::min(*last, floor_div(low - start, step));
}

// Each step advances before it plots, and the steps are truncated toward zero,
// which gives the line its known quirks: (0,0)-(10,0) plots x = 0..9 and 9
// again. Only the steps that can touch the canvas are walked, so a line from
// far off the canvas costs no more than one across it; the points plotted are
// exactly those of the full walk.
void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour)
{
    int64_t dx = int64_t{x1} - x0;
    int64_t dy = int64_t{y1} - y0;
    int64_t n = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy) + 1;
    int64_t step_x = dx * LINE_ONE / n;
    int64_t step_y = dy * LINE_ONE / n;
    int64_t fx = int64_t{x0} * LINE_ONE;
    int64_t fy = int64_t{y0} * LINE_ONE;

    // A dot reaches less than its thickness from its centre.
    int64_t reach = std::max<int64_t>(pen.thickness, 0);
    int64_t first = 1;
    int64_t last = n;
    keep_steps_within(fx, step_x, -reach * LINE_ONE, (CANVAS_WIDTH + reach) * LINE_ONE - 1, &first, &last);
    keep_steps_within(fy, step_y, -reach * LINE_ONE, (CANVAS_HEIGHT + reach) * LINE_ONE - 1, &first, &last);

    PlotFunction plot = pen.plot;
    for (int64_t k = first; k <= last; ++k) {
        int64_t px = (fx + k * step_x) >> LINE_FRAC_BITS;
        int64_t py = (fy + k * step_y) >> LINE_FRAC_BITS;
        plot(static_cast<int32_t>(px), static_cast<int32_t>(py), colour);
    }
}

void draw_line_bgr(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t blue, int32_t green, int32_t red)
{
    uint32_t colour = ((static_cast<uint32_t>(blue) & 0xFF) << 16) | ((static_cast<uint32_t>(green) & 0xFF) << 8) |
                      (static_cast<uint32_t>(red) & 0xFF);
    draw_line(x0, y0, x1, y1, colour);
}
