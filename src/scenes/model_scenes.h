// The model scenes: the blz shots, the diplodocus, the t-rex and the row of models.
#pragma once
#include <cstdint>

// The grounds the two dinosaur scenes stand on (packed canvas colours). Each
// is picked anew on a frame whose cue restarted while its scene is drawn and
// is kept across frames and scene changes otherwise. Both start black and
// live for the whole run. Main thread only.
struct ModelSceneState {
    uint32_t diplodocus_ground;
    uint32_t trex_ground;
};

extern ModelSceneState model_scene_state;

// Where a copy of a model stands in its scene: position and yaw (radians).
struct ModelPlace {
    float x, y, z, yaw;
};

// Diplodocus presets up to this one show one walking animal, the others the herd.
constexpr int32_t DIPLODOCUS_LAST_SINGLE = 3;
constexpr int32_t HERD_SIZE = 3;
constexpr int32_t ROW_SIZE = 5;
// The herd's animals, and the row's copies along z, in drawing order.
extern const ModelPlace DIPLODOCUS_HERD[HERD_SIZE];
extern const float ROW_PLACES[ROW_SIZE];

// Both grounds black again, as at the start of the run.
void reset_model_scenes();

// Scene 0: the blz model on white (black for preset 3) from one of four
// camera set-ups, depth-shaded, brightening over its first seconds. t is the
// scene clock in ms; presets 4-15 keep the camera the previous frame set.
void scene_blz_shots(int32_t t, int32_t preset);

// Scene 2: one walking diplodocus (presets 0-3) or a herd of three (4-15),
// outlined and light-mapped. t is the scene clock; restarted is the timeline's
// cue_restarted flag and picks a new ground.
void scene_diplodocus(int32_t t, int32_t preset, int32_t restarted);

// Scene 3: the t-rex, each preset playing its own two-frame stretch of the
// animation. t is the cue clock; restarted picks a new ground.
void scene_trex(int32_t t, int32_t preset, int32_t restarted);

// Scene 14: five copies of row_model turning together on an orange ground.
// t is the demo time.
void scene_model_row(int32_t t);
