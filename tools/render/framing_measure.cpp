// Follows the marked vertices of the models through every frame of the show: heads in the canvas, canvas covered.
#include "render/framing_measure.h"

#include <algorithm>

#include "assets/model_marks.h"
#include "core/framebuffer.h"
#include "core/random.h"
#include "core/sync_commands.h"
#include "gfx2d/canvas.h"
#include "render3d/depth_buffer.h"
#include "render3d/transform.h"
#include "runtime/asset_catalog.h"
#include "runtime/export_music.h"
#include "runtime/show.h"
#include "runtime/timeline.h"
#include "scenes/assets.h"
#include "scenes/model_scenes.h"
#include "scenes/scene_prep.h"

namespace {

constexpr int32_t FPS = 30;

bool is_model_scene(int32_t scene)
{
    return scene == SCENE_BLZ_SHOTS || scene == SCENE_DIPLODOCUS || scene == SCENE_TREX || scene == SCENE_MODEL_ROW;
}

constexpr uint32_t OFF_CANVAS = 0x0F;  // outcode bits: left, right, above, below
constexpr uint32_t TOO_NEAR = 0x20;

// On the canvas and in front of the near plane. The far plane does not cut
// into the picture: a head beyond it is gone whole, not cut off by the frame.
bool in_view(const ModelVertex& v)
{
    return v.behind == 0 && (v.outcode & (OFF_CANVAS | TOO_NEAR)) == 0;
}

bool vertices_in_view(const Model& model, int32_t first, int32_t count)
{
    const ModelVertex* frame = model.vertices + model.current_frame * model.vertex_count;
    for (int32_t i = first; i < first + count && i < model.vertex_count; i++) {
        if (!in_view(frame[i])) {
            return false;
        }
    }
    return true;
}

// Transforms the model again at each place its scene drew it (the scene leaves
// it at the last) and asks whether its head was in view at every one.
bool heads_in_view(Model* model, const ModelPlace* places, int32_t count)
{
    bool all = true;
    for (int32_t i = 0; i < count; i++) {
        set_model_pose(model, places[i].x, places[i].y, places[i].z, places[i].yaw, model->pitch, model->roll);
        transform_model(model);
        all = vertices_in_view(*model, HEAD_VERTEX, 1) && all;
    }
    return all;
}

bool frame_heads_in_view(int32_t scene, int32_t preset)
{
    switch (scene) {
    case SCENE_BLZ_SHOTS:
        return vertices_in_view(blz_model, 0, NAME_VERTICES);
    case SCENE_DIPLODOCUS:
        if (preset <= DIPLODOCUS_LAST_SINGLE) {
            return vertices_in_view(diplo_models.body, HEAD_VERTEX, 1);
        }
        return heads_in_view(&diplo_models.body, DIPLODOCUS_HERD, HERD_SIZE);
    case SCENE_TREX:
        return vertices_in_view(trex_models.body, HEAD_VERTEX, 1);
    default: {
        // The row's copies all turn with the demo time, which the model's yaw still holds.
        ModelPlace row[ROW_SIZE];
        for (int32_t i = 0; i < ROW_SIZE; i++) {
            row[i] = ModelPlace{0.0f, 0.0f, ROW_PLACES[i], row_model.yaw};
        }
        return heads_in_view(&row_model, row, ROW_SIZE);
    }
    }
}

// The dinosaurs' outline shells leave no depth behind: where the canvas is
// not the ground the scene cleared it to, a shell covers it.
double covered_share(int32_t scene)
{
    const DepthBuffer* depth = get_depth_buffer();
    const uint32_t* pixels = get_canvas()->pixels;
    const bool outlined = scene == SCENE_DIPLODOCUS || scene == SCENE_TREX;
    const uint32_t ground =
        scene == SCENE_DIPLODOCUS ? model_scene_state.diplodocus_ground : model_scene_state.trex_ground;
    int32_t covered = 0;
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        const bool shell = outlined && (pixels[i] & 0xFFFFFF) != ground;
        covered += depth->depth[i] != DEPTH_FAR_AWAY || shell ? 1 : 0;
    }
    return static_cast<double>(covered) / CANVAS_PIXELS;
}

void add_frame(std::vector<ShotFraming>* shots, int32_t now, bool new_shot)
{
    const int32_t scene = timeline.scene_id;
    const int32_t preset = timeline.scene_param;
    if (new_shot || shots->empty() || shots->back().scene != scene || shots->back().preset != preset) {
        shots->push_back(ShotFraming{now, scene, preset, 0, 0, 0.0, 1.0, 0.0});
    }
    ShotFraming& shot = shots->back();
    const double share = covered_share(scene);  // before the heads are transformed again: that draws nothing
    shot.frames++;
    shot.head_frames += frame_heads_in_view(scene, preset) ? 1 : 0;
    shot.coverage_sum += share;
    shot.coverage_least = std::min(shot.coverage_least, share);
    shot.coverage_most = std::max(shot.coverage_most, share);
}

// The scenes alone, as the live show's timeline draws them: overlays and presentation do not move a model.
void play(const ExportPlan& plan, std::vector<ShotFraming>* shots)
{
    size_t next_sync = 0;
    bool was_model = false;
    for (int64_t k = 0; k < plan.frames; k++) {
        const int32_t now = export_frame_time_ms(k, FPS);
        timeline.scene_selected = 0;
        timeline.cue_restarted = 0;
        for (; next_sync < plan.syncs.size() && plan.syncs[next_sync].frame == k; next_sync++) {
            apply_timeline_command(plan.syncs[next_sync].command, now);
        }
        draw_timeline_scene(now);
        timeline.last_frame_ms = now;
        const bool model = is_model_scene(timeline.scene_id);
        if (model) {
            add_frame(shots, now, !was_model || timeline.scene_selected != 0 || timeline.cue_restarted != 0);
        }
        was_model = model;
    }
}

}  // namespace

int32_t measure_framing(const char* music_path, std::vector<ShotFraming>* shots, std::string* why)
{
    ExportPlan plan;
    if (!plan_export(music_path, FPS, 0, 0, nullptr, 0, &plan, why)) {
        return 0;
    }
    static Framebuffer canvas;
    Framebuffer* before = canvas_target;
    set_canvas(&canvas);
    random_seed(SHOW_SEED);
    timeline = TIMELINE_START;
    load_assets();
    prepare_scenes();
    shots->clear();
    play(plan, shots);
    free_assets();
    if (before != nullptr) {
        set_canvas(before);
    }
    return 1;
}

double head_share(const ShotFraming& shot)
{
    return shot.frames > 0 ? static_cast<double>(shot.head_frames) / shot.frames : 0.0;
}

double mean_coverage(const ShotFraming& shot)
{
    return shot.frames > 0 ? shot.coverage_sum / shot.frames : 0.0;
}
