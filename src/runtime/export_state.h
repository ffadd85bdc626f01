// The state of one rendering, shared by its loop and its outputs.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/output_file.h"
#include "runtime/cast_writer.h"
#include "runtime/export.h"
#include "runtime/export_music.h"
#include "runtime/export_pictures.h"
#include "runtime/export_progress.h"
#include "runtime/export_video.h"
#include "runtime/motion_measure.h"
#include "runtime/show.h"
#include "runtime/wav_writer.h"

constexpr int64_t NO_FRAME = -1;

struct PictureOutput {
    OutputFile file;
    int64_t frame;  // the video frame it shows; NO_FRAME when not asked for
    int32_t done;
};

// One rendering, from the options to the last file; lives for run_export's call.
struct ExportRun {
    const ExportRequest* request;
    const char* drawing_path;  // the intro's drawing, an input like the data files; null when none
    int32_t fps;
    int32_t intro_ms;
    ExportPlan plan;
    Show show;
    int64_t frames_needed;             // show frames to render
    uint32_t record_start;             // virtual tick of the first presented frame
    std::unique_ptr<CastWriter> cast;  // 16 KB of buffer: not on the stack
    WavWriter audio;
    WavWriter video_audio;  // the video's sound, read by ffmpeg
    VideoExport video;
    PictureOutput screenshot;
    PictureOutput canvas_shot;
    OutputFile sheet_file;
    ContactSheet sheet;
    int32_t next_sheet_ms;
    RgbPicture picture;
    MotionMeasure motion;  // --motion
    ExportProgress progress;
    int64_t presented;
    std::string error;  // the first failure, a whole line
    int32_t refused;    // 1 when the error is a request refused before any work (exit status 2)
};

bool opened(const OutputFile& file);

// Keeps the first failure as the line to show: "korvel: PATH: why".
void export_fail(ExportRun* run, const std::string& path, const std::string& why);

// The first video frame at or after ms.
int64_t first_frame_at(int32_t ms, int32_t fps);

// Creates every output asked for before any work, so a wrong path fails at
// once; an output that names one of the show's input files is refused.
void open_outputs(ExportRun* run);

// Moves the finished WAV files into place (the video's for ffmpeg to read).
void finish_audio(ExportRun* run);

// Starts the video encoder on the finished audio.
void start_video(ExportRun* run);

// The screenshots and contact-sheet tiles due at video frame k (demo time t).
void take_pictures(ExportRun* run, int64_t k, int32_t t);

// Moves the recording, the video and the contact sheet into place.
void finish_outputs(ExportRun* run);

// Removes every unfinished output.
void abandon_all(ExportRun* run);
