// The music's sync bytes: the command in the high nibble, its argument in the low one; the scenes they select.
#pragma once
#include <cstdint>

enum SyncCommand : int32_t {
    SYNC_SCENE = 0x0,         // select scene x, its clock from 0
    SYNC_CUE = 0x1,           // the scene's argument x, the cue clock from 0
    SYNC_PICTURE = 0x2,       // picture overlay slot x; 0 removes it
    SYNC_PICTURE_HIGH = 0x3,  // second overlay, slot 8 + x; 0 removes it
    SYNC_TIMERS = 0x4,        // re-arm the timers whose bits are set
    SYNC_GREETS = 0x5,        // the greetings slide (GREETS_*)
    SYNC_TAG = 0x6,           // graffiti tag x - 1; 0 removes it
    SYNC_TAG_HIGH = 0x7,      // graffiti tag 15 + x
    SYNC_DISTORT = 0x8,       // distortion band x thirds wide; 0 removes it
    SYNC_LETTERBOX = 0x9,     // the letterbox bars (LETTERBOX_*)
    SYNC_FINAL = 0xF,         // the slides scene with cue x; FF ends the show
};

// The arguments of SYNC_TIMERS, one bit each.
constexpr int32_t TIMER_FLASH = 1;
constexpr int32_t TIMER_SHORT_BLUR = 2;
constexpr int32_t TIMER_LONG_BLUR = 4;
constexpr int32_t TIMER_FADE_IN = 8;

constexpr int32_t GREETS_OFF = 0;
constexpr int32_t GREETS_NEXT = 1;
constexpr int32_t GREETS_HIDE = 2;

constexpr int32_t LETTERBOX_OFF = 0;
constexpr int32_t LETTERBOX_GROW = 1;
constexpr int32_t LETTERBOX_CLOSE = 2;

// The one argument of SYNC_FINAL that is not a slide.
constexpr int32_t FINAL_END = 15;

constexpr uint8_t sync_byte(SyncCommand command, int32_t x)
{
    return static_cast<uint8_t>(command << 4 | x);
}

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

// The scenes' names in listings and the storyboard, by scene number.
constexpr const char* SCENE_NAMES[16] = {
    "shots",     "title tunnel", "diplodocus", "T-rex",   "asteroids", "purple tunnel",           "credits",   "strobe",
    "tile warp", "boom",         "ending",     "curtain", "rotozoom",  "keep the previous frame", "model row", "slides",
};
