// The one camera: pose, lens, and the world-to-clip matrices built from them.
#pragma once
#include "core/fixed.h"
#include "core/matrix.h"

struct Camera {
    float pos_x, pos_y, pos_z;  // world units
    float yaw, pitch, roll;     // radians, stored negated (see set_camera_pose)
    float scale;                // projection scale: the focal length is scale / 2 canvas pixels
    Fixed near;                 // 20.12 near plane distance
    Fixed far;                  // 20.12 far plane distance
    Fixed range;                // far - near, set by set_camera_projection
    Matrix4 view_projection;    // world to clip space, built by update_camera
    Matrix4 rotation;           // the camera's rotation alone, for normals
};

// The single camera every transform uses. Starts at the origin with a scale
// of 200 and planes at 10 and 5000, matrices zero until update_camera; lives
// for the whole run. Main thread only.
extern Camera camera;

// Position, and angles in degrees: each is stored as -degrees * 2 pi / 360
// (pi as the float 3.1416), so update_camera turns the world by the angles
// as given.
void set_camera_pose(float x, float y, float z, float yaw_deg, float pitch_deg, float roll_deg);

// Whole-unit planes and the scale. near must be below far: update_camera
// divides by the range.
void set_camera_projection(Camera& cam, int32_t near, int32_t far, float scale);

// Rebuilds rotation and view_projection from the pose and the lens.
void update_camera(Camera& cam);

// The perspective matrix of the lens: x and y scaled by scale over the
// canvas width and height, z mapped so that the near plane gives +1 and the
// far plane -1 after the divide, w = -z.
void mat4_projection(Matrix4& out, const Camera& cam);
