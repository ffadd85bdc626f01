// One frame of the show on the platform's own console, read back from the screen into a file.
#include "runtime/console_probe.h"

#include <cstdio>
#include <memory>
#include <string>

#include "display/console_display.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/console_probe.h"
#include "platform/data_folder.h"
#include "platform/frame_loop.h"
#include "runtime/asset_catalog.h"
#include "runtime/export.h"
#include "runtime/export_music.h"
#include "runtime/show.h"
#include "scenes/scene_prep.h"

namespace {

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

int32_t write_cells(const char* path, const ProbeCells& cells)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return 0;
    }
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
    if (!plan_export(music.c_str(), fps, probe_ms + 1000, 0, nullptr, 0, &plan, &why)) {
        return fail(music + ": " + why);
    }
    if (last >= plan.frames) {
        return fail("--console-probe: the show ends before that time");
    }
    console_settings.grid_columns = PROBE_COLUMNS;
    console_settings.grid_rows = PROBE_ROWS;
    Show show;
    show_start(&show, &plan);
    platform_console_select(platform_console_probe_backend());
    if (platform_console_mark_active(PROBE_MARK) == 0) {
        return fail("--console-probe: the console cannot be written");
    }
    if (open_demo_display() == nullptr) {
        return fail("out of memory for the canvas");
    }
    load_assets();
    prepare_scenes();
    run_clocked_frames(show_frame, &show, last + 1, fps, 0);
    auto cells = std::make_unique<ProbeCells>();
    int32_t shown = platform_console_read_shown(cells->characters, cells->attributes, PROBE_COLUMNS, PROBE_ROWS);
    free_assets();
    display_close();
    platform_clock_use_real();
    if (shown == 0) {
        return fail("--console-probe: the shown cells cannot be read back");
    }
    if (platform_console_active_has_mark(PROBE_MARK) == 0) {
        return fail("--console-probe: closing did not give back the screen active before the display opened");
    }
    if (write_cells(path, *cells) == 0) {
        return fail(std::string(path) + ": cannot be written");
    }
    return 0;
}
