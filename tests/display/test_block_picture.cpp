// The block look's picture: the canvas itself at full size, area averages below it.
#include <gtest/gtest.h>

#include <memory>

#include "display/block_picture.h"

namespace {

std::unique_ptr<Framebuffer> noisy_canvas()
{
    auto canvas = std::make_unique<Framebuffer>();
    uint32_t state = 7;
    for (uint32_t& pixel : canvas->pixels) {
        state = state * 1103515245u + 12345u;
        pixel = state;
    }
    return canvas;
}

uint32_t channel(uint32_t pixel, int32_t c)
{
    return pixel >> (8 * c) & 0xFF;
}

TEST(BlockPicture, HalfSizeAveragesEachTwoByTwoBlock)
{
    auto canvas = noisy_canvas();
    block_picture_from_canvas(canvas->pixels, 80, 50);
    int32_t wrong = 0;
    for (int32_t y = 0; y < 50; y++) {
        for (int32_t x = 0; x < 80; x++) {
            const uint32_t* p = canvas->pixels + (2 * y) * CANVAS_WIDTH + 2 * x;
            for (int32_t c = 0; c < 3; c++) {
                uint32_t sum =
                    channel(p[0], c) + channel(p[1], c) + channel(p[CANVAS_WIDTH], c) + channel(p[CANVAS_WIDTH + 1], c);
                wrong += channel(block_picture.pixels[y * 80 + x], c) != (sum + 2) / 4;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

// Whatever the size, every output pixel's weights cover exactly its area:
// a flat canvas stays flat, also when scaled up.
TEST(BlockPicture, AFlatCanvasStaysFlatAtAnySize)
{
    auto canvas = std::make_unique<Framebuffer>();
    for (uint32_t& pixel : canvas->pixels) {
        pixel = 0xFF8040C0u;
    }
    const int32_t sizes[][2] = {{160, 100}, {53, 33}, {1, 1}, {131, 97}, {160, 200}, {100, 150}};
    for (const auto& size : sizes) {
        block_picture_from_canvas(canvas->pixels, size[0], size[1]);
        int32_t wrong = 0;
        for (int32_t i = 0; i < size[0] * size[1]; i++) {
            wrong += (block_picture.pixels[i] & 0xFFFFFFu) != 0x8040C0u;
        }
        EXPECT_EQ(wrong, 0) << size[0] << "x" << size[1];
    }
}

}  // namespace
