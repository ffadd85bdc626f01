// The scenes made of pictures and texture effects: bands, tunnels, warp, rotozoom, strobe, curtain.
#pragma once
#include <cstdint>

#include "core/image.h"

// What the strobe and the curtain remember between frames.
struct PictureSceneState {
    int32_t strobe_last_ms;   // scene time of the strobe's last colour change, in its current selection
    int32_t strobe_colour;    // index of that colour in STROBE_COLOURS
    int32_t curtain_columns;  // how many curtain columns have closed (the one closing included)
};

constexpr PictureSceneState PICTURE_SCENES_START = {.strobe_last_ms = 0, .strobe_colour = 0, .curtain_columns = 0};

// Lives for the whole run and is never reset as a whole: the strobe's time
// and the curtain count restart when their scene is selected. Main thread only.
extern PictureSceneState picture_scene_state;

// How hard the show may flash. Chosen once before the show starts; main thread only.
struct FlashLimits {
    int32_t strobe_hold_ms;     // the strobe keeps a colour for more than this
    int32_t strobe_always_new;  // 1: never a colour like the last, or a slow strobe holds one twice as long
    int32_t flash_rise_ms;      // a bright flash rises over this long; 0: at once
    int32_t flash_peak;         // its strongest point, in FLASH_FULL_PEAK parts
};

constexpr int32_t FLASH_FULL_PEAK = 256;
// A new colour on every frame, up to 60 a second in a terminal.
constexpr FlashLimits FLASH_LIMITS_FULL = {
    .strobe_hold_ms = 15, .strobe_always_new = 0, .flash_rise_ms = 0, .flash_peak = FLASH_FULL_PEAK};
// At most three full-screen changes a second, for viewers sensitive to
// flashing: the strobe alone changes about twice a second, which leaves room
// for the cut into or out of it within the same second.
constexpr FlashLimits FLASH_LIMITS_GENTLE = {
    .strobe_hold_ms = 450, .strobe_always_new = 1, .flash_rise_ms = 200, .flash_peak = 128};

extern FlashLimits flash_limits;

// The strobe's colours, packed (red + green * 256 + blue * 65536).
constexpr uint32_t STROBE_COLOURS[8] = {0x7F00FF, 0xFFFF00, 0x00FFFF, 0xFF007F, 0x7FFF00, 0xFF7F00, 0x007FFF, 0x00FF7F};

// Blits band number band (rows 100 band .. 100 band + 99) of picture over the
// canvas. A band outside the picture, or an empty picture, draws nothing.
void show_band(const Image& picture, int32_t band);

// None of the band scenes clears the canvas: where a picture is transparent
// the previous frame stays. The unused arguments keep the scene table's shape.

// Band number band of the slides picture.
void scene_slides(int32_t band);
// Band number band of the credits picture (slot 2); t is not used.
void scene_credits(int32_t t, int32_t band);
// Band number band of the ending picture (slot 6); t is not used.
void scene_ending(int32_t t, int32_t band);
// The explosion (slot 4): a new band every 80 ms of scene time t, played
// once, then nothing once the bands run out.
void scene_boom(int32_t t);

// At scene time t, clears the canvas to the next random strobe colour on the
// frame of a selection (selected not 0) and whenever more than the hold of
// flash_limits has passed since the last change; otherwise draws nothing.
void scene_strobe(int32_t t, int32_t selected);

// Closes the canvas with black columns 40 pixels wide: a selection opens all
// of them again, each restarted cue starts closing the next one, top down at
// one row per millisecond of cue time t. Earlier columns stay closed.
void scene_curtain(int32_t t, int32_t selected, int32_t restarted);

// Band number band of the title (slot 1), with the tile tunnel at scene time
// t added over it, its centre off the lower right of the canvas.
void scene_title_tunnel(int32_t t, int32_t band);

// The purple tunnel at cue time t over the whole canvas, the vw0 picture over
// it (vw1 too during the first 125 ms of each cue) and band number band of
// the bubble picture on top.
void scene_purple_tunnel(int32_t t, int32_t band);

// The tile warped over the whole canvas at demo time t, so it never restarts;
// param is not used.
void scene_tile_warp(int32_t t, int32_t param);

// The spare backdrop, then two rotozoom layers turning and zooming with demo
// time t and shifted by cue time c: the spare texture, then the tile. A layer
// whose texture is empty is skipped. param and restarted are not used.
void scene_rotozoom(int32_t t, int32_t c, int32_t param, int32_t restarted);
