// Rendering speed: a three-minute generated show recorded (and, apart, its audio written)
// without a terminal. Goal: at least 20 times faster than the show plays.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/export.h"

#include "../tests/support/xm_writer.h"

namespace {

constexpr int32_t ROWS = 64;
constexpr int32_t ORDERS = 24;  // 24 patterns of 7.68 s: 184 s
constexpr double SHOW_SECONDS = ORDERS * ROWS * 0.12;

// Eight channels of notes; every pattern picks a scene, flashes and blurs,
// lays the distortion band for a while; the last one ends the show.
std::vector<uint8_t> three_minute_module()
{
    XmSong song = xm_song(8);
    for (int32_t p = 0; p < 2; p++) {
        xm_add_pattern(&song, ROWS);
        for (int32_t row = 0; row < ROWS; row++) {
            xm_note(&song, p, row, row % 8, static_cast<uint8_t>(30 + (row * 7) % 40));
        }
        xm_sync(&song, p, 0, 0, static_cast<uint8_t>(p * 3));
        xm_sync(&song, p, 16, 1, 0x43);
        xm_sync(&song, p, 32, 2, 0x82);
        xm_sync(&song, p, 48, 3, 0x80);
    }
    xm_sync(&song, 1, ROWS - 1, 7, 0xFF);
    for (int32_t order = 0; order < ORDERS; order++) {
        song.orders.push_back(order == ORDERS - 1 ? 1 : 0);
    }
    return xm_build(song);
}

std::string show_directory()
{
    std::string dir = std::filesystem::temp_directory_path().string() + "/korvel-bench-export-" +
                      std::to_string(static_cast<long>(getpid()));
    std::filesystem::create_directories(dir + "/data");
    std::vector<uint8_t> bytes = three_minute_module();
    std::ofstream(dir + "/data/dino.xm", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return dir;
}

void render(benchmark::State& state, ExportRequest request)
{
    std::filesystem::path home = std::filesystem::current_path();
    std::string dir = show_directory();
    std::filesystem::current_path(dir);
    DemoOptions options = {nullptr, 0, DEFAULT_EXPORT_FPS};
    double seconds = 0.0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (run_export(options, request) != 0) {
            state.SkipWithError("the rendering failed");
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["show_s"] = SHOW_SECONDS;
    state.counters["times_real_time"] = SHOW_SECONDS / seconds;
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);
}

void BM_RecordThreeMinuteShow(benchmark::State& state)
{
    ExportRequest request = {};
    request.record_path = "show.cast";
    render(state, request);
}

void BM_AudioOfThreeMinuteShow(benchmark::State& state)
{
    ExportRequest request = {};
    request.audio_path = "show.wav";
    render(state, request);
}

BENCHMARK(BM_RecordThreeMinuteShow)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AudioOfThreeMinuteShow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
