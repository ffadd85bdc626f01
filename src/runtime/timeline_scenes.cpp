// The scene table: which scene operation draws, and with which clock.
#include "gfx2d/canvas.h"
#include "graffiti/tag_overlay.h"
#include "runtime/timeline.h"
#include "scenes/asteroid_scene.h"
#include "scenes/model_scenes.h"
#include "scenes/picture_scenes.h"

namespace {

enum SceneNumber : int32_t {
    SCENE_BLACK = -1,
    SCENE_BLZ_SHOTS = 0,
    SCENE_TITLE_TUNNEL = 1,
    SCENE_DIPLODOCUS = 2,
    SCENE_TREX = 3,
    SCENE_ASTEROIDS = 4,
    SCENE_PURPLE_TUNNEL = 5,
    SCENE_CREDITS = 6,
    SCENE_STROBE = 7,
    SCENE_TILE_WARP = 8,
    SCENE_BOOM = 9,
    SCENE_ENDING = 10,
    SCENE_CURTAIN = 11,
    SCENE_ROTOZOOM = 12,
    SCENE_KEEP_FRAME = 13,
    SCENE_MODEL_ROW = 14,
    SCENE_SLIDES = 15,
};

}  // namespace

// Each scene gets the clock its table row names: the scene clock (since the
// last selection), the cue clock (since the last cue) or the demo time.
// A number without a scene draws nothing: the canvas keeps what it holds.
void draw_timeline_scene(int32_t now)
{
    int32_t scene_clock = now - timeline.scene_start_ms;
    int32_t cue_clock = now - timeline.cue_start_ms;
    int32_t preset = timeline.scene_param;
    switch (timeline.scene_id) {
    case SCENE_BLACK:
        clear_canvas(0);
        break;
    case SCENE_BLZ_SHOTS:
        scene_blz_shots(scene_clock, preset);
        break;
    case SCENE_TITLE_TUNNEL:
        scene_title_tunnel(scene_clock, preset);
        break;
    case SCENE_DIPLODOCUS:
        scene_diplodocus(scene_clock, preset, timeline.cue_restarted);
        break;
    case SCENE_TREX:
        scene_trex(cue_clock, preset, timeline.cue_restarted);
        break;
    case SCENE_ASTEROIDS:
        scene_asteroids(scene_clock, preset, timeline.cue_restarted);
        break;
    case SCENE_PURPLE_TUNNEL:
        scene_purple_tunnel(cue_clock, preset);
        break;
    case SCENE_CREDITS:
        scene_credits(scene_clock, preset);
        break;
    case SCENE_STROBE:
        scene_strobe(scene_clock, timeline.scene_selected);
        break;
    case SCENE_TILE_WARP:
        scene_tile_warp(now, preset);
        break;
    case SCENE_BOOM:
        scene_boom(scene_clock);
        break;
    case SCENE_ENDING:
        scene_ending(scene_clock, preset);
        break;
    case SCENE_CURTAIN:
        scene_curtain(cue_clock, timeline.scene_selected, timeline.cue_restarted);
        break;
    case SCENE_ROTOZOOM:
        scene_rotozoom(now, cue_clock, preset, timeline.cue_restarted);
        break;
    case SCENE_KEEP_FRAME:  // the previous frame, overlays included, stays
        break;
    case SCENE_MODEL_ROW:
        scene_model_row(now);
        break;
    case SCENE_SLIDES:
        scene_slides(preset);
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
