// Speed of the pixel-to-cell conversion on the full canvas, beside libcaca's
// default dither converting the same picture into an 80 x 50 canvas.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/framebuffer.h"
#include "core/random.h"
#include "display/cells.h"
#include "display/console_display.h"
#include "platform/console.h"

#ifdef KORVEL_HAVE_CACA
#include <caca.h>
#endif

namespace {

// A fixed picture with smooth gradients, hard edges, greys and saturated
// areas, so that every branch of the conversion is taken.
std::vector<uint32_t> varied_picture()
{
    std::vector<uint32_t> pixels(CANVAS_PIXELS);
    uint32_t noise = 12345;
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
            noise = noise * 1103515245u + 12345u;
            uint32_t r = static_cast<uint32_t>(x * 255 / (CANVAS_WIDTH - 1));
            uint32_t g = static_cast<uint32_t>(y * 255 / (CANVAS_HEIGHT - 1));
            uint32_t b = static_cast<uint32_t>(((x ^ y) * 4) & 0xFF);
            const int32_t dx = x - 100;
            const int32_t dy = y - 40;
            if (dx * dx + dy * dy < 30 * 30) {  // a grey disc with noise
                r = g = b = 128 + ((noise >> 16) & 63);
            } else if (x < 40 && y > 60) {  // a flat saturated block
                r = 255;
                g = 40;
                b = 0;
            }
            pixels[static_cast<size_t>(y) * CANVAS_WIDTH + x] = r | g << 8 | b << 16;
        }
    }
    return pixels;
}

void open_display()
{
    if (console_display.characters != nullptr) {
        return;
    }
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    display_open();
}

using CellConverter = void (*)(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const SurfaceDesc* desc,
                               const void* pixels);

void convert_with_dither(benchmark::State& state, int32_t dither, int32_t rows = DISPLAY_GRID_ROWS,
                         CellConverter convert = cells_from_surface)
{
    open_display();
    if (console_display.characters == nullptr) {
        state.SkipWithError("the display could not be opened");
        return;
    }
    const std::vector<uint32_t> picture = varied_picture();
    display_set_option(OPT_COLOUR_BLEND);
    display_set_option(OPT_SAMPLE_AVERAGE);
    display_set_option(dither);
    random_seed(1);
    for (auto _ : state) {
        convert(0, 0, DISPLAY_GRID_COLUMNS - 1, rows - 1, console_display.canvas_desc, picture.data());
        benchmark::DoNotOptimize(console_display.characters);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * DISPLAY_GRID_COLUMNS * rows);
}

void BM_CellsRandomDither(benchmark::State& state)
{
    convert_with_dither(state, OPT_DITHER_RANDOM);
}
BENCHMARK(BM_CellsRandomDither)->Unit(benchmark::kMicrosecond);

void BM_CellsBayer4Dither(benchmark::State& state)
{
    convert_with_dither(state, OPT_DITHER_BAYER4);
}
BENCHMARK(BM_CellsBayer4Dither)->Unit(benchmark::kMicrosecond);

// The aspect fit of a terminal with 1:2 cells: 80 x 25 cells of 2 x 4 pixels.
void BM_CellsAspectFitRandomDither(benchmark::State& state)
{
    convert_with_dither(state, OPT_DITHER_RANDOM, DISPLAY_GRID_ROWS / 2);
}
BENCHMARK(BM_CellsAspectFitRandomDither)->Unit(benchmark::kMicrosecond);

// The same conversion through the format-independent path, for reference.
void BM_CellsGenericPathRandomDither(benchmark::State& state)
{
    convert_with_dither(state, OPT_DITHER_RANDOM, DISPLAY_GRID_ROWS, cells_from_surface_generic);
}
BENCHMARK(BM_CellsGenericPathRandomDither)->Unit(benchmark::kMicrosecond);

#ifdef KORVEL_HAVE_CACA
// libcaca with the settings a new dither starts with.
void BM_CacaDefaultDither(benchmark::State& state)
{
    const std::vector<uint32_t> picture = varied_picture();
    caca_canvas_t* canvas = caca_create_canvas(DISPLAY_GRID_COLUMNS, DISPLAY_GRID_ROWS);
    caca_dither_t* dither =
        caca_create_dither(32, CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PITCH, 0xFF, 0xFF00, 0xFF0000, 0);
    if (canvas == nullptr || dither == nullptr) {
        state.SkipWithError("libcaca could not create its canvas or dither");
    } else {
        for (auto _ : state) {
            caca_dither_bitmap(canvas, 0, 0, DISPLAY_GRID_COLUMNS, DISPLAY_GRID_ROWS, dither, picture.data());
            benchmark::ClobberMemory();
        }
        state.SetItemsProcessed(state.iterations() * DISPLAY_GRID_COLUMNS * DISPLAY_GRID_ROWS);
    }
    if (dither != nullptr) {
        caca_free_dither(dither);
    }
    if (canvas != nullptr) {
        caca_free_canvas(canvas);
    }
}
BENCHMARK(BM_CacaDefaultDither)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
