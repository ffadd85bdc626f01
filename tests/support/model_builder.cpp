// Sphere and screen-space models, pool textures and the camera for the renderer's tests and benchmarks.
#include "model_builder.h"

#include <cmath>
#include <cstdlib>

#include "core/image.h"
#include "render3d/camera.h"
#include "render3d/edge_table.h"
#include "render3d/model_prep.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"
#include "scenes/assets.h"

void set_test_camera()
{
    set_camera_pose(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    set_camera_projection(camera, 10, 5000, 200.0f);
    update_camera(camera);
}

void build_sphere_model(Model* model, int32_t rings, int32_t segments, float radius, int32_t frames)
{
    const int32_t columns = segments + 1;
    allocate_model(model, (rings + 1) * columns, rings * segments * 2, frames);
    for (int32_t f = 0; f < frames; f++) {
        const float r = radius * (1.0f + 0.25f * static_cast<float>(f));
        ModelVertex* frame = model->vertices + f * model->vertex_count;
        for (int32_t ring = 0; ring <= rings; ring++) {
            const double polar = M_PI * ring / rings;
            for (int32_t s = 0; s <= segments; s++) {
                const double around = 2.0 * M_PI * s / segments;
                ModelVertex& p = frame[ring * columns + s];
                p.x = fixed_from_float(static_cast<float>(r * std::sin(polar) * std::cos(around)));
                p.y = fixed_from_float(static_cast<float>(r * std::cos(polar)));
                p.z = fixed_from_float(static_cast<float>(r * std::sin(polar) * std::sin(around)));
                p.u = 32768 * s / segments;
                p.v = 32768 * ring / rings;
            }
        }
    }
    int32_t face = 0;
    for (int32_t ring = 0; ring < rings; ring++) {
        for (int32_t s = 0; s < segments; s++) {
            const int32_t a = ring * columns + s;
            const int32_t b = a + 1;
            const int32_t c = a + columns;
            const int32_t d = c + 1;
            model->faces[face++] = ModelFace{a, b, c, 0, 0, 0, 0};
            model->faces[face++] = ModelFace{b, d, c, 0, 0, 0, 0};
        }
    }
    build_edge_table(model);
}

void build_screen_model(Model* model, const ScreenPoint* points, int32_t point_count, const int32_t (*faces)[3],
                        int32_t face_count, int32_t texture_slot)
{
    allocate_model(model, point_count, face_count, 1);
    for (int32_t i = 0; i < point_count; i++) {
        ModelVertex& v = model->vertices[i];
        v.sx = fixed_from_float(points[i].x);
        v.sy = fixed_from_float(points[i].y);
        v.depth = points[i].depth;
        v.u = points[i].u;
        v.v = points[i].v;
        v.w = FIXED_ONE;
    }
    for (int32_t i = 0; i < face_count; i++) {
        model->faces[i] = ModelFace{faces[i][0], faces[i][1], faces[i][2], 0, 0, 0, 0};
    }
    build_edge_table(model);
    model->transformed = 1;
    model->texture = texture_slot;
}

void install_texture(int32_t slot, int32_t width, int32_t height, uint32_t (*texel)(int32_t x, int32_t y))
{
    Image& image = texture_pool.slots[slot];
    free_image(&image);
    image.pixels = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * width * height));
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            image.pixels[y * width + x] = texel(x, y);
        }
    }
    image.width = static_cast<uint16_t>(width);
    image.height = static_cast<uint16_t>(height);
    image.width_shift = image_width_shift(static_cast<uint32_t>(width));
}

uint32_t checker_texel(int32_t x, int32_t y)
{
    if ((x == 7 || x == 8) && (y == 7 || y == 8)) {
        return COLOR_KEY;
    }
    const bool light = ((x / 4) + (y / 4)) % 2 == 0;
    const uint32_t red = static_cast<uint32_t>(x * 16);
    return light ? (0xFF000000u | red | 0xC0C000u) : (0xFF000000u | 0x602000u | (red / 2));
}

void build_swaying_model(Model* model, int32_t rings, int32_t segments, float radius, int32_t frames, float lift)
{
    build_sphere_model(model, rings, segments, radius, frames);
    const int32_t n = model->vertex_count;
    for (int32_t i = 0; i < n; i++) {
        model->vertices[i].y = fixed_add(model->vertices[i].y, fixed_from_float(lift));
    }
    for (int32_t f = 1; f < frames; f++) {
        const float stretch = 1.0f + 0.1f * static_cast<float>(f % 5);
        const Fixed shift = fixed_from_int(f % 3 * 2);
        for (int32_t i = 0; i < n; i++) {
            const ModelVertex& first = model->vertices[i];
            ModelVertex& p = model->vertices[f * n + i];
            p.x = fixed_add(first.x, shift);
            p.y = fixed_from_float(fixed_to_float(first.y) * stretch);
            p.z = first.z;
        }
    }
}

void build_swaying_triple(ModelTriple* triple, int32_t rings, int32_t segments, float radius, int32_t frames,
                          float lift, float shell, int32_t first_slot)
{
    Model* layers[3] = {&triple->body, &triple->shell, &triple->light};
    for (int32_t i = 0; i < 3; i++) {
        build_swaying_model(layers[i], rings, segments, radius, frames, lift);
        layers[i]->texture = first_slot + i;
    }
    compute_vertex_normals(&triple->shell);
    weld_vertex_normals(&triple->shell, 0.125f);
    inflate_model(&triple->shell, shell);
    compute_vertex_normals(&triple->light);
    weld_vertex_normals(&triple->light, 0.125f);
}

void free_triple(ModelTriple* triple)
{
    free_model(&triple->body);
    free_model(&triple->shell);
    free_model(&triple->light);
}
