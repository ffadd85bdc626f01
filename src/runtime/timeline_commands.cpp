// The command bytes of the music: high nibble command, low nibble argument.
#include "core/sync_commands.h"
#include "runtime/entry.h"
#include "runtime/timeline.h"

namespace {

// 4x: every set bit re-arms its timer to the full value.
void arm_timers(int32_t bits)
{
    if (bits & TIMER_FLASH) {
        timeline.white_flash_ms = FLASH_MS;
    }
    if (bits & TIMER_SHORT_BLUR) {
        timeline.short_blur_ms = SHORT_BLUR_MS;
    }
    if (bits & TIMER_LONG_BLUR) {
        timeline.long_blur_ms = LONG_BLUR_MS;
    }
    if (bits & TIMER_FADE_IN) {
        timeline.fade_in_ms = FADE_MS;
    }
}

void apply_greets(int32_t x)
{
    if (x == GREETS_OFF) {
        timeline.greets_panel = -1;
        timeline.greets_slide_ms = -1;
    } else if (x == GREETS_NEXT) {
        timeline.greets_panel += 1;
        timeline.greets_slide_ms = 0;
    } else if (x == GREETS_HIDE) {
        timeline.greets_slide_ms = -1;
    }
}

void apply_letterbox(int32_t x)
{
    if (x == LETTERBOX_OFF) {
        timeline.letterbox = 0.0f;
    } else if (x == LETTERBOX_GROW) {
        timeline.letterbox = timeline.letterbox + 1.0f;
    } else if (x == LETTERBOX_CLOSE) {
        timeline.letterbox = -timeline.letterbox;
    }
}

// Fx: the slides scene with a new cue; Ff ends the demo after this frame.
void apply_final(int32_t x, int32_t now)
{
    if (x == FINAL_END) {
        stop_requested = 1;
        return;
    }
    timeline.scene_id = SCENE_SLIDES;
    timeline.scene_param = x;
    timeline.cue_start_ms = now;
}

}  // namespace

void apply_timeline_command(uint8_t command, int32_t now)
{
    int32_t number = command >> 4;
    int32_t x = command & 15;
    switch (number) {
    case SYNC_SCENE:
        timeline.scene_id = x;
        timeline.scene_start_ms = now;
        timeline.scene_selected = 1;
        break;
    case SYNC_CUE:
        timeline.scene_param = x;
        timeline.cue_start_ms = now;
        timeline.cue_restarted = 1;
        break;
    case SYNC_PICTURE:
        timeline.overlay_picture = x;
        break;
    case SYNC_PICTURE_HIGH:
        timeline.overlay_picture_high = x;
        break;
    case SYNC_TIMERS:
        arm_timers(x);
        break;
    case SYNC_GREETS:
        apply_greets(x);
        break;
    case SYNC_TAG:
    case SYNC_TAG_HIGH:
        timeline.tag_overlay = (number - SYNC_TAG) * 16 + x;
        timeline.tag_start_ms = now;
        break;
    case SYNC_DISTORT:
        timeline.distort_thirds = x;
        break;
    case SYNC_LETTERBOX:
        apply_letterbox(x);
        break;
    case SYNC_FINAL:
        apply_final(x, now);
        break;
    default:  // A0-EF do nothing
        break;
    }
}
