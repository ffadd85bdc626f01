// Per-frame vertex edits: blending animation frames and lighting by environment mapping.
#pragma once
#include "render3d/model.h"

// Fills the scratch frame (index frame_count) with frame trunc(t) blended
// towards the next one (the last frame blends into frame 0) by the fraction
// of t, and makes it the current frame. Normals are blended, not
// renormalised. A t outside 0 .. frame_count (or not a number) is wrapped
// into it first, so an animation clock may run on; a model without frames
// is left alone. frame_time keeps t as given.
void blend_model_frames(Model* model, float t);

// Texture coordinates of the current frame from the camera-space normals:
// u = 32768 * (0.5 + 0.5 vnx), v = 32768 * (0.5 - 0.5 vny), so a normal
// facing the viewer samples the texture's centre. Run after transform_model.
void apply_environment_map(Model* model);
