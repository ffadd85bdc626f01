// One frame of the show on the platform's own console, read back from the screen into a file.
#include "runtime/console_probe.h"

#include <cstdio>
#include <memory>
#include <string>

#include "core/random.h"
#include "display/console_display.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/console_probe.h"
#include "platform/data_folder.h"
#include "runtime/asset_catalog.h"
#include "runtime/export.h"
#include "runtime/export_music.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "scenes/scene_prep.h"

namespace {

// The state an unseeded generator starts from, as in the live show.
constexpr uint32_t SHOW_SEED = 1;
constexpr const char* PROBE_MARK = "korvel console probe: the screen found at start";
constexpr int32_t PROBE_COLUMNS = DISPLAY_GRID_COLUMNS;
constexpr int32_t PROBE_ROWS = DISPLAY_GRID_ROWS;
constexpr int32_t PROBE_CELLS = PROBE_COLUMNS * PROBE_ROWS;

struct ProbeCells {
    uint8_t characters[PROBE_CELLS];
    uint8_t attributes[PROBE_CELLS];
};

int32_t fail(const std::string& what)
{
    platform_console_message("korvel: " + what);
    return 1;
}

// Frames 0 to last of the show, each with the sync bytes of its video frame.
void play_frames(const ExportPlan& plan, int64_t last)
{
    size_t next_sync = 0;
    for (int64_t k = 0; k <= last && stop_requested == 0; k++) {
        int32_t t = export_frame_time_ms(k, plan.fps);
        platform_clock_set(static_cast<uint32_t>(t));
        for (; next_sync < plan.syncs.size() && plan.syncs[next_sync].frame == k; next_sync++)
            push_sync_event(SyncEvent{plan.syncs[next_sync].command});
        set_effect_time(t);
        run_timeline(t);
    }
}

int32_t write_cells(const char* path, const ProbeCells& cells)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return 0;
    std::fprintf(file, "%s %d %d\n", PROBE_FILE_HEADER, PROBE_COLUMNS, PROBE_ROWS);
    size_t written = std::fwrite(cells.characters, 1, PROBE_CELLS, file);
    written += std::fwrite(cells.attributes, 1, PROBE_CELLS, file);
    return std::fclose(file) == 0 && written == 2 * PROBE_CELLS ? 1 : 0;
}

}  // namespace

int32_t run_console_probe(const DemoOptions& options, int32_t probe_ms, const char* path)
{
    int32_t fps = options.fps > 0 ? options.fps : DEFAULT_EXPORT_FPS;
    int64_t last = static_cast<int64_t>(probe_ms) * fps / 1000;
    ExportPlan plan;
    std::string why;
    std::string music = data_file_path(MUSIC_PATH);
    if (!plan_export(music.c_str(), fps, probe_ms + 1000, 0, nullptr, 0, &plan, &why))
        return fail(music + ": " + why);
    if (last >= plan.frames)
        return fail("--console-probe: the show ends before that time");
    console_settings.grid_columns = PROBE_COLUMNS;
    console_settings.grid_rows = PROBE_ROWS;
    random_seed(SHOW_SEED);
    timeline = TIMELINE_START;
    sync_queue_reset();
    stop_requested = 0;
    set_effect_time(0);
    platform_clock_use_virtual(0);
    platform_console_select(platform_console_probe_backend());
    if (platform_console_mark_active(PROBE_MARK) == 0)
        return fail("--console-probe: the console cannot be written");
    if (open_demo_display() == nullptr)
        return fail("out of memory for the canvas");
    load_assets();
    prepare_scenes();
    play_frames(plan, last);
    auto cells = std::make_unique<ProbeCells>();
    int32_t shown = platform_console_read_shown(cells->characters, cells->attributes, PROBE_COLUMNS, PROBE_ROWS);
    free_assets();
    display_close();
    platform_clock_use_real();
    if (shown == 0)
        return fail("--console-probe: the shown cells cannot be read back");
    if (platform_console_active_has_mark(PROBE_MARK) == 0)
        return fail("--console-probe: closing did not give back the screen active before the display opened");
    if (write_cells(path, *cells) == 0)
        return fail(std::string(path) + ": cannot be written");
    return 0;
}
