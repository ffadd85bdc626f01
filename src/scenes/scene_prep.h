// The start-up preparation of the loaded models for the scenes.
#pragma once

// Scales the diplodocus to a quarter, computes and welds the normals of the
// shells and light maps, inflates the shells by 8 model units, and computes
// the blz model's normals. Runs once, after load_assets: a second run would
// scale and inflate again.
void prepare_scenes();
