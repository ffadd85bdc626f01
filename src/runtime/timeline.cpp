// One frame of the timeline: commands, scene, overlays, presentation.
#include "runtime/timeline.h"

#include "display/present.h"
#include "gfx2d/canvas.h"
#include "runtime/music.h"

TimelineState timeline = TIMELINE_START;

void run_timeline(int32_t now)
{
    timeline.scene_selected = 0;
    timeline.cue_restarted = 0;
    SyncEvent event;
    while (pop_sync_event(&event)) {
        apply_timeline_command(event.command, now);
    }
    draw_timeline_scene(now);
    // The first frame's delta is its demo time itself.
    int32_t dt = now - timeline.last_frame_ms;
    timeline.last_frame_ms = now;
    lay_timeline_overlays(now, dt);
    display_present(get_canvas()->pixels);
}
