// The music pass of a rendering: where the show ends, the sync bytes of every video frame, the audio.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/wav_writer.h"

// One sync byte and the video frame whose timeline it reaches.
struct ExportSync {
    int64_t frame;
    uint8_t command;
};

struct ExportPlan {
    int32_t fps;
    int64_t frames;                 // video frames of the show, from demo time 0
    int32_t ended_by_command;       // 1: the end command (FF) came in the last frame
    int32_t cut_by_duration;        // 1: --duration ended it before the show did
    int64_t music_frames;           // audio frames of the show span (the intro's silence not included)
    std::vector<ExportSync> syncs;  // in the order played
};

// First audio frame of video frame k: frame k's audio is [start(k), start(k + 1)).
// Exactly 44,100 / fps frames each when fps divides 44,100; otherwise the
// counts alternate so that sound and picture never drift apart.
int64_t export_audio_start(int64_t video_frame, int32_t fps);

// Demo time of video frame k, in milliseconds (rounded down).
int32_t export_frame_time_ms(int64_t video_frame, int32_t fps);

// Plays the module at path offline, video frame by video frame, until the
// end command, the end of the song or duration_ms (0: no limit), whichever
// comes first; the frame holding the end command is the last. Each of the
// `count` WAV files receives intro_ms of silence and then the show's audio.
// Returns 1, or 0 with the reason (without the path) in *why.
int32_t plan_export(const char* music_path, int32_t fps, int32_t duration_ms, int32_t intro_ms, WavWriter* const* wavs,
                    int32_t count, ExportPlan* plan, std::string* why);
