// The triangle mesh record: vertices by animation frame, faces, shared edges, pose and texture.
#pragma once
#include <cstdint>

#include "core/fixed.h"

// One vertex of one frame. Positions and normals are 20.12; texture
// coordinates are integers with 32768 = one texture width or height.
struct ModelVertex {
    Fixed x, y, z;  // model space, from the file (scaled and inflated at start-up)
    // Written by transform_model: clip coordinates, then after the divide
    // screen x and y as 20.12 canvas pixels, the integer depth and w = 1.0.
    int32_t sx, sy, depth, w;
    int32_t u, v;         // from the file or apply_environment_map; particles: size and colour
    Fixed nx, ny, nz;     // unit normal in model space
    Fixed vnx, vny, vnz;  // normal rotated into camera space
    uint32_t outcode;     // clip bits in the low byte
    int32_t behind;       // -1 when behind the camera, else 0
};

// A triangle: vertex indices within one frame and its three edges in the
// model's edge list. `visible` is -1 when the last draw kept the face after
// the outcode test, 0 when it rejected it.
struct ModelFace {
    int32_t a, b, c;
    int32_t edge_ab, edge_bc, edge_ac;
    int32_t visible;
};

// An edge shared by the faces on both sides, so that their common border is
// stepped once per draw and both see the same x on every row. The values
// belong to the upper end, moved down to the canvas top when it lies above.
struct ModelEdge {
    int32_t vertex_a, vertex_b;  // the pair the edge was first seen with
    Fixed x;                     // 20.12 canvas pixels
    int32_t depth;
    Fixed u, v;  // 20.12 texels
    Fixed dx;    // changes per canvas row
    int32_t ddepth;
    Fixed du, dv;
    int32_t flat;   // nonzero when the edge spans less than one pixel row
    int32_t ready;  // nonzero once set up in the current draw
};

// A mesh with one texture. `vertices` holds frame_count + 1 frames of
// vertex_count each, frame-major; the last one is the scratch frame that
// blend_model_frames writes. An empty model has zero counts, null arrays and
// texture -1.
struct Model {
    int32_t vertex_count;
    int32_t face_count;
    int32_t edge_count;
    int32_t frame_count;
    ModelVertex* vertices;
    ModelFace* faces;
    ModelEdge* edges;
    float pos_x, pos_y, pos_z;  // world units
    float yaw, pitch, roll;     // radians about Y, X and Z
    int32_t texture;            // texture pool slot, -1 for none
    int32_t current_frame;      // 0 .. frame_count (the scratch frame)
    float frame_time;           // last time given to blend_model_frames
    int32_t transformed;        // nonzero once transform_model has run
};

// Allocates zeroed arrays for frame_count + 1 frames of vertex_count vertices
// and face_count faces (no edges yet), freeing whatever the model held, and
// sets the counts, texture -1, frame 0 and a zero pose. Returns 1, or 0 with
// the model left empty when memory runs out or a count is negative.
int32_t allocate_model(Model* model, int32_t vertex_count, int32_t face_count, int32_t frame_count);

// Releases the arrays and empties the model: null arrays, zero vertex, face
// and edge counts, texture -1. The frame count, pose and `transformed` stay.
// Safe on an empty model. Returns 0.
int32_t free_model(Model* model);

// Stores a texture pool slot (or -1) in the model.
void set_model_texture(Model* model, int32_t index);

// The first vertex of the model's current frame, or null when the model has
// no vertices or current_frame is outside 0 .. frame_count.
ModelVertex* current_frame_vertices(const Model& model);
