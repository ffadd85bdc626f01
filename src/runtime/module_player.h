// The tracker-module player: loads a module, renders it in sub-chunks and reports
// the sync bytes of every row as that row starts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio_output.h"

struct openmpt_module;

constexpr int32_t MUSIC_SAMPLE_RATE = AUDIO_SAMPLE_RATE;

// Rows are detected between sub-chunks. The shortest XM row (speed 1 at
// 255 BPM) lasts 432 frames at 44,100 Hz, so 256 frames never miss one.
constexpr int32_t MODULE_SUBCHUNK_FRAMES = 256;

// Receives one sync byte; `frame` is the player's rendered-frame count at the
// end of the sub-chunk in which its row was seen. Runs on whatever thread
// renders: it must not allocate, lock or wait when that is an audio thread.
typedef void (*ModuleSyncSink)(uint8_t command, int64_t frame, void* user);

// The sync bytes of one pattern row: sync_bytes[first .. first + count).
struct ModuleSyncRow {
    int32_t first;
    int32_t count;
};

// One loaded module. While it plays, only the thread that renders it may
// touch it; the loader's tables are read-only by then.
struct ModulePlayer {
    openmpt_module* module;              // null when nothing is loaded
    std::vector<int32_t> pattern_first;  // per pattern: index of its row 0 in sync_rows
    std::vector<int32_t> pattern_rows;   // per pattern: its number of rows
    std::vector<ModuleSyncRow> sync_rows;
    std::vector<uint8_t> sync_bytes;  // every row's W parameters, in channel order
    ModuleSyncSink sink;              // null: rows are tracked but nothing is reported
    void* sink_user;
    int32_t subchunk_frames;  // 1..MODULE_SUBCHUNK_FRAMES
    int32_t last_order;       // the row seen last, (-1, -1) before the first
    int32_t last_row;
    int32_t ended;            // 1 once the module produced fewer frames than asked
    int64_t frames_rendered;  // frames the module produced since loading
    std::string warning;      // what loading doubted (library warnings, a file cut short); empty when nothing
};

// Loads a module from a file or from memory and reads its sync table. On
// failure returns 0, leaves the player empty and puts a one-line reason
// (without the path) into *why. A module that loads with doubts (see
// warning) is kept; loading from a file also says them as a message.
int32_t module_player_load_file(ModulePlayer* player, const char* path, std::string* why);
int32_t module_player_load_memory(ModulePlayer* player, const void* data, size_t size, std::string* why);

// The song's length played once, in frames at MUSIC_SAMPLE_RATE (0 when
// nothing is loaded). Playback itself goes on through loops and restarts.
int64_t module_player_length_frames(const ModulePlayer* player);

// Frees the module and its tables; the player may be loaded again. Safe on an empty player.
void module_player_unload(ModulePlayer* player);

// Routes the sync bytes to `sink`. Returns 1, or 0 when no module is loaded or sink is null.
int32_t module_player_set_sync(ModulePlayer* player, ModuleSyncSink sink, void* user);

// Renders `frames` frames of interleaved 16-bit stereo into samples (2 x frames
// values), reporting each row's sync bytes as the row starts. After the end of
// the song the rest is silence and no row is reported. Returns the frames the
// module produced (frames, unless it ended). No allocation.
int32_t module_player_render(ModulePlayer* player, int16_t* samples, int32_t frames);
