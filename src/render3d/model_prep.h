// Start-up edits of loaded models: scaling, smooth normals, welding seams, inflating shells.
#pragma once
#include "render3d/model.h"

// Each of these works on the stored frames 0 .. frame_count - 1 (not the
// scratch frame) and never mixes vertices of different frames.

// Every position times factor (as 20.12).
void scale_model(Model* model, float factor);

// Normals as the normalised sum of the unnormalised cross products of the
// faces around each vertex (larger faces weigh more); a vertex on no face,
// or only on degenerate faces, keeps (0, 0, 0).
void compute_vertex_normals(Model* model);

// For every ordered pair (i, j), i != j, of one frame closer than distance:
// normal i = normalise(normal i + normal j), then normal j = normal i. The
// visiting order decides the result for three or more close vertices. The
// limit is distance squared as 20.12 truncated, so distances below 1/64 weld
// nothing, not even coincident vertices. Squared distances are formed in 64
// bits, so far-apart vertices never wrap round into the limit.
void weld_vertex_normals(Model* model, float distance);

// Every position moved along its normal by distance; normals stay.
void inflate_model(Model* model, float distance);
