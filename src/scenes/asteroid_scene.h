// The asteroid field: tumbling rocks in streaming particle clouds before a scrolling promo band.
#pragma once
#include <cstdint>

#include "render3d/model.h"

constexpr int32_t CLOUD_MAX_PARTICLES = 512;

// The scene's state. promo_panel (which 100-row band of picture slot 3
// shows) lives for the whole run and changes only on a restarted cue with
// the control counts 0 and 15. The cloud is one record reused for every rock
// of every frame: its vertices are rebuilt each time, from storage held
// here (one frame plus the scratch frame), so nothing is allocated per
// frame. Main thread only.
struct AsteroidScene {
    int32_t promo_panel;
    Model cloud;
    ModelVertex cloud_vertices[2 * CLOUD_MAX_PARTICLES];
};

extern AsteroidScene asteroid_scene;

// Band 0 again, as at the start of the run.
void reset_asteroid_scene();

// Scene 4. t is the scene clock, count the cue argument: 1-14 rocks (only
// the first five have places, so more draw five), 0 steps the promo band on
// and 15 returns it to band 0 on a restarted cue, without drawing anything.
// The camera follows the band: each band looks at the field from its own angle.
// Reseeds the program-wide generator with 0 every drawn frame.
void scene_asteroids(int32_t t, int32_t count, int32_t restarted);

// Rebuilds the cloud of rock number rock at clock tf (ms as a float):
// 512 / (rock^2 + 1) particles, drawing one number per particle from the
// program-wide generator. Returns the particle count.
int32_t fill_particle_cloud(int32_t rock, float tf);
