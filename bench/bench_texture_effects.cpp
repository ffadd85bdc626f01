// Speed of the four texture-mapping effects over the whole canvas, per frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "gfx2d/texture_effects.h"

namespace {

// A 256 x 256 checker, the size of the demo's tunnel and warp textures.
struct BenchTexture {
    std::vector<uint32_t> pixels;
    Image image;
};

BenchTexture make_texture()
{
    constexpr uint16_t SIZE = 256;
    BenchTexture t;
    t.pixels.resize(SIZE * SIZE);
    for (uint32_t v = 0; v < SIZE; v++) {
        for (uint32_t u = 0; u < SIZE; u++) {
            const uint32_t shade = ((u / 16 + v / 16) % 2) ? 0xE0 : 0x30;
            t.pixels[v * SIZE + u] = u | (v << 8) | (shade << 16) | (0xC0u << 24);
        }
    }
    t.image = Image{t.pixels.data(), SIZE, SIZE, 8};
    return t;
}

Framebuffer bench_canvas;

void BM_Rotozoom(benchmark::State& state)
{
    BenchTexture tex = make_texture();
    float angle = 0.0f;
    for (auto _ : state) {
        rotozoom(angle, 0.8f, 3.0f, tex.image, &bench_canvas);
        angle += 0.01f;
        benchmark::DoNotOptimize(bench_canvas.pixels[0]);
    }
}
BENCHMARK(BM_Rotozoom);

// The animated effects, each frame 16 ms of effect time later.
void run_animated(benchmark::State& state, void (*draw)(const Image& texture, int32_t time_ms))
{
    BenchTexture tex = make_texture();
    int32_t t = 0;
    for (auto _ : state) {
        draw(tex.image, t);
        t += 16;
        benchmark::DoNotOptimize(bench_canvas.pixels[0]);
    }
}

void BM_DrawTunnel(benchmark::State& state)
{
    run_animated(state, [](const Image& texture, int32_t time_ms) {
        draw_tunnel(80.0f, 50.0f, texture, &bench_canvas, time_ms);
    });
}
BENCHMARK(BM_DrawTunnel);

void BM_AddTunnel(benchmark::State& state)
{
    run_animated(state, [](const Image& texture, int32_t time_ms) {
        add_tunnel(72.5f, 44.0f, texture, &bench_canvas, time_ms);
    });
}
BENCHMARK(BM_AddTunnel);

void BM_DrawWarp(benchmark::State& state)
{
    run_animated(state, [](const Image& texture, int32_t time_ms) {
        draw_warp(&bench_canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, texture, time_ms);
    });
}
BENCHMARK(BM_DrawWarp);

}  // namespace

BENCHMARK_MAIN();
