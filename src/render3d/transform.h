// Model pose, the transform of a frame's vertices and normals, and projection to the canvas.
#pragma once
#include <cstdint>

#include "core/matrix.h"
#include "render3d/model.h"

// Clip outcode bits, from the coordinates after the divide by w (20.12).
constexpr uint32_t CLIP_X_MIN = 1;  // x < -1
constexpr uint32_t CLIP_X_MAX = 2;  // x > 1
constexpr uint32_t CLIP_Y_MIN = 4;  // y < -1
constexpr uint32_t CLIP_Y_MAX = 8;  // y > 1
constexpr uint32_t CLIP_FAR = 16;   // z < -1: beyond the far plane
constexpr uint32_t CLIP_NEAR = 32;  // z > 1: nearer than the near plane

// Position in world units and angles in radians, stored as given.
void set_model_pose(Model* model, float x, float y, float z, float yaw, float pitch, float roll);

// Transforms the current frame with the model's pose and the global camera
// (update_camera must have run): camera-space normals, then screen x and y
// as 20.12 canvas pixels, the integer depth (0x3E000000 at the near plane,
// 0x42000000 at the far one), the outcode and `behind`. Sets `transformed`.
// A model without vertices, or with current_frame outside its frames, is
// left untransformed.
void transform_model(Model* model);

// (x, y, z, 1) * m into sx, sy, depth, w of each vertex (clip coordinates).
void transform_points(ModelVertex* vertices, int32_t count, const Matrix4& m);

// (nx, ny, nz, 1) * m, first three columns, into vnx, vny, vnz.
void transform_normals(ModelVertex* vertices, int32_t count, const Matrix4& m);

// Sets the outcode from sx, sy and depth as they are after the divide.
void classify_vertex(ModelVertex& vertex);
