// The canvas pointer, clearing, plotting, rectangles and image blits.
#include "gfx2d/canvas.h"

#include <algorithm>

Framebuffer* canvas_target = nullptr;

void set_canvas(Framebuffer* canvas)
{
    canvas_target = canvas;
}

Framebuffer* get_canvas()
{
    return canvas_target;
}

void clear_canvas(uint32_t colour)
{
    uint32_t* pixels = canvas_target->pixels;
    for (int32_t i = 0; i < CANVAS_PIXELS; ++i) {
        pixels[i] = colour;
    }
}

void clear_canvas_rgb(int32_t red, int32_t green, int32_t blue)
{
    uint32_t colour = (static_cast<uint32_t>(red) & 0xFF) | ((static_cast<uint32_t>(green) & 0xFF) << 8) |
                      ((static_cast<uint32_t>(blue) & 0xFF) << 16);
    clear_canvas(colour);
}

// The test covers the whole 32-bit range: a coordinate 65,536 pixels off the
// canvas must not wrap round onto it.
// Aligned to a cache line: see plot_disc.
__attribute__((aligned(64))) void plot_pixel(int32_t x, int32_t y, uint32_t colour)
{
    if (x < 0 || x >= CANVAS_WIDTH || y < 0 || y >= CANVAS_HEIGHT) {
        return;
    }
    canvas_target->pixels[y * CANVAS_WIDTH + x] = colour;
}

void fill_rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour)
{
    int32_t left = std::max(std::min(x0, x1), 0);
    int32_t right = std::min(std::max(x0, x1), CANVAS_WIDTH);
    int32_t top = std::max(std::min(y0, y1), 0);
    int32_t bottom = std::min(std::max(y0, y1), CANVAS_HEIGHT);
    uint32_t* pixels = canvas_target->pixels;
    for (int32_t y = top; y < bottom; ++y) {
        uint32_t* row = pixels + y * CANVAS_WIDTH;
        for (int32_t x = left; x < right; ++x) {
            row[x] = colour;
        }
    }
}

void blit_image(const Image& image, int32_t x, int32_t y)
{
    int64_t width = image.width;
    int64_t height = image.height;
    if (x + width < 0 || y + height < 0 || x > CANVAS_WIDTH || y > CANVAS_HEIGHT) {
        return;
    }
    if (width == 0 || height == 0 || image.pixels == nullptr) {
        return;
    }
    // Clip once to the image columns and rows that land on the canvas.
    int32_t first_column = static_cast<int32_t>(std::max<int64_t>(0, -int64_t{x}));
    int32_t end_column = static_cast<int32_t>(std::min<int64_t>(width, CANVAS_WIDTH - int64_t{x}));
    int32_t first_row = static_cast<int32_t>(std::max<int64_t>(0, -int64_t{y}));
    int32_t end_row = static_cast<int32_t>(std::min<int64_t>(height, CANVAS_HEIGHT - int64_t{y}));
    int32_t count = end_column - first_column;
    for (int32_t row = first_row; row < end_row; ++row) {
        const uint32_t* source = image.pixels + row * width + first_column;
        uint32_t* destination = canvas_target->pixels + (y + row) * CANVAS_WIDTH + (x + first_column);
        for (int32_t i = 0; i < count; ++i) {
            destination[i] = blend_pixel(source[i], destination[i]);
        }
    }
}
