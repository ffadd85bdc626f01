// Rendering the show without a terminal: recordings, audio, video, pictures and the script.
#pragma once
#include <cstdint>

#include "runtime/entry.h"

// Frames a second of recordings, videos and pictures unless --fps says otherwise.
constexpr int32_t DEFAULT_EXPORT_FPS = 30;
constexpr int32_t DEFAULT_SHEET_EVERY_MS = 5000;

// What the command line asked to render; every path null when nothing.
struct ExportRequest {
    const char* record_path;       // --record: a terminal recording
    const char* audio_path;        // --audio: the module's audio as WAV
    const char* video_path;        // --video: a video with sound, through ffmpeg
    const char* screenshot_path;   // --screenshot: the cell grid at screenshot_ms
    int32_t screenshot_ms;         //   demo time of the screenshot
    const char* canvas_shot_path;  // --canvas-shot: the canvas at canvas_shot_ms
    int32_t canvas_shot_ms;
    const char* sheet_path;  // --contact-sheet: a picture every every_ms
    int32_t every_ms;        // --every, in milliseconds (DEFAULT_SHEET_EVERY_MS)
    int32_t duration_ms;     // --duration: the span rendered; 0: the whole show
    int32_t script;          // 1: --script prints the module's script
    int32_t motion;          // 1: --motion measures still stretches and flashes
};

// Whether the request renders anything (then no terminal is needed).
bool export_requested(const ExportRequest& request);

// Renders what was asked, deterministically, on the virtual clock and the
// offline music driver. Needs no terminal and no sound device. Returns the
// process status: 0 when every file was written; otherwise one line on
// standard error naming the file concerned, and no file left under a final
// name that was not complete.
int32_t run_export(const DemoOptions& options, const ExportRequest& request);
