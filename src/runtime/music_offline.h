// Drives the music without any audio device, at a pace the caller sets (export, tests):
// the same rendering and row detection as real-time playback, so the same sync bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/module_player.h"

// Where one advance puts the sync bytes it saw, in the order they were played.
struct MusicOfflineSyncs {
    uint8_t* commands;  // room for capacity bytes
    int64_t* frames;    // null, or room for capacity frame counts (when each was seen)
    int32_t capacity;
    int32_t count;  // set by the advance
    int32_t lost;   // bytes played that did not fit (not stored)
};

struct MusicOffline {
    ModulePlayer player;
    int64_t frames;            // frames advanced since opening (music, then silence after its end)
    int64_t elapsed_ms;        // the sum of music_offline_advance_ms calls
    MusicOfflineSyncs* syncs;  // the current advance's collector
};

// Loads the module. Set offline->player.subchunk_frames before opening to
// detect rows at a finer grain (1..256; 256 by default). Returns 1, or 0 with
// the reason in *why.
int32_t music_offline_open_file(MusicOffline* offline, const char* path, std::string* why);
int32_t music_offline_open_memory(MusicOffline* offline, const void* data, size_t size, std::string* why);

void music_offline_close(MusicOffline* offline);

// Frames of one video frame at `fps` frames per second (1,470 at 30 fps);
// advancing by exactly this count per frame makes two runs byte-identical.
int32_t music_offline_frames_per_video_frame(int32_t fps);

// Advances by exactly `frames` frames. syncs (may be null) receives the span's
// sync bytes; samples (may be null) receives the first sample_capacity frames
// of interleaved stereo. Returns the frames advanced (silence after the end
// of the song counts too).
int64_t music_offline_advance_frames(MusicOffline* offline, int64_t frames, MusicOfflineSyncs* syncs, int16_t* samples,
                                     int64_t sample_capacity);

// Advances by `ms` milliseconds: the total stays exactly floor(elapsed_ms x 44,100 / 1,000)
// frames, so no rounding gathers however the time is split. Otherwise as above.
int64_t music_offline_advance_ms(MusicOffline* offline, int32_t ms, MusicOfflineSyncs* syncs, int16_t* samples,
                                 int64_t sample_capacity);
