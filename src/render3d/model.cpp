// Allocating, freeing and addressing the arrays of a model.
#include "render3d/model.h"

#include <cstdlib>

namespace {

// Zeroed storage for count records of size bytes; null for a count of 0.
void* allocate_zeroed(int64_t count, size_t size, bool* failed)
{
    if (count == 0) {
        return nullptr;
    }
    void* block = std::calloc(static_cast<size_t>(count), size);
    if (block == nullptr) {
        *failed = true;
    }
    return block;
}

void reset_pose(Model* model)
{
    model->pos_x = model->pos_y = model->pos_z = 0.0f;
    model->yaw = model->pitch = model->roll = 0.0f;
}

}  // namespace

int32_t allocate_model(Model* model, int32_t vertex_count, int32_t face_count, int32_t frame_count)
{
    free_model(model);
    model->frame_count = 0;
    if (vertex_count < 0 || face_count < 0 || frame_count < 1) {
        return 0;
    }
    bool failed = false;
    const int64_t stored = (int64_t{frame_count} + 1) * vertex_count;
    auto* vertices = static_cast<ModelVertex*>(allocate_zeroed(stored, sizeof(ModelVertex), &failed));
    auto* faces = static_cast<ModelFace*>(allocate_zeroed(face_count, sizeof(ModelFace), &failed));
    if (failed) {
        std::free(vertices);
        std::free(faces);
        return 0;
    }
    model->vertices = vertices;
    model->faces = faces;
    model->vertex_count = vertex_count;
    model->face_count = face_count;
    model->frame_count = frame_count;
    model->current_frame = 0;
    reset_pose(model);
    return 1;
}

int32_t free_model(Model* model)
{
    std::free(model->vertices);
    std::free(model->faces);
    std::free(model->edges);
    model->vertices = nullptr;
    model->faces = nullptr;
    model->edges = nullptr;
    model->vertex_count = 0;
    model->face_count = 0;
    model->edge_count = 0;
    model->texture = -1;
    return 0;
}

void set_model_texture(Model* model, int32_t index)
{
    model->texture = index;
}

ModelVertex* current_frame_vertices(const Model& model)
{
    if (model.vertices == nullptr || model.current_frame < 0 || model.current_frame > model.frame_count) {
        return nullptr;
    }
    return model.vertices + static_cast<int64_t>(model.current_frame) * model.vertex_count;
}
