// The scene table: which scene operation draws, and with which clock.
#include "gfx2d/canvas.h"
#include "graffiti/tag_overlay.h"
#include "runtime/timeline.h"
#include "scenes/picture_scenes.h"

namespace {

constexpr int32_t SCENE_BLACK = -1;
constexpr int32_t SCENE_KEEP_FRAME = 13;

}  // namespace

// Scenes are attached here as they are built; until then a scene number
// draws nothing and the canvas keeps what it holds.
void draw_timeline_scene(int32_t now)
{
    int32_t scene_clock = now - timeline.scene_start_ms;
    int32_t cue_clock = now - timeline.cue_start_ms;
    (void)scene_clock;
    (void)cue_clock;
    switch (timeline.scene_id) {
    case SCENE_BLACK:
        clear_canvas(0);
        break;
    case 1:
        scene_title_tunnel(scene_clock, timeline.scene_param);
        break;
    case 5:
        scene_purple_tunnel(cue_clock, timeline.scene_param);
        break;
    case 6:
        scene_credits(scene_clock, timeline.scene_param);
        break;
    case 7:
        scene_strobe(scene_clock);
        break;
    case 8:
        scene_tile_warp(now, timeline.scene_param);
        break;
    case 9:
        scene_boom(scene_clock);
        break;
    case 10:
        scene_ending(scene_clock, timeline.scene_param);
        break;
    case 11:
        scene_curtain(cue_clock, timeline.scene_selected, timeline.cue_restarted);
        break;
    case 12:
        scene_rotozoom(now, cue_clock, timeline.scene_param, timeline.cue_restarted);
        break;
    case SCENE_KEEP_FRAME:  // the previous frame, overlays included, stays
        break;
    case 15:
        scene_slides(timeline.scene_param);
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
