// A whole frame of each picture scene: scene, overlays, cell conversion and terminal encoding.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "display/console_display.h"
#include "display/present.h"
#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "platform/console.h"
#include "platform/glyphs.h"
#include "platform/palette.h"
#include "platform/terminal_output.h"
#include "runtime/timeline.h"
#include "scenes/assets.h"
#include "scenes/picture_scenes.h"

namespace {

Framebuffer bench_canvas;
std::vector<std::vector<uint32_t>> storage;  // the pictures' pixels, kept for the whole run

// A picture of the demo's size: checks and gradients, alpha by column when see_through is set.
Image make_picture(int32_t width, int32_t height, bool see_through)
{
    std::vector<uint32_t>& p = storage.emplace_back(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            const auto shade = static_cast<uint32_t>(((x / 16 + y / 16) % 2) * 160 + 40);
            const uint32_t alpha = see_through ? static_cast<uint32_t>(x * 255 / width) : 255;
            p[static_cast<size_t>(y) * width + x] = (x & 0xFF) | (y & 0xFF) << 8 | shade << 16 | alpha << 24;
        }
    }
    return Image{p.data(), static_cast<uint16_t>(height), static_cast<uint16_t>(width), image_width_shift(width)};
}

void make_assets()
{
    if (!storage.empty()) {
        return;
    }
    picture_slots.slots[1] = make_picture(160, 200, true);   // title
    picture_slots.slots[2] = make_picture(160, 800, true);   // credits
    picture_slots.slots[3] = make_picture(160, 100, true);   // a picture overlay
    picture_slots.slots[4] = make_picture(160, 2000, true);  // explosion, 20 bands
    picture_slots.slots[6] = make_picture(160, 400, false);  // ending
    slides_image = make_picture(160, 1600, false);
    dino_tile_image = make_picture(256, 256, false);
    tile_purple_image = make_picture(256, 256, false);
    vw0_image = make_picture(80, 68, true);
    vw1_image = make_picture(80, 68, true);
    bubble_image = make_picture(160, 400, true);
    spare_texture = make_picture(256, 256, true);
    spare_backdrop = make_picture(160, 100, false);
}

struct Encoding {
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
};

// The timeline state of a typical frame of a scene: its clocks, cue argument and overlays.
struct SceneFrame {
    int32_t scene;
    int32_t clock_ms;  // both the scene and the cue clock
    int32_t param;
    void (*overlays)(TimelineState* state);
};

// range(0) indexes this table.
const SceneFrame FRAMES[] = {
    {1, 1200, 0, [](TimelineState* s) { s->fade_in_ms = 600; }},
    {5, 100, 1, [](TimelineState* s) { s->white_flash_ms = 300; }},
    {6, 2000, 3, [](TimelineState* s) { s->letterbox = 1.0f; }},
    {7, 5000, 0, [](TimelineState* s) { s->white_flash_ms = 200; }},
    {8, 0, 0, [](TimelineState* s) { s->distort_thirds = 1; }},
    {9, 800, 0, [](TimelineState* s) { s->short_blur_ms = 400; }},
    {10, 3000, 2, [](TimelineState* s) { s->fade_in_ms = 500; }},
    {11, 50, 0, [](TimelineState*) { picture_scene_state.curtain_columns = 2; }},
    {12, 1500, 0, [](TimelineState* s) { s->overlay_picture = 3; }},
    {15, 0, 4, [](TimelineState* s) { s->long_blur_ms = 1500; }},
};

void BM_SceneFrame(benchmark::State& state)
{
    const SceneFrame& f = FRAMES[state.range(0)];
    make_assets();
    set_canvas(&bench_canvas);
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    if (console_display.characters == nullptr && display_open() == nullptr) {
        state.SkipWithError("the display could not be opened");
        return;
    }
    static Encoding encoding;
    glyph_table_build(&encoding.glyphs, 1);
    colour_codes_build(&encoding.colours, CONSOLE_COLOURS_ANSI16);
    frame_encoder_setup(&encoding.encoder, &encoding.glyphs, &encoding.colours);
    frame_encoder_place(&encoding.encoder, DISPLAY_GRID_COLUMNS, DISPLAY_GRID_ROWS, 0, 0);
    int32_t now = 60000;
    int64_t bytes = 0;
    for (auto _ : state) {
        now += 17;                               // a frame at 60 per second
        picture_scene_state.strobe_last_ms = 0;  // so that the strobe fires every frame
        timeline = TIMELINE_START;
        timeline.scene_id = f.scene;
        timeline.scene_param = f.param;
        timeline.scene_start_ms = timeline.cue_start_ms = now - f.clock_ms;
        timeline.last_frame_ms = now - 17;
        f.overlays(&timeline);
        run_timeline(now);
        const char* out = nullptr;
        bytes += frame_encode(&encoding.encoder, console_display.characters, console_display.attributes,
                              console_display.columns, &out);
        benchmark::DoNotOptimize(out);
    }
    state.counters["bytes"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
    state.SetLabel("scene " + std::to_string(f.scene));
}
BENCHMARK(BM_SceneFrame)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

// The parts of the slowest frames on their own: the scene alone, no overlays or output.
void BM_SceneOnly(benchmark::State& state)
{
    const SceneFrame& f = FRAMES[state.range(0)];
    make_assets();
    set_canvas(&bench_canvas);
    int32_t now = 60000;
    for (auto _ : state) {
        now += 17;
        picture_scene_state.strobe_last_ms = 0;
        timeline = TIMELINE_START;
        timeline.scene_id = f.scene;
        timeline.scene_param = f.param;
        timeline.scene_start_ms = timeline.cue_start_ms = now - f.clock_ms;
        draw_timeline_scene(now);
        benchmark::ClobberMemory();
    }
    state.SetLabel("scene " + std::to_string(f.scene));
}
BENCHMARK(BM_SceneOnly)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
