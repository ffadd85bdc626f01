// The test card: every hue, value and saturation step the conversion handles.
#include "runtime/test_card.h"

namespace {

constexpr int HUE_VALUE_ROWS = 30;       // rows 0-29: value 255 down to near 0
constexpr int HUE_SATURATION_ROWS = 30;  // rows 30-59: saturation 255 down to 0
constexpr int GREY_ROWS = 20;            // rows 60-79: black to white across
constexpr int PURE_ROWS = 20;            // rows 80-99: the eight pure colours

uint32_t pack(int red, int green, int blue)
{
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// Full-saturation, full-value colour at hue position x of 0..width-1.
void hue_at(int x, int* red, int* green, int* blue)
{
    int position = x * 6 * 256 / CANVAS_WIDTH;  // six sectors of 256 steps
    int sector = position / 256;
    int rising = position % 256;
    int falling = 255 - rising;
    int channels[6][3] = {
        {255, rising, 0}, {falling, 255, 0}, {0, 255, rising}, {0, falling, 255}, {rising, 0, 255}, {255, 0, falling},
    };
    *red = channels[sector][0];
    *green = channels[sector][1];
    *blue = channels[sector][2];
}

void put(Framebuffer* canvas, int x, int y, uint32_t colour)
{
    canvas->pixels[y * CANVAS_WIDTH + x] = colour;
}

void draw_hue_bands(Framebuffer* canvas)
{
    for (int x = 0; x < CANVAS_WIDTH; x++) {
        int red, green, blue;
        hue_at(x, &red, &green, &blue);
        for (int y = 0; y < HUE_VALUE_ROWS; y++) {
            int value = 255 - y * 255 / HUE_VALUE_ROWS;
            put(canvas, x, y, pack(red * value / 255, green * value / 255, blue * value / 255));
        }
        for (int y = 0; y < HUE_SATURATION_ROWS; y++) {
            int grey = y * 255 / (HUE_SATURATION_ROWS - 1);  // saturation falls as grey rises
            put(canvas, x, HUE_VALUE_ROWS + y,
                pack(red + (255 - red) * grey / 255, green + (255 - green) * grey / 255,
                     blue + (255 - blue) * grey / 255));
        }
    }
}

void draw_grey_ramp(Framebuffer* canvas)
{
    int top = HUE_VALUE_ROWS + HUE_SATURATION_ROWS;
    for (int x = 0; x < CANVAS_WIDTH; x++) {
        int grey = x * 255 / (CANVAS_WIDTH - 1);
        for (int y = top; y < top + GREY_ROWS; y++) {
            put(canvas, x, y, pack(grey, grey, grey));
        }
    }
}

void draw_pure_colours(Framebuffer* canvas)
{
    // Black, blue, green, cyan, red, magenta, yellow, white: bit 0 blue, bit 1 green, bit 2 red.
    int top = CANVAS_HEIGHT - PURE_ROWS;
    int bar_width = CANVAS_WIDTH / 8;
    for (int x = 0; x < CANVAS_WIDTH; x++) {
        int bits = x / bar_width;
        uint32_t colour = pack(bits & 4 ? 255 : 0, bits & 2 ? 255 : 0, bits & 1 ? 255 : 0);
        for (int y = top; y < CANVAS_HEIGHT; y++) {
            put(canvas, x, y, colour);
        }
    }
}

}  // namespace

void draw_test_card(Framebuffer* canvas)
{
    draw_hue_bands(canvas);
    draw_grey_ramp(canvas);
    draw_pure_colours(canvas);
}
