// Graffiti costs: reading a drawing that fills the record, a replay frame, a tag frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "gfx2d/canvas.h"
#include "graffiti/draw_gml.h"
#include "graffiti/gml.h"
#include "graffiti/graffiti_intro.h"

namespace {

Framebuffer bench_canvas;

// 64 strokes of 512 points wandering over the canvas, CRLF lines: about 2 MB.
std::string full_drawing_text()
{
    std::string text = "<gml spec=\"bench\">\r\n<tag>\r\n<drawing>\r\n";
    uint32_t state = 1;
    float x = 0.5f;
    float y = 0.5f;
    for (int s = 0; s < GML_MAX_STROKES; s++) {
        text += "<stroke>\r\n";
        for (int k = 0; k < GML_MAX_POINTS; k++) {
            // Handwriting: a pixel or two between recorded points.
            state = state * 214013u + 2531011u;
            x = std::clamp(x + static_cast<float>(static_cast<int>((state >> 16) & 0xFF) - 128) / 12800.0f, 0.0f, 1.0f);
            y = std::clamp(y + static_cast<float>(static_cast<int>((state >> 8) & 0xFF) - 128) / 8000.0f, 0.0f, 1.0f);
            text += "<pt><x>" + std::to_string(x) + "</x><y>" + std::to_string(y) + "</y><time>" +
                    std::to_string(s * 0.5 + k * 0.001) + "</time></pt>\r\n";
        }
        text += "</stroke>\r\n";
    }
    return text + "</drawing>\r\n</tag>\r\n</gml>\r\n";
}

std::unique_ptr<GmlDrawing> full_drawing(const std::string& text)
{
    auto drawing = std::make_unique<GmlDrawing>();
    parse_gml(reinterpret_cast<const uint8_t*>(text.data()), text.size(), drawing.get());
    return drawing;
}

void BM_ParseFullDrawing(benchmark::State& state)
{
    std::string text = full_drawing_text();
    auto drawing = std::make_unique<GmlDrawing>();
    for (auto _ : state) {
        parse_gml(reinterpret_cast<const uint8_t*>(text.data()), text.size(), drawing.get());
        benchmark::DoNotOptimize(drawing->stroke_count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseFullDrawing)->Unit(benchmark::kMillisecond);

// The intro's last frame: every one of the 32,704 segments redrawn.
void BM_IntroFrameFullDrawing(benchmark::State& state)
{
    set_canvas(&bench_canvas);
    auto drawing = full_drawing(full_drawing_text());
    for (auto _ : state) {
        draw_intro_frame(drawing.get(), 15999);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_IntroFrameFullDrawing)->Unit(benchmark::kMillisecond);

// A tag with three lines once it has finished drawing.
void BM_DrawGmlThreeLines(benchmark::State& state)
{
    set_canvas(&bench_canvas);
    auto drawing = full_drawing(full_drawing_text());
    for (auto _ : state) {
        draw_gml(drawing.get(), 100000, 6.0f, 8.0f, 0xFFFFFF, 0, 0, 1.0f);
        draw_gml(drawing.get(), 100000, 4.0f, 6.0f, 0, 0, 0, 1.0f);
        draw_gml(drawing.get(), 100000, 2.0f, 3.0f, 0xFF00FF, 0, 0, 1.0f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawGmlThreeLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
