// Scaling, normals, welding and inflation of a model's stored frames.
#include "render3d/model_prep.h"

#include <cstdint>
#include <initializer_list>

#include "core/vector.h"

namespace {

Vec3 position(const ModelVertex& vertex)
{
    return Vec3{vertex.x, vertex.y, vertex.z};
}

Vec3 normal(const ModelVertex& vertex)
{
    return Vec3{vertex.nx, vertex.ny, vertex.nz};
}

void set_position(ModelVertex& vertex, const Vec3& p)
{
    vertex.x = p.x;
    vertex.y = p.y;
    vertex.z = p.z;
}

void set_normal(ModelVertex& vertex, const Vec3& n)
{
    vertex.nx = n.x;
    vertex.ny = n.y;
    vertex.nz = n.z;
}

int64_t stored_vertex_count(const Model& model)
{
    if (model.vertices == nullptr || model.frame_count < 1) {
        return 0;
    }
    return int64_t{model.frame_count} * model.vertex_count;
}

// vec3_length_sq of position i - position j, formed in 64 bits: equal to it
// while it fits 32 bits, and never wrapped round below the limit beyond.
// Gaps of 2^31 or more in one coordinate count as out of reach.
bool closer_than(const ModelVertex& a, const ModelVertex& b, Fixed limit)
{
    const int64_t gap[3] = {int64_t{a.y} - b.y, int64_t{a.z} - b.z, int64_t{a.x} - b.x};
    int64_t sum = 0;
    for (const int64_t c : gap) {
        if (c > INT32_MAX || c < -INT32_MAX) {
            return false;
        }
        sum += (c * c) >> FIXED_FRAC_BITS;
    }
    return sum < limit;
}

void weld_frame(ModelVertex* frame, int32_t count, Fixed limit)
{
    for (int32_t i = 0; i < count; i++) {
        for (int32_t j = 0; j < count; j++) {
            if (j == i) {
                continue;
            }
            if (!closer_than(frame[i], frame[j], limit)) {
                continue;
            }
            Vec3 shared;
            vec3_add(shared, normal(frame[i]), normal(frame[j]));
            vec3_normalize(shared);
            set_normal(frame[i], shared);
            vec3_scale(shared, shared, FIXED_ONE);
            set_normal(frame[j], shared);
        }
    }
}

}  // namespace

void scale_model(Model* model, float factor)
{
    const Fixed k = fixed_from_float(factor);
    const int64_t count = stored_vertex_count(*model);
    for (int64_t i = 0; i < count; i++) {
        Vec3 p = position(model->vertices[i]);
        vec3_scale(p, p, k);
        set_position(model->vertices[i], p);
    }
}

void inflate_model(Model* model, float distance)
{
    const Fixed k = fixed_from_float(distance);
    const int64_t count = stored_vertex_count(*model);
    for (int64_t i = 0; i < count; i++) {
        Vec3 push;
        vec3_scale(push, normal(model->vertices[i]), k);
        Vec3 p = position(model->vertices[i]);
        vec3_add(p, p, push);
        set_position(model->vertices[i], p);
    }
}

void compute_vertex_normals(Model* model)
{
    const int64_t count = stored_vertex_count(*model);
    for (int64_t i = 0; i < count; i++) {
        set_normal(model->vertices[i], Vec3{0, 0, 0});
    }
    for (int32_t f = 0; count > 0 && f < model->frame_count; f++) {
        ModelVertex* frame = model->vertices + int64_t{f} * model->vertex_count;
        for (int32_t i = 0; i < model->face_count; i++) {
            ModelVertex& p = frame[model->faces[i].a];
            ModelVertex& q = frame[model->faces[i].b];
            ModelVertex& r = frame[model->faces[i].c];
            Vec3 side_q, side_r, n, sum;
            vec3_sub(side_q, position(q), position(p));
            vec3_sub(side_r, position(r), position(p));
            vec3_cross(n, side_q, side_r);
            for (ModelVertex* corner : {&p, &q, &r}) {
                vec3_add(sum, normal(*corner), n);
                set_normal(*corner, sum);
            }
        }
    }
    for (int64_t i = 0; i < count; i++) {
        Vec3 n = normal(model->vertices[i]);
        vec3_normalize(n);
        set_normal(model->vertices[i], n);
    }
}

void weld_vertex_normals(Model* model, float distance)
{
    const Fixed limit = fixed_from_float(distance * distance);
    if (stored_vertex_count(*model) == 0) {
        return;
    }
    for (int32_t f = 0; f < model->frame_count; f++) {
        weld_frame(model->vertices + int64_t{f} * model->vertex_count, model->vertex_count, limit);
    }
}
