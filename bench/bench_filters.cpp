// Cost of the full-screen blurs and the depth shading by radius: it should not grow with the radius.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "gfx2d/filters.h"

namespace {

Framebuffer canvas;
int32_t depth[CANVAS_PIXELS];

// A busy picture and a depth map with a near ball on empty background, so no
// branch of the filters is skipped wholesale.
void prepare()
{
    uint32_t state = 12345;
    for (int32_t i = 0; i < CANVAS_PIXELS; ++i) {
        state = state * 1664525u + 1013904223u;
        canvas.pixels[i] = state >> 8;
        int32_t x = i % CANVAS_WIDTH - 80;
        int32_t y = i / CANVAS_WIDTH - 50;
        int32_t d2 = x * x + y * y;
        depth[i] = d2 < 40 * 40 ? 20000000 + d2 * 8000 : 0x7FFFFFFF;
    }
}

void bm_box_blur(benchmark::State& state)
{
    prepare();
    int32_t radius = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        box_blur(&canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, radius);
        benchmark::DoNotOptimize(canvas.pixels[0]);
    }
}

void bm_depth_shade(benchmark::State& state)
{
    prepare();
    float radius = static_cast<float>(state.range(0));
    for (auto _ : state) {
        // The shading darkens towards black; restore the picture's brightness
        // cheaply so every pass works on comparable values.
        canvas.pixels[0] |= 0x808080u;
        depth_shade(&canvas, depth, 0x7FFFFFFF, 0, radius, 128.0f);
        benchmark::DoNotOptimize(canvas.pixels[0]);
    }
}

}  // namespace

BENCHMARK(bm_box_blur)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(bm_depth_shade)->Arg(1)->Arg(16);
BENCHMARK_MAIN();
