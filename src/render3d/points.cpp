// Particles: each vertex of a model drawn as a depth-tested square that shrinks with distance.
#include <algorithm>

#include "core/pixel_blend.h"
#include "render3d/depth_buffer.h"
#include "render3d/rasterizer.h"

namespace {

constexpr int POINT_DEPTH_SHIFT = 17;  // the integer depth scale down to about 8000 near the camera
constexpr int32_t POINT_RADIUS_LIMIT = 80;
constexpr int32_t POINTS_ADD = 1;
constexpr int32_t POINTS_AVERAGE = 2;

// The square's rows and columns y - r .. y + r - 1 and x - r .. x + r - 1,
// clipped once; only pixels whose depth lies behind the point change.
void draw_square(const ModelVertex& point, int32_t x, int32_t y, int32_t r, int32_t mode, Framebuffer* canvas)
{
    const int32_t left = std::max(x - r, 0);
    const int32_t right = std::min(x + r, CANVAS_WIDTH);
    const int32_t top = std::max(y - r, 0);
    const int32_t bottom = std::min(y + r, CANVAS_HEIGHT);
    const auto colour = static_cast<uint32_t>(point.v);
    for (int32_t row = top; row < bottom; row++) {
        uint32_t* pixels = canvas->pixels + row * CANVAS_WIDTH;
        const int32_t* depths = depth_buffer.depth + row * CANVAS_WIDTH;
        for (int32_t column = left; column < right; column++) {
            if (depths[column] <= point.depth) {
                continue;  // something nearer is already there
            }
            pixels[column] = mode == POINTS_ADD ? colour_add_saturate(pixels[column], colour)
                                                : colour_average(pixels[column], colour);
        }
    }
}

}  // namespace

void draw_model_points(Model* model, int32_t mode, Framebuffer* canvas)
{
    const ModelVertex* frame = current_frame_vertices(*model);
    if (model->transformed == 0 || frame == nullptr || (mode != POINTS_ADD && mode != POINTS_AVERAGE)) {
        return;
    }
    for (int32_t i = 0; i < model->vertex_count; i++) {
        const ModelVertex& point = frame[i];
        if (point.behind != 0 || point.outcode != 0) {
            continue;
        }
        const int32_t x = fixed_to_int(point.sx);
        const int32_t y = fixed_to_int(point.sy);
        const int32_t d = point.depth >> POINT_DEPTH_SHIFT;
        if (d == 0) {
            continue;
        }
        const int32_t r = fixed_to_int(fixed_div(fixed_from_int(point.u), d));
        if (r > POINT_RADIUS_LIMIT || x < 0 || x >= CANVAS_WIDTH || y < 0 || y >= CANVAS_HEIGHT) {
            continue;
        }
        draw_square(point, x, y, r, mode, canvas);
    }
}
