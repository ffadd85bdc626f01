// Rendering the show without a terminal: the same start-up, timeline and presentation on the virtual clock.
#include <cstdio>
#include <memory>

#include "core/random.h"
#include "display/console_display.h"
#include "gfx2d/canvas.h"
#include "graffiti/graffiti_intro.h"
#include "platform/child_process.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/recording.h"
#include "platform/signals.h"
#include "runtime/asset_catalog.h"
#include "runtime/cast_writer.h"
#include "runtime/export.h"
#include "runtime/export_music.h"
#include "runtime/export_pictures.h"
#include "runtime/export_progress.h"
#include "runtime/export_script.h"
#include "runtime/export_video.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "scenes/scene_prep.h"

namespace {

// The state an unseeded generator starts from, as in the live show.
constexpr uint32_t SHOW_SEED = 1;
constexpr int32_t EXIT_FAILED = 1;
constexpr int32_t EXIT_USAGE = 2;
constexpr int64_t NO_FRAME = -1;

struct PictureOutput {
    OutputFile file;
    int64_t frame;  // the video frame it shows; NO_FRAME when not asked for
    int32_t done;
};

struct ExportRun {
    const ExportRequest* request;
    int32_t fps;
    int32_t intro_ms;
    ExportPlan plan;
    int64_t frames_needed;             // show frames to render
    uint32_t record_start;             // virtual tick of the first presented frame
    std::unique_ptr<CastWriter> cast;  // 16 KB of buffer: not on the stack
    WavWriter audio;
    WavWriter video_audio;  // the video's sound, read by ffmpeg
    std::string video_audio_path;
    VideoExport video;
    PictureOutput screenshot;
    PictureOutput canvas_shot;
    OutputFile sheet_file;
    ContactSheet sheet;
    int32_t next_sheet_ms;
    RgbPicture picture;
    ExportProgress progress;
    int64_t presented;
    std::string error;  // the first failure, a whole line
};

bool opened(const OutputFile& file)
{
    return file.file != nullptr;
}

void fail(ExportRun* run, const std::string& path, const std::string& why)
{
    if (run->error.empty())
        run->error = "korvel: " + path + ": " + why;
}

// Every frame presented, the intro's included, reaches the recorders here.
void on_frame(const char* bytes, int32_t length, void* user)
{
    auto* run = static_cast<ExportRun*>(user);
    uint32_t time_ms = platform_ticks_ms() - run->record_start;
    if (run->cast != nullptr)
        cast_write_event(run->cast.get(), time_ms, bytes, length);
    if (run->request->video_path != nullptr)
        video_write_frame(&run->video, platform_recording_last_frame());
    run->presented++;
    progress_update(&run->progress, run->presented);
}

int64_t first_frame_at(int32_t ms, int32_t fps)
{
    return (static_cast<int64_t>(ms) * fps + 999) / 1000;
}

void abandon_all(ExportRun* run)
{
    if (run->cast != nullptr)
        cast_abandon(run->cast.get());
    wav_abandon(&run->audio);
    wav_abandon(&run->video_audio);
    if (!run->video_audio_path.empty())
        platform_remove_file(run->video_audio_path);
    video_abandon(&run->video);
    output_file_abandon(&run->screenshot.file);
    output_file_abandon(&run->canvas_shot.file);
    output_file_abandon(&run->sheet_file);
}

void open_picture(ExportRun* run, PictureOutput* out, const char* path, int32_t ms)
{
    out->frame = NO_FRAME;
    if (path == nullptr || !run->error.empty())
        return;
    std::string why;
    if (!output_file_open(&out->file, path, &why))
        return fail(run, path, why);
    out->frame = first_frame_at(ms, run->fps);
}

// Every output is created before any work, so a wrong path fails at once.
void open_outputs(ExportRun* run)
{
    const ExportRequest& r = *run->request;
    std::string why;
    if (r.record_path != nullptr) {
        int32_t columns = 0;
        int32_t rows = 0;
        platform_console_select(CONSOLE_BACKEND_RECORDING);
        platform_console_grid(&columns, &rows);
        run->cast = std::make_unique<CastWriter>();
        if (!cast_open(run->cast.get(), r.record_path, columns, rows, &why)) {
            run->cast.reset();
            return fail(run, r.record_path, why);
        }
    }
    if (r.audio_path != nullptr && !wav_open(&run->audio, r.audio_path, &why))
        return fail(run, r.audio_path, why);
    if (r.video_path != nullptr) {
        run->video_audio_path = std::string(r.video_path) + ".partial.wav";
        if (!wav_open(&run->video_audio, run->video_audio_path.c_str(), &why))
            return fail(run, r.video_path, why);
    }
    open_picture(run, &run->screenshot, r.screenshot_path, r.screenshot_ms);
    open_picture(run, &run->canvas_shot, r.canvas_shot_path, r.canvas_shot_ms);
    if (r.sheet_path != nullptr && run->error.empty() && !output_file_open(&run->sheet_file, r.sheet_path, &why))
        fail(run, r.sheet_path, why);
}

// The music pass fixes the show's length and writes the sound.
void plan_show(ExportRun* run, const char* music_path)
{
    WavWriter* wavs[2];
    int32_t count = 0;
    if (opened(run->audio.file))
        wavs[count++] = &run->audio;
    if (opened(run->video_audio.file))
        wavs[count++] = &run->video_audio;
    std::string why;
    if (!plan_export(music_path, run->fps, run->request->duration_ms, run->intro_ms, wavs, count, &run->plan, &why))
        return fail(run, music_path, why);
    run->frames_needed = run->plan.frames;
    bool only_shots =
        run->request->record_path == nullptr && run->request->video_path == nullptr && !opened(run->sheet_file);
    if (only_shots)
        run->frames_needed = std::max(run->screenshot.frame, run->canvas_shot.frame) + 1;
    for (const PictureOutput* shot : {&run->screenshot, &run->canvas_shot}) {
        if (shot->frame >= run->plan.frames)
            fail(run, shot->file.final_path,
                 "the show is only " + time_label(export_frame_time_ms(run->plan.frames, run->fps)) + " long");
    }
}

void finish_audio(ExportRun* run)
{
    if (!run->error.empty())
        return;
    std::string why;
    if (opened(run->audio.file) && !wav_finish(&run->audio, &why))
        fail(run, run->request->audio_path, why);
    if (opened(run->video_audio.file) && !wav_finish(&run->video_audio, &why))
        fail(run, run->request->video_path, why);
}

void start_video(ExportRun* run)
{
    if (run->request->video_path == nullptr || !run->error.empty())
        return;
    std::string why;
    if (!video_start(&run->video, run->request->video_path, DISPLAY_GRID_COLUMNS * 8, DISPLAY_GRID_ROWS * 8, run->fps,
                     run->video_audio_path, &why))
        fail(run, run->request->video_path, why);
}

void take_shot(ExportRun* run, PictureOutput* shot, int64_t k, bool canvas)
{
    if (shot->frame != k || shot->done)
        return;
    if (canvas)
        picture_from_canvas(get_canvas()->pixels, CANVAS_SHOT_SCALE, &run->picture);
    else
        picture_from_cells(platform_recording_last_frame(), &run->picture);
    std::string why;
    if (!write_png_picture(&shot->file, run->picture, &why))
        fail(run, shot->file.final_path, why);
    shot->done = 1;
}

void take_pictures(ExportRun* run, int64_t k, int32_t t)
{
    take_shot(run, &run->screenshot, k, false);
    take_shot(run, &run->canvas_shot, k, true);
    if (opened(run->sheet_file) && t >= run->next_sheet_ms) {
        picture_from_cells(platform_recording_last_frame(), &run->picture);
        sheet_add(&run->sheet, run->picture, t);
        run->next_sheet_ms += run->request->every_ms;
    }
}

// The main loop of the live show with the virtual clock for the tick counter
// and the music pass's sync bytes for the audio thread's.
void play_show(ExportRun* run, uint32_t show_start)
{
    size_t next_sync = 0;
    for (int64_t k = 0; k < run->frames_needed; k++) {
        int32_t t = export_frame_time_ms(k, run->fps);
        platform_clock_set(show_start + static_cast<uint32_t>(t));
        for (; next_sync < run->plan.syncs.size() && run->plan.syncs[next_sync].frame == k; next_sync++)
            push_sync_event(SyncEvent{run->plan.syncs[next_sync].command});
        set_effect_time(t);
        run_timeline(t);
        take_pictures(run, k, t);
        if (!run->error.empty() || stop_requested != 0)
            break;
        if (platform_stop_signalled() != 0)
            return fail(run, "interrupted", "nothing was written");
    }
}

// Start-up as the live show does it, on the recording console.
void render_show(ExportRun* run, const DemoOptions& options)
{
    random_seed(SHOW_SEED);
    timeline = TIMELINE_START;
    sync_queue_reset();
    stop_requested = 0;
    set_effect_time(0);
    platform_clock_use_virtual(0);
    platform_recording_set_sink(on_frame, run);
    platform_console_select(CONSOLE_BACKEND_RECORDING);
    if (open_demo_display() == nullptr)
        return fail(run, "canvas", "out of memory");
    progress_start(&run->progress, run->frames_needed + static_cast<int64_t>(run->intro_ms) * run->fps / 1000);
    run->record_start = platform_ticks_ms();
    if (options.drawing_path != nullptr && play_graffiti_intro(options.drawing_path, run->fps) == INTRO_LEFT)
        return fail(run, "interrupted", "nothing was written");
    load_assets();
    prepare_scenes();
    play_show(run, run->record_start + static_cast<uint32_t>(run->intro_ms));
    free_assets();
}

void finish_outputs(ExportRun* run)
{
    std::string why;
    if (run->cast != nullptr && !cast_finish(run->cast.get(), &why))
        fail(run, run->request->record_path, why);
    if (run->request->video_path != nullptr && run->error.empty()) {
        if (!video_finish(&run->video, &why))
            fail(run, run->request->video_path, why);
        platform_remove_file(run->video_audio_path);
    }
    if (opened(run->sheet_file)) {
        sheet_compose(run->sheet, &run->picture);
        if (!write_png_picture(&run->sheet_file, run->picture, &why))
            fail(run, run->request->sheet_path, why);
    }
}

int32_t print_script()
{
    std::string text;
    std::string why;
    if (!list_script(MUSIC_PATH, &text, &why)) {
        platform_console_message(std::string("korvel: ") + MUSIC_PATH + ": " + why);
        return EXIT_FAILED;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}

int32_t export_with(ExportRun* run, const DemoOptions& options)
{
    const ExportRequest& r = *run->request;
    if (r.video_path != nullptr && !platform_find_program("ffmpeg")) {
        platform_console_message("korvel: --video needs ffmpeg, which is not on PATH (Debian: apt-get install ffmpeg)");
        return EXIT_USAGE;
    }
    // The video and the pictures show the display's own 80 x 50 grid; a recording the one asked for.
    if (r.video_path != nullptr || r.screenshot_path != nullptr || r.canvas_shot_path != nullptr ||
        r.sheet_path != nullptr) {
        console_settings.grid_columns = DISPLAY_GRID_COLUMNS;
        console_settings.grid_rows = DISPLAY_GRID_ROWS;
    }
    // Ctrl-C ends the rendering cleanly: the unfinished files are removed.
    platform_signals_install();
    open_outputs(run);
    if (run->error.empty())
        plan_show(run, MUSIC_PATH);
    if (run->error.empty() && platform_stop_signalled() != 0)
        fail(run, "interrupted", "nothing was written");
    finish_audio(run);
    start_video(run);
    bool renders = r.record_path != nullptr || r.video_path != nullptr || r.screenshot_path != nullptr ||
                   r.canvas_shot_path != nullptr || r.sheet_path != nullptr;
    if (run->error.empty() && renders) {
        render_show(run, options);
        display_close();
        progress_finish(&run->progress);
    }
    if (run->error.empty())
        finish_outputs(run);
    if (run->error.empty())
        return 0;
    abandon_all(run);
    platform_console_message(run->error);
    return EXIT_FAILED;
}

}  // namespace

bool export_requested(const ExportRequest& r)
{
    return r.record_path != nullptr || r.audio_path != nullptr || r.video_path != nullptr ||
           r.screenshot_path != nullptr || r.canvas_shot_path != nullptr || r.sheet_path != nullptr || r.script != 0;
}

int32_t run_export(const DemoOptions& options, const ExportRequest& request)
{
    if (request.script)
        return print_script();
    auto run = std::make_unique<ExportRun>();
    run->request = &request;
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
