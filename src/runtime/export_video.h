// The video: cell-grid pictures piped to ffmpeg with the show's audio, encoded as H.264 and AAC in MP4.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "platform/output_file.h"
#include "runtime/export_pictures.h"

// Each frame is the 80 x 50 grid drawn with 8 x 8 glyphs (640 x 400),
// scaled to this size by whole pixels.
constexpr int32_t VIDEO_WIDTH = 1280;
constexpr int32_t VIDEO_HEIGHT = 800;

struct VideoExport {
    ChildProcess encoder;
    OutputFile file;     // ffmpeg writes under its write path until the commit
    int64_t frames;      // frames piped
    int32_t broken;      // 1 once the encoder stopped taking frames
    RgbPicture picture;  // the frame being piped; sized once
};

// The encoder's arguments: raw pictures of width x height at fps on its
// standard input, the WAV at audio_path, the MP4 at out_path.
std::vector<std::string> video_encoder_arguments(int32_t width, int32_t height, int32_t fps,
                                                 const std::string& audio_path, const std::string& out_path);

// Opens the video's file (see output_file_open) before any work. Returns 1,
// or 0 with the reason in *why.
int32_t video_open(VideoExport* video, const char* final_path, std::string* why);

// Starts ffmpeg writing the opened file. Returns 1, or 0 with the reason in *why.
int32_t video_start(VideoExport* video, int32_t width, int32_t height, int32_t fps, const std::string& audio_path,
                    std::string* why);

// Pipes one frame of cells.
void video_write_frame(VideoExport* video, const RecordedFrame& frame);

// Waits for the encoder and moves the video into place. Returns 1, or 0 with
// the reason in *why and nothing under the final name.
int32_t video_finish(VideoExport* video, std::string* why);

// Stops the encoder and removes its output. Safe when none runs.
void video_abandon(VideoExport* video);
