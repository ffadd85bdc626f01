// Speed of one whole frame of each model scene: the scene, its overlays, the cell conversion and the terminal encoding.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "../tests/support/model_builder.h"
#include "display/console_display.h"
#include "display/present.h"
#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "platform/console.h"
#include "platform/terminal_output.h"
#include "render3d/texture_pool.h"
#include "runtime/timeline.h"
#include "scenes/assets.h"
#include "scenes/asteroid_scene.h"
#include "scenes/model_scenes.h"

namespace {

// 25 rings of 40 segments: 2,000 faces, the size of the demo's meshes.
constexpr int32_t RINGS = 25;
constexpr int32_t SEGMENTS = 40;
constexpr int32_t TEXTURE_SIZE = 256;

Framebuffer bench_canvas;

struct Encoding {
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
};
Encoding encoding;

uint32_t texel(int32_t x, int32_t y)
{
    const uint32_t shade = ((x / 16 + y / 16) % 2) ? 0xE0u : 0x40u;
    return 0xFF000000u | static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | shade << 16;
}

void make_picture(Image* image, int32_t width, int32_t height, uint32_t alpha)
{
    free_image(image);
    image->pixels = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * width * height));
    image->width = static_cast<uint16_t>(width);
    image->height = static_cast<uint16_t>(height);
    for (int32_t i = 0; i < width * height; i++) {
        image->pixels[i] = alpha << 24 | static_cast<uint32_t>(i * 2654435761u >> 8 & 0xFFFFFF);
    }
}

// Models, textures and pictures of the demo's sizes, made once.
void make_assets()
{
    if (blz_model.vertices != nullptr) {
        return;
    }
    for (int32_t slot = 0; slot < 3; slot++) {
        install_texture(slot, TEXTURE_SIZE, TEXTURE_SIZE, texel);
    }
    build_swaying_triple(&diplo_models, RINGS, SEGMENTS, 30.0f, 34, 40.0f, 2.0f, 0);
    build_swaying_triple(&trex_models, RINGS, SEGMENTS, 30.0f, 12, 40.0f, 2.0f, 0);
    build_swaying_model(&blz_model, RINGS, SEGMENTS, 25.0f, 10, 25.0f);
    for (int32_t i = 0; i < blz_model.vertex_count * 11; i++) {
        blz_model.vertices[i].y *= 3;  // tall, as the shots expect
    }
    build_swaying_model(&row_model, RINGS, SEGMENTS, 12.0f, 1, 0.0f);
    build_swaying_model(&rock_model, RINGS, SEGMENTS, 9.0f, 1, 0.0f);
    blz_model.texture = row_model.texture = rock_model.texture = 0;
    make_picture(&picture_slots.slots[1], CANVAS_WIDTH, CANVAS_HEIGHT, 0x80);
    make_picture(&picture_slots.slots[3], CANVAS_WIDTH, 4 * CANVAS_HEIGHT, 0xFF);
    make_picture(&lasers_image, CANVAS_WIDTH, CANVAS_HEIGHT, 0x80);
    set_canvas(&bench_canvas);
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    display_open();
    glyph_table_build(&encoding.glyphs, 1);
    colour_codes_build(&encoding.colours, CONSOLE_COLOURS_ANSI16);
    frame_encoder_setup(&encoding.encoder, &encoding.glyphs, &encoding.colours);
    frame_encoder_place(&encoding.encoder, DISPLAY_GRID_COLUMNS, DISPLAY_GRID_ROWS, 0, 0);
}

// A scene at a representative clock and preset, with the overlays it
// typically carries as timeline state.
struct SceneFrame {
    const char* name;
    void (*draw)(int32_t t);
    void (*overlays)(TimelineState* state);
};

const SceneFrame FRAMES[] = {
    {"blz p0, fading in", [](int32_t t) { scene_blz_shots(t, 0); }, [](TimelineState* s) { s->fade_in_ms = 500; }},
    {"diplodocus herd p6, picture + letterbox", [](int32_t t) { scene_diplodocus(t, 6, 0); },
     [](TimelineState* s) {
         s->overlay_picture = 1;
         s->letterbox = 2.0f;
     }},
    {"t-rex p0, short blur", [](int32_t t) { scene_trex(t, 0, 0); }, [](TimelineState* s) { s->short_blur_ms = 250; }},
    {"asteroids 5 rocks, flash", [](int32_t t) { scene_asteroids(t, 5, 0); },
     [](TimelineState* s) { s->white_flash_ms = 250; }},
    {"model row, long blur", [](int32_t t) { scene_model_row(t); }, [](TimelineState* s) { s->long_blur_ms = 1000; }},
};

// range(0): the scene; range(1): how much of the frame, 0 the scene alone,
// 1 with its overlays, 2 with the conversion, 3 the whole frame with the encoding.
void BM_SceneFrame(benchmark::State& state)
{
    make_assets();
    const SceneFrame& frame = FRAMES[state.range(0)];
    const int64_t stages = state.range(1);
    int32_t t = 1500;
    for (auto _ : state) {
        frame.draw(t);
        if (stages >= 1) {
            timeline = TIMELINE_START;
            timeline.greets_slide_ms = -1;
            frame.overlays(&timeline);
            lay_timeline_overlays(t, 0);
        }
        if (stages >= 2) {
            display_present(bench_canvas.pixels);
        }
        if (stages >= 3) {
            const char* bytes = nullptr;
            benchmark::DoNotOptimize(frame_encode(&encoding.encoder, console_display.characters,
                                                  console_display.attributes, DISPLAY_GRID_COLUMNS, &bytes));
        }
        benchmark::ClobberMemory();
        t = t < 2500 ? t + 16 : 1500;  // a second of frames, over and over
    }
    const char* stage_names[] = {"scene", "+ overlays", "+ conversion", "whole frame"};
    state.SetLabel(std::string(frame.name) + ": " + stage_names[stages]);
}
BENCHMARK(BM_SceneFrame)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2, 3}})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
