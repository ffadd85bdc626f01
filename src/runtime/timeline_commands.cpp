// The command bytes of the music: high nibble command, low nibble argument.
#include "runtime/entry.h"
#include "runtime/timeline.h"

namespace {

constexpr int32_t SLIDES_SCENE = 15;

// 4x: every set bit re-arms its timer to the full value.
void arm_timers(int32_t bits)
{
    if (bits & 1)
        timeline.white_flash_ms = FLASH_MS;
    if (bits & 2)
        timeline.short_blur_ms = SHORT_BLUR_MS;
    if (bits & 4)
        timeline.long_blur_ms = LONG_BLUR_MS;
    if (bits & 8)
        timeline.fade_in_ms = FADE_MS;
}

void apply_greets(int32_t x)
{
    if (x == 0) {
        timeline.greets_panel = -1;
        timeline.greets_slide_ms = -1;
    } else if (x == 1) {
        timeline.greets_panel += 1;
        timeline.greets_slide_ms = 0;
    } else if (x == 2) {
        timeline.greets_slide_ms = -1;
    }
}

void apply_letterbox(int32_t x)
{
    if (x == 0)
        timeline.letterbox = 0.0f;
    else if (x == 1)
        timeline.letterbox = timeline.letterbox + 1.0f;
    else if (x == 2)
        timeline.letterbox = -timeline.letterbox;
}

// Fx: the slides scene with a new cue; Ff ends the demo after this frame.
void apply_final(int32_t x, int32_t now)
{
    if (x == 15) {
        stop_requested = 1;
        return;
    }
    timeline.scene_id = SLIDES_SCENE;
    timeline.scene_param = x;
    timeline.cue_start_ms = now;
}

}  // namespace

void apply_timeline_command(uint8_t command, int32_t now)
{
    int32_t number = command >> 4;
    int32_t x = command & 15;
    switch (number) {
    case 0x0:
        timeline.scene_id = x;
        timeline.scene_start_ms = now;
        timeline.scene_selected = 1;
        break;
    case 0x1:
        timeline.scene_param = x;
        timeline.cue_start_ms = now;
        timeline.cue_restarted = 1;
        break;
    case 0x2:
        timeline.overlay_picture = x;
        break;
    case 0x3:
        timeline.overlay_picture_high = x;
        break;
    case 0x4:
        arm_timers(x);
        break;
    case 0x5:
        apply_greets(x);
        break;
    case 0x6:
    case 0x7:
        timeline.tag_overlay = (number - 6) * 16 + x;
        timeline.tag_start_ms = now;
        break;
    case 0x8:
        timeline.distort_thirds = x;
        break;
    case 0x9:
        apply_letterbox(x);
        break;
    case 0xF:
        apply_final(x, now);
        break;
    default:  // A0-EF do nothing
        break;
    }
}
