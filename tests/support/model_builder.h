// Models, textures and the camera made in code for the renderer's tests and benchmarks.
#pragma once
#include <cstdint>

#include "render3d/model.h"

// A sphere of rings x segments quads (two faces each, front faces clockwise
// on the canvas when seen from -z) centred on the model origin; frame f has
// radius radius * (1 + 0.25 f), so blending shows. u runs once round, v from
// pole to pole. Normals are left zero.
void build_sphere_model(Model* model, int32_t rings, int32_t segments, float radius, int32_t frames);

// The camera the pictures are taken with: at the origin, unturned, looking
// down +z, depths 10 to 5000, focal length 200.
void set_test_camera();

// A vertex already in screen space: 20.12 canvas pixels, an integer depth
// and texture coordinates (32768 = one repeat).
struct ScreenPoint {
    float x, y;
    int32_t depth;
    int32_t u, v;
};

// A one-frame model whose current frame already holds screen-space
// vertices (outcode 0, in front), faces given as index triples, edge table
// built, `transformed` set and texture set to slot.
void build_screen_model(Model* model, const ScreenPoint* points, int32_t point_count, const int32_t (*faces)[3],
                        int32_t face_count, int32_t texture_slot);

// Puts a width x height texture (heap pixels, freed by texture_pool_clear)
// into a pool slot, each texel from texel(x, y).
void install_texture(int32_t slot, int32_t width, int32_t height, uint32_t (*texel)(int32_t x, int32_t y));

// A 16 x 16 texture of 4 x 4 checks in two colours with a colour-key hole
// in the middle, for pictures where the texture's orientation shows.
uint32_t checker_texel(int32_t x, int32_t y);

// A sphere centred lift units above the origin, of one size in every frame,
// whose frames differ in where they stand and how tall they are (frame f:
// moved f % 3 * 2 units along x, y stretched by 1 + 0.1 (f % 5)), for
// animations of many frames.
void build_swaying_model(Model* model, int32_t rings, int32_t segments, float radius, int32_t frames, float lift);

struct ModelTriple;

// A dinosaur triple of swaying spheres lifted by lift: the body textured from pool slot
// first_slot, the shell (slot first_slot + 1) with welded normals and
// inflated by shell units, the light (slot first_slot + 2) with normals.
void build_swaying_triple(ModelTriple* triple, int32_t rings, int32_t segments, float radius, int32_t frames,
                          float lift, float shell, int32_t first_slot);
void free_triple(ModelTriple* triple);
