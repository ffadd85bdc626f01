// The stillness measure on made-up frame sequences: what counts as change, flat and flashing.
#include <gtest/gtest.h>

#include <functional>

#include "runtime/motion_measure.h"

namespace {

Framebuffer canvas;

void fill(uint32_t colour)
{
    for (uint32_t& pixel : canvas.pixels) {
        pixel = colour;
    }
}

// A grey ramp from left to right, scaled by level (0-256).
void ramp(int32_t level)
{
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        uint32_t v = static_cast<uint32_t>((i % CANVAS_WIDTH) * 255 / (CANVAS_WIDTH - 1) * level / 256);
        canvas.pixels[i] = v * 0x010101u;
    }
}

TEST(MotionMeasure, StillFlatAndFlashingStretches)
{
    const struct {
        const char* name;
        int32_t scene;
        std::function<void(int32_t frame)> draw;  // 60 frames at 30 a second
        int32_t stills, flats, over, most_flashes;
    } cases[] = {
        {"a held picture", 3, [](int32_t) { ramp(256); }, 1, 0, 1, 0},
        {"the same held for reading", 6, [](int32_t) { ramp(256); }, 1, 0, 0, 0},
        {"a picture fading in", 3, [](int32_t k) { ramp(64 + k * 3); }, 0, 0, 0, 0},
        {"a small drawing growing on it", 3,
         [](int32_t k) {
             ramp(256);
             for (int32_t i = 0; i < 100 * (k + 1); i++) {
                 canvas.pixels[i] = 0xFF00FFu;
             }
         },
         0, 0, 0, 0},
        {"black", 3, [](int32_t) { fill(0); }, 1, 1, 2, 0},
        {"a slow strobe", 7, [](int32_t k) { fill(k / 10 % 2 ? 0xFFFFFFu : 0x0000FFu); }, 0, 6, 0, 3},
    };
    for (const auto& c : cases) {
        MotionMeasure m;
        motion_start(&m);
        for (int32_t k = 0; k < 60; k++) {
            c.draw(k);
            motion_take(&m, canvas, k * 1000 / 30, c.scene);
        }
        motion_finish(&m, 2000);
        int32_t stills = 0;
        for (const MotionStretch& s : m.stretches) {
            stills += s.kind == MOTION_STILL;
        }
        int32_t over = 0;
        motion_report(m, &over);
        int32_t at = 0;
        EXPECT_EQ(stills, c.stills) << c.name;
        EXPECT_EQ(static_cast<int32_t>(m.stretches.size()) - stills, c.flats) << c.name;
        EXPECT_EQ(over, c.over) << c.name;
        EXPECT_EQ(motion_most_flashes(m, &at), c.most_flashes) << c.name;
    }
}

}  // namespace
