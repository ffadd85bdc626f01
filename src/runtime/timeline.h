// The timeline: the music's sync bytes select scenes and drive the overlays.
#pragma once
#include <cstdint>

struct TimelineState {
    int32_t scene_id = -1;             // scene drawn each frame; -1 draws black
    int32_t scene_start_ms = 0;        // demo time of the last scene selection (0x)
    int32_t cue_start_ms = 0;          // demo time of the last cue (1x, Fx)
    int32_t scene_param = 0;           // argument of the last cue, 0-15
    int32_t overlay_picture = 0;       // picture slot laid over every frame; 0 = none
    int32_t overlay_picture_high = 0;  // second overlay, slot 8 + value; 0 = none
    int32_t tag_overlay = 0;           // graffiti tag number + 1; 0 = none
    int32_t tag_start_ms = 0;          // demo time at which the tag was selected
    int32_t white_flash_ms = 0;        // remaining time of the bright flash
    int32_t short_blur_ms = 0;         // remaining time of the short blur
    int32_t long_blur_ms = 0;          // remaining time of the long blur
    int32_t fade_in_ms = 0;            // remaining time of the fade from black
    int32_t greets_panel = -1;         // 100-row panel of the greetings picture
    int32_t greets_slide_ms = 0;       // time since the greetings slide started; -1 = off
    int32_t distort_thirds = 0;        // distortion band width in thirds; 0 = off
    float letterbox = 0.0f;            // bar size; negative = bars closing
    int32_t last_frame_ms = 0;         // demo time of the previous frame
    // Per-frame flags, cleared at the start of every frame.
    int32_t scene_selected = 0;  // a 0x command arrived this frame
    int32_t cue_restarted = 0;   // a 1x command arrived this frame
};

// The full length of each timer that a 4x command arms; the overlays scale
// their strength by what is left of it.
constexpr int32_t FLASH_MS = 500;
constexpr int32_t SHORT_BLUR_MS = 500;
constexpr int32_t LONG_BLUR_MS = 2000;
constexpr int32_t FADE_MS = 1000;

// Black, no overlay, no timer running. The slide clock starts at 0, not
// off: panel -1 places the greetings picture below the canvas, so nothing
// shows until a 5x command picks a panel.
constexpr TimelineState TIMELINE_START = {};

// The whole run's timeline; main thread only, never reset.
extern TimelineState timeline;

// Applies one command byte at demo time now (high nibble command, low nibble argument).
void apply_timeline_command(uint8_t command, int32_t now);

// Draws the scene selected by the timeline with its clock.
void draw_timeline_scene(int32_t now);

// Draws graffiti tag number tag with its clock (the tag overlay).
void draw_timeline_tag(int32_t tag, int32_t clock_ms);

// Lays the overlays in their fixed order; dt is the frame delta.
void lay_timeline_overlays(int32_t now, int32_t dt);

// One frame: drain the sync queue, draw the scene, lay the overlays, present.
void run_timeline(int32_t now);
