// The per-frame vertex pipeline: pose, clip transform, divide, outcodes, viewport.
#include "render3d/transform.h"

#include "render3d/camera.h"

namespace {

// 32.0 in 20.12: the reciprocal of w keeps five extra fraction bits, shifted
// out again after the multiply.
constexpr Fixed RECIPROCAL_NUMERATOR = 0x20000;
constexpr int RECIPROCAL_EXTRA_BITS = 5;
constexpr int32_t VIEW_CENTRE_X = 80;  // canvas pixels; also the half-width scale
constexpr int32_t VIEW_CENTRE_Y = 50;
// depth = (DEPTH_BIAS - z) << DEPTH_SHIFT, with z the 20.12 depth after the
// divide (+1 at the near plane, -1 at the far one): 0x3E000000 .. 0x42000000,
// growing with distance.
constexpr Fixed DEPTH_BIAS = 0x20000;  // 32.0 in 20.12
constexpr int DEPTH_SHIFT = 13;

// Fixed sum of four products, wrapping.
Fixed dot4(Fixed a, Fixed ma, Fixed b, Fixed mb, Fixed c, Fixed mc, Fixed d)
{
    return fixed_add(fixed_add(fixed_mul_quick(a, ma), fixed_mul_quick(b, mb)), fixed_add(fixed_mul_quick(c, mc), d));
}

// The divide by w, the outcode and the mapping to canvas pixels and depth.
void project_vertex(ModelVertex& vertex)
{
    const Fixed inv = vertex.w != 0 ? fixed_div(RECIPROCAL_NUMERATOR, vertex.w) : 0;
    vertex.sx = fixed_mul(vertex.sx, inv) >> RECIPROCAL_EXTRA_BITS;
    vertex.sy = fixed_mul(vertex.sy, inv) >> RECIPROCAL_EXTRA_BITS;
    vertex.depth = fixed_mul(vertex.depth, inv) >> RECIPROCAL_EXTRA_BITS;
    vertex.w = FIXED_ONE;
    vertex.behind = inv > 0 ? -1 : 0;  // visible points have negative w
    classify_vertex(vertex);
    vertex.sx = fixed_sub(fixed_from_int(VIEW_CENTRE_X), fixed_scale(vertex.sx, VIEW_CENTRE_X));
    vertex.sy = fixed_add(fixed_scale(vertex.sy, VIEW_CENTRE_Y), fixed_from_int(VIEW_CENTRE_Y));
    const uint32_t distance = static_cast<uint32_t>(fixed_sub(DEPTH_BIAS, vertex.depth));
    vertex.depth = static_cast<int32_t>(distance << DEPTH_SHIFT);
}

}  // namespace

void set_model_pose(Model* model, float x, float y, float z, float yaw, float pitch, float roll)
{
    model->pos_x = x;
    model->pos_y = y;
    model->pos_z = z;
    model->yaw = yaw;
    model->pitch = pitch;
    model->roll = roll;
}

void transform_points(ModelVertex* vertices, int32_t count, const Matrix4& matrix)
{
    const Fixed* m = matrix.m;
    for (int32_t i = 0; i < count; i++) {
        ModelVertex& p = vertices[i];
        const Fixed x = p.x;
        const Fixed y = p.y;
        const Fixed z = p.z;
        p.sx = dot4(x, m[0], y, m[4], z, m[8], m[12]);
        p.sy = dot4(x, m[1], y, m[5], z, m[9], m[13]);
        p.depth = dot4(x, m[2], y, m[6], z, m[10], m[14]);
        p.w = dot4(x, m[3], y, m[7], z, m[11], m[15]);
    }
}

void transform_normals(ModelVertex* vertices, int32_t count, const Matrix4& matrix)
{
    const Fixed* m = matrix.m;
    for (int32_t i = 0; i < count; i++) {
        ModelVertex& p = vertices[i];
        const Fixed x = p.nx;
        const Fixed y = p.ny;
        const Fixed z = p.nz;
        p.vnx = dot4(x, m[0], y, m[4], z, m[8], m[12]);
        p.vny = dot4(x, m[1], y, m[5], z, m[9], m[13]);
        p.vnz = dot4(x, m[2], y, m[6], z, m[10], m[14]);
    }
}

void classify_vertex(ModelVertex& vertex)
{
    uint32_t code = 0;
    code |= vertex.sx < -FIXED_ONE ? CLIP_X_MIN : 0;
    code |= vertex.sx > FIXED_ONE ? CLIP_X_MAX : 0;
    code |= vertex.sy < -FIXED_ONE ? CLIP_Y_MIN : 0;
    code |= vertex.sy > FIXED_ONE ? CLIP_Y_MAX : 0;
    code |= vertex.depth < -FIXED_ONE ? CLIP_FAR : 0;
    code |= vertex.depth > FIXED_ONE ? CLIP_NEAR : 0;
    vertex.outcode = code;
}

void transform_model(Model* model)
{
    ModelVertex* frame = current_frame_vertices(*model);
    if (frame == nullptr) {
        return;
    }
    Matrix4 translation, rx, ry, rz, turned, rotation, placed, mvp, normals;
    mat4_translation(translation, fixed_from_float(model->pos_x), fixed_from_float(model->pos_y),
                     fixed_from_float(model->pos_z));
    mat4_rotation_x(rx, model->pitch);
    mat4_rotation_y(ry, model->yaw);
    mat4_rotation_z(rz, model->roll);
    mat4_mul(turned, rx, ry);
    mat4_mul(rotation, rz, turned);
    mat4_mul(placed, rotation, translation);
    mat4_mul(mvp, placed, camera.view_projection);
    mat4_mul(normals, rotation, camera.rotation);
    model->transformed = 1;
    transform_points(frame, model->vertex_count, mvp);
    transform_normals(frame, model->vertex_count, normals);
    for (int32_t i = 0; i < model->vertex_count; i++) {
        project_vertex(frame[i]);
    }
}
