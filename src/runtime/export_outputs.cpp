// The outputs of a rendering: created before any work, finished into place, or removed.
#include "display/cell_picture.h"
#include "display/console_display.h"
#include "gfx2d/canvas.h"
#include "platform/data_folder.h"
#include "platform/recording.h"
#include "platform/signals.h"
#include "runtime/asset_catalog.h"
#include "runtime/export_state.h"

namespace {

// The input of the show that path names (after links), or an empty string.
std::string input_named_by(const char* path, const char* drawing_path)
{
    std::vector<std::string> inputs = {data_file_path(MUSIC_PATH)};
    if (drawing_path != nullptr) {
        inputs.push_back(drawing_path);
    }
    for (int32_t i = 0; i < asset_catalog_length && asset_catalog[i].path != nullptr; i++) {
        std::string row = data_row_path(asset_catalog[i].path);
        size_t bar = row.find('|');
        inputs.push_back(row.substr(0, bar));
        if (bar != std::string::npos) {
            inputs.push_back(row.substr(bar + 1));
        }
    }
    for (const std::string& input : inputs) {
        if (platform_same_file(path, input.c_str())) {
            return input;
        }
    }
    return std::string();
}

// Writing over an input would ruin every later run: refused before anything is written.
void refuse_inputs(ExportRun* run)
{
    const ExportRequest& r = *run->request;
    for (const char* path :
         {r.record_path, r.audio_path, r.video_path, r.screenshot_path, r.canvas_shot_path, r.sheet_path}) {
        if (path == nullptr || !run->error.empty()) {
            continue;
        }
        std::string input = input_named_by(path, run->drawing_path);
        if (input.empty()) {
            continue;
        }
        export_fail(run, path, "is an input of the show (" + input + "); nothing was written");
        run->refused = 1;
    }
}

void open_picture(ExportRun* run, PictureOutput* out, const char* path, int32_t ms)
{
    out->frame = NO_FRAME;
    if (path == nullptr || !run->error.empty()) {
        return;
    }
    std::string why;
    if (!output_file_open(&out->file, path, &why)) {
        return export_fail(run, path, why);
    }
    out->frame = first_frame_at(ms, run->fps);
}

void take_shot(ExportRun* run, PictureOutput* shot, int64_t k, bool canvas)
{
    if (shot->frame != k || shot->done) {
        return;
    }
    if (canvas) {
        picture_from_canvas(get_canvas()->pixels, CANVAS_SHOT_SCALE, &run->picture);
    } else {
        picture_from_cells(platform_recording_last_frame(), &run->picture);
    }
    std::string why;
    if (!write_png_picture(&shot->file, run->picture, &why)) {
        export_fail(run, shot->file.final_path, why);
    }
    shot->done = 1;
}

}  // namespace

bool opened(const OutputFile& file)
{
    return file.file != nullptr;
}

void export_fail(ExportRun* run, const std::string& path, const std::string& why)
{
    if (run->error.empty()) {
        run->error = "korvel: " + path + ": " + why;
    }
}

int64_t first_frame_at(int32_t ms, int32_t fps)
{
    return (static_cast<int64_t>(ms) * fps + 999) / 1000;
}

void open_outputs(ExportRun* run)
{
    const ExportRequest& r = *run->request;
    std::string why;
    refuse_inputs(run);
    if (!run->error.empty()) {
        return;
    }
    if (r.record_path != nullptr) {
        int32_t columns = 0;
        int32_t rows = 0;
        platform_console_select(CONSOLE_BACKEND_RECORDING);
        platform_console_grid(&columns, &rows);
        run->cast = std::make_unique<CastWriter>();
        if (!cast_open(run->cast.get(), r.record_path, columns, rows, &why)) {
            run->cast.reset();
            return export_fail(run, r.record_path, why);
        }
    }
    if (r.audio_path != nullptr && !wav_open(&run->audio, r.audio_path, &why)) {
        return export_fail(run, r.audio_path, why);
    }
    if (r.video_path != nullptr) {
        // Beside the video, or in the temporary folder when the video goes to a device.
        const OutputFile& video = run->video.file;
        if (!video_open(&run->video, r.video_path, &why) ||
            !wav_open_scratch(&run->video_audio, video.kind == OUTPUT_DIRECT ? nullptr : video.final_path.c_str(),
                              &why)) {
            return export_fail(run, r.video_path, why);
        }
    }
    open_picture(run, &run->screenshot, r.screenshot_path, r.screenshot_ms);
    open_picture(run, &run->canvas_shot, r.canvas_shot_path, r.canvas_shot_ms);
    if (r.sheet_path != nullptr && run->error.empty() && !output_file_open(&run->sheet_file, r.sheet_path, &why)) {
        export_fail(run, r.sheet_path, why);
    }
}

void finish_audio(ExportRun* run)
{
    if (!run->error.empty()) {
        return;
    }
    std::string why;
    if (opened(run->audio.file) && !wav_finish(&run->audio, &why)) {
        export_fail(run, run->request->audio_path, why);
    }
    if (opened(run->video_audio.file) && !wav_finish(&run->video_audio, &why)) {
        export_fail(run, run->request->video_path, why);
    }
}

void start_video(ExportRun* run)
{
    if (run->request->video_path == nullptr || !run->error.empty()) {
        return;
    }
    std::string why;
    if (!video_start(&run->video, DISPLAY_GRID_COLUMNS * CELL_PICTURE_CELL, DISPLAY_GRID_ROWS * CELL_PICTURE_CELL,
                     run->fps, run->video_audio.file.temp_path, &why)) {
        export_fail(run, run->request->video_path, why);
    }
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

void finish_outputs(ExportRun* run)
{
    std::string why;
    if (run->cast != nullptr && !cast_finish(run->cast.get(), &why)) {
        export_fail(run, run->request->record_path, why);
    }
    if (run->request->video_path != nullptr && run->error.empty()) {
        if (!video_finish(&run->video, &why)) {
            export_fail(run, run->request->video_path, why);
        }
        wav_abandon(&run->video_audio);
    }
    // Composing and encoding a large sheet takes seconds: a stop asked for meanwhile is honoured.
    if (opened(run->sheet_file) && platform_stop_signalled() != 0) {
        export_fail(run, "interrupted", "nothing was written");
    }
    if (opened(run->sheet_file) && run->error.empty()) {
        sheet_compose(run->sheet, &run->picture);
        if (!write_png_picture(&run->sheet_file, run->picture, &why)) {
            export_fail(run, run->request->sheet_path, why);
        }
    }
}

void abandon_all(ExportRun* run)
{
    if (run->cast != nullptr) {
        cast_abandon(run->cast.get());
    }
    wav_abandon(&run->audio);
    wav_abandon(&run->video_audio);
    video_abandon(&run->video);
    output_file_abandon(&run->screenshot.file);
    output_file_abandon(&run->canvas_shot.file);
    output_file_abandon(&run->sheet_file);
}
