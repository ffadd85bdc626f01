// Real-time accuracy of the silent audio thread: plays a generated module for ten
// seconds and reports how far each sync byte arrived from its row's time and how far
// the music clock drifted from the wall clock. Goal: within 30 ms, drift under 10 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/silent_audio.h"
#include "runtime/music.h"

#include "../tests/support/xm_writer.h"

namespace {

constexpr int64_t ROW_FRAMES = 6 * 882;  // speed 6 at 125 BPM: 120 ms
constexpr double ROW_MS = ROW_FRAMES * 1000.0 / 44100.0;
constexpr int32_t PLAY_MS = 10000;

// Eight channels of notes, so the thread does real mixing work; row r carries sync byte r.
std::string write_test_module()
{
    XmSong song = xm_song(8);
    for (int32_t p = 0; p < 2; p++) {
        xm_add_pattern(&song, 64);
        for (int32_t row = 0; row < 64; row++) {
            xm_sync(&song, p, row, row % 8, static_cast<uint8_t>(p * 64 + row));
            xm_note(&song, p, row, (row + 3) % 8, static_cast<uint8_t>(30 + (row * 5) % 40));
        }
    }
    song.orders = {0, 1};
    return xm_write_temp(xm_build(song), "bench.xm");
}

// When the thread should hand out row `row`'s byte: at the start of the block
// holding the sub-chunk in which the row begins. Early by design, by up to one block.
double scheduled_ms(int64_t row)
{
    int64_t seen = (row * ROW_FRAMES / MODULE_SUBCHUNK_FRAMES + 1) * MODULE_SUBCHUNK_FRAMES;
    int64_t block = (seen - 1) / AUDIO_BUFFER_FRAMES;
    return block * AUDIO_BUFFER_FRAMES * 1000.0 / 44100.0;
}

double ms_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Least-squares slope of y over x, scaled to the ten seconds played: the part of the
// offsets that grows with time (drift), free of the block grid's periodic pattern.
double drift_over_play(const std::vector<double>& x, const std::vector<double>& y)
{
    double n = static_cast<double>(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < x.size(); i++) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return slope * PLAY_MS;
}

void BM_SilentThreadSyncTiming(benchmark::State& state)
{
    std::string path = write_test_module();
    music_settings.force_silent = 1;
    for (auto _ : state) {
        sync_queue_reset();
        if (!start_music(path.c_str())) {
            state.SkipWithError(music_state.last_error.c_str());
            break;
        }
        auto start = std::chrono::steady_clock::now();  // demo time 0: just after the start
        std::vector<double> row_times, errors, lateness, block_times, block_offsets;
        int64_t frames_seen = 0;
        SyncEvent event = {};
        while (ms_since(start) < PLAY_MS) {
            double now = ms_since(start);
            while (pop_sync_event(&event)) {
                row_times.push_back(event.command * ROW_MS);
                errors.push_back(now - event.command * ROW_MS);
                lateness.push_back(now - scheduled_ms(event.command));
            }
            // A new block began: its music time against the wall clock.
            int64_t frames = silent_audio_frames();
            if (frames != frames_seen) {
                frames_seen = frames;
                block_times.push_back(now);
                block_offsets.push_back(now - (frames - AUDIO_BUFFER_FRAMES) * 1000.0 / 44100.0);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        stop_music();
        if (errors.size() < 20) {
            state.SkipWithError("too few sync bytes arrived");
            break;
        }
        double sum = 0;
        for (double e : errors) {
            sum += e;
        }
        state.counters["syncs"] = static_cast<double>(errors.size());
        state.counters["earliest_ms"] = *std::min_element(errors.begin(), errors.end());
        state.counters["latest_ms"] = *std::max_element(errors.begin(), errors.end());
        state.counters["mean_ms"] = sum / static_cast<double>(errors.size());
        state.counters["sync_late_max_ms"] = *std::max_element(lateness.begin(), lateness.end());
        state.counters["sync_drift_ms"] = drift_over_play(row_times, lateness);
        state.counters["clock_drift_ms"] = drift_over_play(block_times, block_offsets);
        state.counters["block_late_max_ms"] = *std::max_element(block_offsets.begin(), block_offsets.end());
    }
    std::remove(path.c_str());
}

BENCHMARK(BM_SilentThreadSyncTiming)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
