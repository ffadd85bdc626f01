// A test canvas installed as the draw target, with small helpers to read it.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "gfx2d/canvas.h"

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_canvas_ = get_canvas();
        set_canvas(&canvas_);
        set_pen_thickness(0);
    }
    void TearDown() override
    {
        set_pen_thickness(0);
        set_canvas(saved_canvas_);
    }

    uint32_t pixel(int32_t x, int32_t y) const { return canvas_.pixels[y * CANVAS_WIDTH + x]; }

    int32_t count_pixels(uint32_t colour) const
    {
        int32_t count = 0;
        for (uint32_t p : canvas_.pixels) {
            count += p == colour ? 1 : 0;
        }
        return count;
    }

    // A width x height image of one colour, heap-owned like a loaded one.
    static Image solid_image(int32_t width, int32_t height, uint32_t colour)
    {
        Image image = {};
        image.pixels = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(width) * height * 4));
        for (int32_t i = 0; i < width * height; ++i) {
            image.pixels[i] = colour;
        }
        image.width = static_cast<uint16_t>(width);
        image.height = static_cast<uint16_t>(height);
        return image;
    }

    Framebuffer canvas_ = {};
    Framebuffer* saved_canvas_ = nullptr;
};
