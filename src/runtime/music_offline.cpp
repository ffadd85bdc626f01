// Drives the music without any audio device, at a pace the caller sets (export, tests):
// the same rendering and row detection as real-time playback, so the same sync bytes.
#include "runtime/music_offline.h"

#include <cstring>

#include "platform/audio_output.h"

namespace {

void collect_sync(uint8_t command, int64_t frame, void* user)
{
    MusicOfflineSyncs* syncs = static_cast<MusicOffline*>(user)->syncs;
    if (syncs == nullptr) {
        return;
    }
    if (syncs->count >= syncs->capacity) {
        syncs->lost++;
        return;
    }
    syncs->commands[syncs->count] = command;
    if (syncs->frames != nullptr) {
        syncs->frames[syncs->count] = frame;
    }
    syncs->count++;
}

int32_t finish_open(MusicOffline* offline, int32_t loaded)
{
    offline->frames = 0;
    offline->elapsed_ms = 0;
    offline->syncs = nullptr;
    if (!loaded) {
        return 0;
    }
    module_player_set_sync(&offline->player, collect_sync, offline);
    return 1;
}

}  // namespace

int32_t music_offline_open_file(MusicOffline* offline, const char* path, std::string* why)
{
    return finish_open(offline, module_player_load_file(&offline->player, path, why));
}

int32_t music_offline_open_memory(MusicOffline* offline, const void* data, size_t size, std::string* why)
{
    return finish_open(offline, module_player_load_memory(&offline->player, data, size, why));
}

void music_offline_close(MusicOffline* offline)
{
    module_player_unload(&offline->player);
    offline->syncs = nullptr;
}

int32_t music_offline_frames_per_video_frame(int32_t fps)
{
    if (fps <= 0) {
        return 0;
    }
    return MUSIC_SAMPLE_RATE / fps;
}

int64_t music_offline_advance_frames(MusicOffline* offline, int64_t frames, MusicOfflineSyncs* syncs, int16_t* samples,
                                     int64_t sample_capacity)
{
    if (syncs != nullptr) {
        syncs->count = 0;
        syncs->lost = 0;
    }
    if (frames <= 0) {
        return 0;
    }
    offline->syncs = syncs;
    // Pieces are whole sub-chunks and the samples are copied out of them, so
    // the render sees the same sub-chunk boundaries whatever the caller keeps.
    int32_t subchunk = offline->player.subchunk_frames;
    int32_t piece_limit = (AUDIO_BUFFER_FRAMES / subchunk) * subchunk;
    int16_t scratch[AUDIO_BUFFER_FRAMES * 2];
    int64_t done = 0;
    while (done < frames) {
        int64_t left = frames - done;
        int32_t piece = static_cast<int32_t>(left < piece_limit ? left : piece_limit);
        module_player_render(&offline->player, scratch, piece);
        if (samples != nullptr && done < sample_capacity) {
            int64_t keep = sample_capacity - done < piece ? sample_capacity - done : piece;
            std::memcpy(samples + 2 * done, scratch, static_cast<size_t>(keep) * 2 * sizeof(int16_t));
        }
        done += piece;
    }
    offline->syncs = nullptr;
    offline->frames += done;
    return done;
}

int64_t music_offline_advance_ms(MusicOffline* offline, int32_t ms, MusicOfflineSyncs* syncs, int16_t* samples,
                                 int64_t sample_capacity)
{
    if (ms < 0) {
        ms = 0;
    }
    offline->elapsed_ms += ms;
    int64_t target = offline->elapsed_ms * MUSIC_SAMPLE_RATE / 1000;
    int64_t frames = target > offline->frames ? target - offline->frames : 0;
    return music_offline_advance_frames(offline, frames, syncs, samples, sample_capacity);
}
