// The show as the frame loop plays it: start-up once, then one step per frame.
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/export_music.h"

// The state an unseeded generator starts from: every run of the show draws
// the same frames.
constexpr uint32_t SHOW_SEED = 1;

struct Show {
    // Renderings: the music pass's sync bytes, handed to the timeline by
    // video frame. Null in the live show, where the audio thread pushes them.
    const ExportPlan* plan;
    size_t next_sync;  // the first of plan's syncs not yet pushed
};

// Seeds the generator and sets the timeline to its start and the stop flag
// to 0. With a plan (a rendering) the sync queue is emptied too and the
// virtual clock starts at 0.
void show_start(Show* show, const ExportPlan* plan);

// One frame at demo time t: the frame's sync bytes (renderings), the
// timeline's frame drawn and presented and, live, the stop keys read.
// Returns false once the show should stop.
bool show_step(Show* show, int64_t frame, int32_t t);

// show_step for the frame loop; state is the Show.
bool show_frame(void* state, int64_t frame, int32_t t);
