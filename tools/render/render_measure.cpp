// Renders a module offline, as the demo plays it, and measures length, peak and loudness per order.
#include "render/render_measure.h"

#include <libopenmpt/libopenmpt.h>

#include <cmath>

#include "runtime/music_offline.h"

namespace {

constexpr int32_t FPS = 30;
constexpr int32_t SYNC_ROOM = 64;
constexpr uint8_t SHOW_END = 0xFF;

void add_block(RenderMeasure* measure, const int16_t* block, int64_t frames, int32_t order)
{
    if (order < 0) {
        return;
    }
    if (measure->orders.size() <= static_cast<size_t>(order)) {
        measure->orders.resize(static_cast<size_t>(order) + 1, OrderLevel{0, 0.0});
    }
    OrderLevel& level = measure->orders[static_cast<size_t>(order)];
    for (int64_t i = 0; i < 2 * frames; i++) {
        int32_t value = block[i];
        int32_t magnitude = value < 0 ? -value : value;
        measure->peak = magnitude > measure->peak ? magnitude : measure->peak;
        double x = value / 32768.0;
        level.sum_square += x * x;
    }
    level.frames += frames;
}

// The show ends with its FF byte: what the wrapping song plays after it is not part of it.
void keep_syncs(RenderMeasure* measure, const uint8_t* commands, const int64_t* frames, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        if (!measure->syncs.empty() && measure->syncs.back() == SHOW_END) {
            return;
        }
        measure->syncs.push_back(commands[i]);
        measure->sync_frames.push_back(frames[i]);
    }
}

void put_le(std::vector<uint8_t>* out, uint32_t value, int32_t bytes)
{
    for (int32_t i = 0; i < bytes; i++) {
        out->push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void put_tag(std::vector<uint8_t>* out, const char* tag)
{
    for (int32_t i = 0; tag[i] != '\0'; i++) {
        out->push_back(static_cast<uint8_t>(tag[i]));
    }
}

}  // namespace

int32_t render_measure(const char* path, int32_t limit_seconds, RenderMeasure* measure, std::string* why)
{
    MusicOffline offline = {};
    if (!music_offline_open_file(&offline, path, why)) {
        return 0;
    }
    *measure = RenderMeasure{};
    int32_t block_frames = music_offline_frames_per_video_frame(FPS);
    std::vector<int16_t> block(static_cast<size_t>(2 * block_frames));
    uint8_t commands[SYNC_ROOM];
    int64_t seen_at[SYNC_ROOM];
    int64_t limit = static_cast<int64_t>(limit_seconds) * MUSIC_SAMPLE_RATE;
    int32_t last_order = 0;
    while (!offline.player.ended && measure->frames < limit) {
        // The order playing at the start of the block owns the block. The player
        // repeats the song forever: going back to an earlier order is its end.
        int32_t order = openmpt_module_get_current_order(offline.player.module);
        if (order < last_order) {
            break;
        }
        last_order = order;
        MusicOfflineSyncs syncs = {commands, seen_at, SYNC_ROOM, 0, 0};
        int64_t before = offline.player.frames_rendered;
        music_offline_advance_frames(&offline, block_frames, &syncs, block.data(), block_frames);
        int64_t produced = offline.player.frames_rendered - before;
        keep_syncs(measure, commands, seen_at, syncs.count);
        measure->samples.insert(measure->samples.end(), block.begin(), block.begin() + 2 * produced);
        add_block(measure, block.data(), produced, order);
        measure->frames += produced;
    }
    music_offline_close(&offline);
    return 1;
}

double level_dbfs(double amplitude)
{
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -999.0;
}

double order_rms_dbfs(const OrderLevel& level)
{
    if (level.frames == 0) {
        return -999.0;
    }
    return level_dbfs(std::sqrt(level.sum_square / (2.0 * static_cast<double>(level.frames))));
}

std::vector<uint8_t> wav_image(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
    put_tag(&out, "RIFF");
    put_le(&out, 36 + data_bytes, 4);
    put_tag(&out, "WAVEfmt ");
    put_le(&out, 16, 4);
    put_le(&out, 1, 2);  // integer PCM
    put_le(&out, 2, 2);  // stereo
    put_le(&out, MUSIC_SAMPLE_RATE, 4);
    put_le(&out, MUSIC_SAMPLE_RATE * 4, 4);
    put_le(&out, 4, 2);
    put_le(&out, 16, 2);
    put_tag(&out, "data");
    put_le(&out, data_bytes, 4);
    for (int16_t value : samples) {
        put_le(&out, static_cast<uint16_t>(value), 2);
    }
    return out;
}
