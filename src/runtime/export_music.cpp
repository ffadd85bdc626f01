// The music pass of a rendering: where the show ends, the sync bytes of every video frame, the audio.
#include "runtime/export_music.h"

#include <algorithm>

#include "platform/frame_pacer.h"
#include "runtime/music_offline.h"

namespace {

constexpr uint8_t END_COMMAND = 0xFF;
// More sync bytes than this in one video frame would overflow the ten-entry
// queue many times over; the rest are dropped as the live show would.
constexpr int32_t SYNCS_PER_FRAME = 256;
constexpr int64_t SILENCE_BLOCK = 4096;

void write_all(WavWriter* const* wavs, int32_t count, const int16_t* samples, int64_t frames)
{
    for (int32_t i = 0; i < count; i++) {
        wav_write(wavs[i], samples, frames);
    }
}

void write_silence(WavWriter* const* wavs, int32_t count, int64_t frames)
{
    std::vector<int16_t> zeros(SILENCE_BLOCK * 2, 0);
    while (frames > 0) {
        int64_t piece = std::min(frames, SILENCE_BLOCK);
        write_all(wavs, count, zeros.data(), piece);
        frames -= piece;
    }
}

// The last video frame that may start: the song's end, --duration.
int64_t frame_limit(const MusicOffline& offline, int32_t fps, int32_t duration_ms, ExportPlan* plan)
{
    int64_t length = module_player_length_frames(&offline.player);
    int64_t song = (length * fps + MUSIC_SAMPLE_RATE - 1) / MUSIC_SAMPLE_RATE;
    if (duration_ms <= 0) {
        return song;
    }
    int64_t cut = (static_cast<int64_t>(duration_ms) * fps + 999) / 1000;
    plan->cut_by_duration = cut < song;
    return std::min(song, cut);
}

}  // namespace

int64_t export_audio_start(int64_t video_frame, int32_t fps)
{
    return video_frame * MUSIC_SAMPLE_RATE / fps;
}

int32_t export_frame_time_ms(int64_t video_frame, int32_t fps)
{
    return frame_time_ms(video_frame, fps);
}

int32_t plan_export(const char* music_path, int32_t fps, int32_t duration_ms, int32_t intro_ms, WavWriter* const* wavs,
                    int32_t count, ExportPlan* plan, std::string* why)
{
    *plan = ExportPlan{};
    plan->fps = fps;
    MusicOffline offline = {};
    if (fps <= 0 || !music_offline_open_file(&offline, music_path, why)) {
        return 0;
    }
    int64_t limit = frame_limit(offline, fps, duration_ms, plan);
    write_silence(wavs, count, static_cast<int64_t>(intro_ms) * MUSIC_SAMPLE_RATE / 1000);
    std::vector<int16_t> samples(static_cast<size_t>(MUSIC_SAMPLE_RATE / fps + 1) * 2);
    uint8_t commands[SYNCS_PER_FRAME];
    MusicOfflineSyncs syncs = {commands, nullptr, SYNCS_PER_FRAME, 0, 0};
    for (int64_t k = 0; k < limit; k++) {
        int64_t frames = export_audio_start(k + 1, fps) - export_audio_start(k, fps);
        music_offline_advance_frames(&offline, frames, &syncs, samples.data(), frames);
        write_all(wavs, count, samples.data(), frames);
        plan->frames = k + 1;
        plan->music_frames += frames;
        for (int32_t i = 0; i < syncs.count; i++) {
            plan->syncs.push_back(ExportSync{k, commands[i]});
            plan->ended_by_command |= commands[i] == END_COMMAND;
        }
        if (plan->ended_by_command || offline.player.ended) {
            break;
        }
    }
    if (plan->ended_by_command) {
        plan->cut_by_duration = 0;
    }
    music_offline_close(&offline);
    return 1;
}
