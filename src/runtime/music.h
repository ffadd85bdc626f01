// Music playback: plays the module on the default output device (or silently in real
// time) and turns its sync effects into queued SyncEvents for the timeline.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/module_player.h"
#include "runtime/sync_queue.h"

// Chosen on the command line before start_music.
struct MusicSettings {
    int32_t force_silent;  // 1: never open a sound device (--nosound)
};

// Set by the command line before start_music; read-only afterwards.
extern MusicSettings music_settings;

enum MusicOutput : int32_t {
    MUSIC_OUTPUT_NONE = 0,    // nothing has played yet
    MUSIC_OUTPUT_DEVICE = 1,  // the default sound device
    MUSIC_OUTPUT_SILENT = 2,  // the silent real-time thread
};

struct MusicState {
    MusicOutput output;
    int32_t playing;            // 1 between a successful start_music and stop_music
    std::string silent_reason;  // why the output is silent, when it is
    std::string last_error;     // the last failure of start_music, with the file it concerns
    ModulePlayer player;        // touched only by the audio thread while playing
};

// Lives for the whole run; main thread only, except player while playing.
extern MusicState music_state;

// Loads the module at path and plays it from its start, with the sync
// callback installed. Returns 1 on success. On failure returns 0 with
// nothing playing, and queues a console message naming the file and the
// reason (shown after the display closes); the demo then runs without sync
// events. Without a sound device (or with force_silent) the module plays on
// the silent thread in real time, and a message says why. Main thread only.
int32_t start_music(const char* path);

// Stops playback and frees the module; the sync callback is not running when
// this returns. Queued sync events stay queued. Safe when nothing plays.
void stop_music();

// The sync callback: queues the low 8 bits of data as one SyncEvent; a full
// queue drops it. Runs on the audio thread.
void on_music_sync(uint32_t data);
