// The camera's pose and lens, and the matrices built from them.
#include "render3d/camera.h"

#include "core/framebuffer.h"

Camera camera = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 200.0f, 10 * FIXED_ONE, 5000 * FIXED_ONE, 0, {}, {}};

namespace {

// Degrees to negated radians with pi as 3.1416 (the float 3.1415998935699463),
// the product taken in extended precision and stored as float.
float negated_radians(float degrees)
{
    constexpr float PI_ROUGH = 3.1416f;
    return static_cast<float>(static_cast<long double>(degrees) * static_cast<long double>(-PI_ROUGH) * 2.0L / 360.0L);
}

}  // namespace

void set_camera_pose(float x, float y, float z, float yaw_deg, float pitch_deg, float roll_deg)
{
    camera.pos_x = x;
    camera.pos_y = y;
    camera.pos_z = z;
    camera.yaw = negated_radians(yaw_deg);
    camera.pitch = negated_radians(pitch_deg);
    camera.roll = negated_radians(roll_deg);
}

void set_camera_projection(Camera& cam, int32_t near, int32_t far, float scale)
{
    cam.far = fixed_from_int(far);
    cam.near = fixed_from_int(near);
    cam.range = fixed_from_int(far - near);
    cam.scale = scale;
}

void mat4_projection(Matrix4& out, const Camera& cam)
{
    mat4_identity(out);
    out.m[0] = fixed_from_float(cam.scale / static_cast<float>(CANVAS_WIDTH));
    out.m[5] = fixed_from_float(cam.scale / static_cast<float>(CANVAS_HEIGHT));
    out.m[10] = fixed_div(fixed_add(cam.near, cam.far), cam.range);
    out.m[14] = fixed_div(fixed_mul(fixed_scale(cam.far, -2), cam.near), cam.range);
    out.m[11] = -FIXED_ONE;
    out.m[15] = 0;
}

void update_camera(Camera& cam)
{
    Matrix4 translation, rx, ry, rz, projection, turned;
    mat4_translation(translation, fixed_from_float(-cam.pos_x), fixed_from_float(-cam.pos_y),
                     fixed_from_float(-cam.pos_z));
    mat4_rotation_x(rx, -cam.pitch);
    mat4_rotation_y(ry, -cam.yaw);
    mat4_rotation_z(rz, -cam.roll);
    mat4_projection(projection, cam);
    mat4_mul(turned, ry, rx);
    mat4_mul(cam.rotation, turned, rz);
    mat4_mul(turned, translation, cam.rotation);
    mat4_mul(cam.view_projection, turned, projection);
}
