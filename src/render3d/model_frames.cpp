// Animation frame blending and environment-mapped texture coordinates.
#include "render3d/model_frames.h"

#include <cmath>

namespace {

constexpr int32_t TEXCOORD_ONE = 32768;  // one texture width or height

// t brought into 0 .. frames (exclusive); NaN and infinities give 0.
float wrap_frame_time(float t, int32_t frames)
{
    const auto count = static_cast<float>(frames);
    if (t >= 0.0f && t < count) {
        return t;
    }
    if (!std::isfinite(t)) {
        return 0.0f;
    }
    float wrapped = std::fmod(t, count);
    if (wrapped < 0.0f) {
        wrapped += count;
    }
    return wrapped < count ? wrapped : 0.0f;  // -tiny + count can round up to count
}

Fixed blend(Fixed a, Fixed b, Fixed frac)
{
    return fixed_add(a, fixed_mul(fixed_sub(b, a), frac));
}

}  // namespace

void blend_model_frames(Model* model, float t)
{
    const int32_t frames = model->frame_count;
    if (model->vertices == nullptr || frames < 1) {
        return;
    }
    const float time = wrap_frame_time(t, frames);
    const int32_t k = static_cast<int32_t>(time);
    const int32_t next = k < frames - 1 ? k + 1 : k - frames + 1;
    const Fixed frac = fixed_from_float(time - static_cast<float>(k));
    const int32_t n = model->vertex_count;
    const ModelVertex* from = model->vertices + static_cast<int64_t>(k) * n;
    const ModelVertex* to = model->vertices + static_cast<int64_t>(next) * n;
    ModelVertex* scratch = model->vertices + static_cast<int64_t>(frames) * n;
    for (int32_t i = 0; i < n; i++) {
        const ModelVertex& a = from[i];
        const ModelVertex& b = to[i];
        ModelVertex& out = scratch[i];
        out.x = blend(a.x, b.x, frac);
        out.y = blend(a.y, b.y, frac);
        out.z = blend(a.z, b.z, frac);
        out.u = blend(a.u, b.u, frac);
        out.v = blend(a.v, b.v, frac);
        out.nx = blend(a.nx, b.nx, frac);
        out.ny = blend(a.ny, b.ny, frac);
        out.nz = blend(a.nz, b.nz, frac);
    }
    model->frame_time = t;
    model->current_frame = frames;
}

void apply_environment_map(Model* model)
{
    ModelVertex* frame = current_frame_vertices(*model);
    if (frame == nullptr) {
        return;
    }
    for (int32_t i = 0; i < model->vertex_count; i++) {
        ModelVertex& vertex = frame[i];
        const float across = 0.5f + 0.5f * fixed_to_float(vertex.vnx);
        const float down = 0.5f - 0.5f * fixed_to_float(vertex.vny);
        vertex.u = mul_int_float(TEXCOORD_ONE, across);
        vertex.v = mul_int_float(TEXCOORD_ONE, down);
    }
}
