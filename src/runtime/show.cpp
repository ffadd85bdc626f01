// The show's start-up and its step per frame, shared by the terminal, the renderings and the console probe.
#include "runtime/show.h"

#include "core/random.h"
#include "platform/clock.h"
#include "platform/frame_loop.h"
#include "runtime/entry.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"

void show_start(Show* show, const ExportPlan* plan)
{
    show->plan = plan;
    show->next_sync = 0;
    random_seed(SHOW_SEED);
    timeline = TIMELINE_START;
    stop_requested = 0;
    if (plan == nullptr) {
        return;
    }
    sync_queue_reset();
    platform_clock_use_virtual(0);
}

bool show_step(Show* show, int64_t frame, int32_t t)
{
    const ExportPlan* plan = show->plan;
    for (; plan != nullptr && show->next_sync < plan->syncs.size() && plan->syncs[show->next_sync].frame == frame;
         show->next_sync++) {
        push_sync_event(SyncEvent{plan->syncs[show->next_sync].command});
    }
    run_timeline(t);
    if (plan == nullptr && poll_stop_keys()) {
        stop_requested = 1;
    }
    return stop_requested == 0;
}

bool show_frame(void* state, int64_t frame, int32_t t)
{
    return show_step(static_cast<Show*>(state), frame, t);
}
