// Rendering the show without a terminal: the same start-up, timeline and presentation on the virtual clock.
#include <algorithm>
#include <cstdio>

#include "core/random.h"
#include "display/cell_picture.h"
#include "display/console_display.h"
#include "gfx2d/canvas.h"
#include "graffiti/graffiti_intro.h"
#include "platform/child_process.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/data_folder.h"
#include "platform/frame_loop.h"
#include "platform/recording.h"
#include "platform/signals.h"
#include "runtime/asset_catalog.h"
#include "runtime/export_script.h"
#include "runtime/export_state.h"
#include "runtime/motion_measure.h"
#include "runtime/timeline.h"
#include "scenes/scene_prep.h"

namespace {

constexpr int32_t EXIT_FAILED = 1;
constexpr int32_t EXIT_USAGE = 2;

// Every frame presented, the intro's included, reaches the recorders here.
void on_frame(const char* bytes, int32_t length, void* user)
{
    auto* run = static_cast<ExportRun*>(user);
    uint32_t time_ms = platform_ticks_ms() - run->record_start;
    if (run->cast != nullptr) {
        cast_write_event(run->cast.get(), time_ms, bytes, length);
    }
    if (run->request->video_path != nullptr) {
        video_write_frame(&run->video, platform_recording_last_frame());
    }
    run->presented++;
    progress_update(&run->progress, run->presented);
}

// Refused before the rendering rather than found out of memory after it.
void check_sheet_size(ExportRun* run)
{
    if (!opened(run->sheet_file) || run->frames_needed <= 0 || !run->error.empty()) {
        return;
    }
    int64_t last_ms = export_frame_time_ms(run->frames_needed - 1, run->fps);
    int64_t tiles = std::min<int64_t>(run->frames_needed, last_ms / run->request->every_ms + 1);
    int64_t width = 0;
    int64_t height = 0;
    sheet_size(tiles, DISPLAY_GRID_COLUMNS * CELL_PICTURE_CELL / 2, DISPLAY_GRID_ROWS * CELL_PICTURE_CELL / 2, &width,
               &height);
    if (width * height <= SHEET_PIXEL_LIMIT) {
        return;
    }
    export_fail(run, run->request->sheet_path,
                "a contact sheet of " + std::to_string(tiles) + " pictures would be " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels, more than " + std::to_string(SHEET_PIXEL_LIMIT / 1000000) +
                    " megapixels; ask for a longer --every or a shorter --duration");
    run->refused = 1;
}

// The music pass fixes the show's length and writes the sound.
void plan_show(ExportRun* run, const char* music_path)
{
    WavWriter* wavs[2];
    int32_t count = 0;
    if (opened(run->audio.file)) {
        wavs[count++] = &run->audio;
    }
    if (opened(run->video_audio.file)) {
        wavs[count++] = &run->video_audio;
    }
    std::string why;
    if (!plan_export(music_path, run->fps, run->request->duration_ms, run->intro_ms, wavs, count, &run->plan, &why)) {
        return export_fail(run, music_path, why);
    }
    run->frames_needed = run->plan.frames;
    bool only_shots = run->request->record_path == nullptr && run->request->video_path == nullptr &&
                      !opened(run->sheet_file) && run->request->motion == 0;
    if (only_shots) {
        run->frames_needed = std::max(run->screenshot.frame, run->canvas_shot.frame) + 1;
    }
    check_sheet_size(run);
    for (const PictureOutput* shot : {&run->screenshot, &run->canvas_shot}) {
        if (shot->frame >= run->plan.frames) {
            export_fail(run, shot->file.final_path,
                        "the show is only " + time_label(export_frame_time_ms(run->plan.frames, run->fps)) + " long");
        }
    }
}

// The live show's step on the virtual clock, the pictures due taken after it.
bool render_step(void* state, int64_t k, int32_t t)
{
    auto* run = static_cast<ExportRun*>(state);
    bool go_on = show_step(&run->show, k, t);
    if (run->request->motion != 0) {
        motion_take(&run->motion, *get_canvas(), t, timeline.scene_id);
    }
    take_pictures(run, k, t);
    if (!run->error.empty() || !go_on) {
        return false;
    }
    if (platform_stop_signalled() == 0) {
        return true;
    }
    export_fail(run, "interrupted", "nothing was written");
    return false;
}

// Start-up as the live show does it, on the recording console.
void render_show(ExportRun* run, const DemoOptions& options)
{
    show_start(&run->show, &run->plan);
    platform_recording_set_sink(on_frame, run);
    platform_console_select(CONSOLE_BACKEND_RECORDING);
    if (open_demo_display() == nullptr) {
        return export_fail(run, "canvas", "out of memory");
    }
    progress_start(&run->progress, run->frames_needed + static_cast<int64_t>(run->intro_ms) * run->fps / 1000);
    run->record_start = platform_ticks_ms();
    if (options.drawing_path != nullptr && play_graffiti_intro(options.drawing_path, run->fps) == INTRO_LEFT) {
        return export_fail(run, "interrupted", "nothing was written");
    }
    load_assets();
    prepare_scenes();
    run_clocked_frames(render_step, run, run->frames_needed, run->fps,
                       run->record_start + static_cast<uint32_t>(run->intro_ms));
    free_assets();
}

int32_t print_script()
{
    std::string text;
    std::string why;
    std::string music = data_file_path(MUSIC_PATH);
    if (!list_script(music.c_str(), &text, &why)) {
        platform_console_message("korvel: " + music + ": " + why);
        return EXIT_FAILED;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}

// The stretches on standard output; 1 when one is over its limit, or when a
// gentle show flashes more often than gentle viewing allows.
int32_t report_motion(ExportRun* run, const DemoOptions& options)
{
    motion_finish(&run->motion, export_frame_time_ms(run->motion.frames, run->fps));
    int32_t over = 0;
    std::fputs(motion_report(run->motion, &over).c_str(), stdout);
    int32_t at_ms = 0;
    bool too_many = options.gentle != 0 && motion_most_flashes(run->motion, &at_ms) > GENTLE_FLASHES_PER_SECOND;
    if (over > 0 || too_many) {
        platform_console_message(too_many ? "korvel: more flashes a second than gentle viewing allows"
                                          : "korvel: the show stands still or flat for too long");
        return EXIT_FAILED;
    }
    return 0;
}

int32_t export_with(ExportRun* run, const DemoOptions& options)
{
    const ExportRequest& r = *run->request;
    if (r.video_path != nullptr && !platform_find_program("ffmpeg")) {
        platform_console_message("korvel: --video needs " + platform_program_missing("ffmpeg"));
        return EXIT_USAGE;
    }
    // The video and the pictures show the display's own 80 x 50 grid, or in
    // the block look the canvas pixel for pixel; a recording the grid asked for.
    if (r.video_path != nullptr || r.screenshot_path != nullptr || r.canvas_shot_path != nullptr ||
        r.sheet_path != nullptr) {
        bool blocks = console_settings.look == CONSOLE_LOOK_BLOCKS &&
                      platform_recording_block_colours(console_settings.colours) != BLOCK_COLOURS_NONE;
        console_settings.grid_columns = blocks ? RECORDING_COLUMNS : DISPLAY_GRID_COLUMNS;
        console_settings.grid_rows = blocks ? RECORDING_ROWS : DISPLAY_GRID_ROWS;
    }
    // Ctrl-C ends the rendering cleanly: the unfinished files are removed.
    platform_signals_install();
    open_outputs(run);
    if (run->error.empty()) {
        plan_show(run, data_file_path(MUSIC_PATH).c_str());
    }
    if (run->error.empty() && platform_stop_signalled() != 0) {
        export_fail(run, "interrupted", "nothing was written");
    }
    finish_audio(run);
    start_video(run);
    bool renders = r.record_path != nullptr || r.video_path != nullptr || r.screenshot_path != nullptr ||
                   r.canvas_shot_path != nullptr || r.sheet_path != nullptr || r.motion != 0;
    if (r.motion != 0) {
        motion_start(&run->motion);
    }
    if (run->error.empty() && renders) {
        render_show(run, options);
        display_close();
        progress_finish(&run->progress);
    }
    if (run->error.empty()) {
        finish_outputs(run);
    }
    if (run->error.empty()) {
        return r.motion != 0 ? report_motion(run, options) : 0;
    }
    abandon_all(run);
    platform_console_message(run->error);
    return run->refused ? EXIT_USAGE : EXIT_FAILED;
}

}  // namespace

bool export_requested(const ExportRequest& r)
{
    return r.record_path != nullptr || r.audio_path != nullptr || r.video_path != nullptr ||
           r.screenshot_path != nullptr || r.canvas_shot_path != nullptr || r.sheet_path != nullptr || r.script != 0 ||
           r.motion != 0;
}

int32_t run_export(const DemoOptions& options, const ExportRequest& request)
{
    if (request.script) {
        return print_script();
    }
    auto run = std::make_unique<ExportRun>();
    run->request = &request;
    run->drawing_path = options.drawing_path;
    run->fps = options.fps > 0 ? options.fps : DEFAULT_EXPORT_FPS;
    run->intro_ms = options.drawing_path != nullptr ? static_cast<int32_t>(INTRO_LENGTH_MS) : 0;
    run->next_sheet_ms = 0;
    ConsoleSettings saved = console_settings;
    int32_t status = export_with(run.get(), options);
    // Tests render again in the same process: leave things as they were.
    console_settings = saved;
    platform_recording_set_sink(nullptr, nullptr);
    platform_clock_use_real();
    return status;
}
