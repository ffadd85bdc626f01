// The scene table: which scene operation draws, and with which clock.
#include "gfx2d/canvas.h"
#include "graffiti/tag_overlay.h"
#include "runtime/timeline.h"
#include "scenes/asteroid_scene.h"
#include "scenes/model_scenes.h"

namespace {

constexpr int32_t SCENE_BLACK = -1;
constexpr int32_t SCENE_BLZ_SHOTS = 0;
constexpr int32_t SCENE_DIPLODOCUS = 2;
constexpr int32_t SCENE_TREX = 3;
constexpr int32_t SCENE_ASTEROIDS = 4;
constexpr int32_t SCENE_KEEP_FRAME = 13;
constexpr int32_t SCENE_MODEL_ROW = 14;

}  // namespace

// Scenes are attached here as they are built; until then a scene number
// draws nothing and the canvas keeps what it holds.
void draw_timeline_scene(int32_t now)
{
    int32_t scene_clock = now - timeline.scene_start_ms;
    int32_t cue_clock = now - timeline.cue_start_ms;
    switch (timeline.scene_id) {
    case SCENE_BLACK:
        clear_canvas(0);
        break;
    case SCENE_BLZ_SHOTS:
        scene_blz_shots(scene_clock, timeline.scene_param);
        break;
    case SCENE_DIPLODOCUS:
        scene_diplodocus(scene_clock, timeline.scene_param, timeline.cue_restarted);
        break;
    case SCENE_TREX:
        scene_trex(cue_clock, timeline.scene_param, timeline.cue_restarted);
        break;
    case SCENE_ASTEROIDS:
        scene_asteroids(scene_clock, timeline.scene_param, timeline.cue_restarted);
        break;
    case SCENE_MODEL_ROW:
        scene_model_row(now);
        break;
    case SCENE_KEEP_FRAME:  // the previous frame, overlays included, stays
        break;
    default:
        break;
    }
}

// The selection time tells the overlay a new selection from a second frame
// within the same millisecond.
void draw_timeline_tag(int32_t tag, int32_t clock_ms)
{
    draw_tag_overlay(clock_ms, tag, timeline.tag_start_ms);
}
