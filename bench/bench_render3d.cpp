// Speed of the 3D renderer: transform and draw of a 2,048-face sphere, the three dinosaur passes, particles.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "../tests/support/model_builder.h"
#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/model_frames.h"
#include "render3d/model_prep.h"
#include "render3d/rasterizer.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"
#include "render3d/transform.h"
#include "scenes/model_passes.h"

namespace {

// 32 x 32 quads: 2,048 faces. Radius 41 at distance 100 covers about a
// third of the canvas.
constexpr int32_t RINGS = 32;
constexpr int32_t SEGMENTS = 32;
constexpr float RADIUS = 41.0f;
constexpr float DISTANCE = 100.0f;

Framebuffer bench_canvas;

uint32_t plain_texel(int32_t x, int32_t y)
{
    return 0xFF000000u | static_cast<uint32_t>(x * 8) | static_cast<uint32_t>(y * 8) << 8 | 0x800000u;
}

void set_up_scene()
{
    set_test_camera();
    install_texture(0, 32, 32, checker_texel);
    install_texture(1, 1, 1, plain_texel);
    install_texture(2, 32, 32, plain_texel);
    span_function = span_opaque;
}

// The scene with the plain sphere in it.
Model set_up_sphere_scene()
{
    set_up_scene();
    Model sphere = {};
    build_sphere_model(&sphere, RINGS, SEGMENTS, RADIUS, 1);
    return sphere;
}

void tear_down_scene(Model* model)
{
    free_model(model);
    texture_pool_clear();
}

// Pixels one draw of the model covers, counted once outside the timing.
int64_t covered_pixels(Model* model)
{
    std::memset(&bench_canvas, 0, sizeof bench_canvas);
    clear_depth_buffer();
    transform_model(model);
    draw_model(model, &bench_canvas);
    int64_t covered = 0;
    for (const int32_t d : depth_buffer.depth) {
        covered += d != DEPTH_FAR_AWAY ? 1 : 0;
    }
    return covered;
}

void BM_TransformAndDraw(benchmark::State& state)
{
    Model sphere = set_up_sphere_scene();
    sphere.texture = 0;
    set_model_pose(&sphere, 0.0f, 0.0f, DISTANCE, 0.3f, 0.2f, 0.0f);
    const int64_t pixels = covered_pixels(&sphere);
    float yaw = 0.0f;
    for (auto _ : state) {
        clear_depth_buffer();
        set_model_pose(&sphere, 0.0f, 0.0f, DISTANCE, yaw, 0.2f, 0.0f);
        transform_model(&sphere);
        draw_model(&sphere, &bench_canvas);
        yaw += 0.01f;
    }
    state.counters["faces"] = sphere.face_count;
    state.counters["pixels"] = static_cast<double>(pixels);
    tear_down_scene(&sphere);
}
BENCHMARK(BM_TransformAndDraw);

// The transform alone, to tell its share from the rasterizer's.
void BM_TransformOnly(benchmark::State& state)
{
    Model sphere = set_up_sphere_scene();
    float yaw = 0.0f;
    for (auto _ : state) {
        set_model_pose(&sphere, 0.0f, 0.0f, DISTANCE, yaw, 0.2f, 0.0f);
        transform_model(&sphere);
        benchmark::DoNotOptimize(sphere.vertices[0].sx);
        yaw += 0.01f;
    }
    state.counters["vertices"] = sphere.vertex_count;
    tear_down_scene(&sphere);
}
BENCHMARK(BM_TransformOnly);

void BM_ModelPassesTriple(benchmark::State& state)
{
    set_up_scene();
    ModelTriple triple = {};
    Model* layers[3] = {&triple.body, &triple.shell, &triple.light};
    for (int32_t i = 0; i < 3; i++) {
        build_sphere_model(layers[i], RINGS, SEGMENTS, RADIUS * 0.8f, 2);
        layers[i]->texture = i;
    }
    compute_vertex_normals(&triple.shell);
    inflate_model(&triple.shell, 2.0f);
    compute_vertex_normals(&triple.light);
    float t = 0.0f;
    for (auto _ : state) {
        clear_depth_buffer();
        set_model_pose(&triple.body, 0.0f, 0.0f, DISTANCE, t, 0.2f, 0.0f);
        blend_model_frames(&triple.body, t);
        draw_model_passes(&triple, PASS_OUTLINE | PASS_BODY, &bench_canvas);
        t += 0.01f;
        t = t < 2.0f ? t : 0.0f;
    }
    state.counters["faces"] = 3 * triple.body.face_count;
    for (Model* layer : layers) {
        free_model(layer);
    }
    texture_pool_clear();
}
BENCHMARK(BM_ModelPassesTriple);

void BM_Points512(benchmark::State& state)
{
    set_up_scene();
    Model cloud = {};
    build_sphere_model(&cloud, 15, 31, RADIUS, 1);  // 16 x 32 = 512 vertices
    for (int32_t i = 0; i < cloud.vertex_count; i++) {
        cloud.vertices[i].u = 3 + (i % 4) * 2;  // half-sizes of 1 to 4 pixels at this distance
        cloud.vertices[i].v = static_cast<int32_t>(0x00306090u + static_cast<uint32_t>(i));
    }
    float yaw = 0.0f;
    for (auto _ : state) {
        set_model_pose(&cloud, 0.0f, 0.0f, DISTANCE, yaw, 0.0f, 0.0f);
        transform_model(&cloud);
        draw_model_points(&cloud, 1, &bench_canvas);
        yaw += 0.01f;
    }
    state.counters["points"] = cloud.vertex_count;
    tear_down_scene(&cloud);
}
BENCHMARK(BM_Points512);

}  // namespace

BENCHMARK_MAIN();
