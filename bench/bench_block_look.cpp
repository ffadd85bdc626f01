// The block look over the whole show: bytes per frame beside the cells look,
// encoding time per frame, and the same frames through the packaged
// terminal-graphics converter (chafa). Run from the directory that holds data/
// (the repository root after scripts/build.sh). Goals: a 160 x 50 frame with
// every cell changed encoded in 150 us, a typical frame in 60 us; fewer bytes
// than the converter and at least 20 times faster.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/framebuffer.h"
#include "display/block_picture.h"
#include "gfx2d/png_write.h"
#include "platform/block_output.h"
#include "platform/console.h"
#include "platform/xterm256.h"
#include "runtime/export.h"

#include "../tests/support/cast_reader.h"
#include "../tests/support/screen_model.h"

namespace {

constexpr int32_t COLUMNS = 160;
constexpr int32_t ROWS = 50;
constexpr int32_t PEER_EVERY = 30;  // one frame a second goes to the converter

using Frame = std::vector<uint32_t>;  // 160 x 100 packed pixels

std::string temp_path(const std::string& name)
{
    return std::filesystem::temp_directory_path().string() + "/korvel-bench-blocks-" +
           std::to_string(static_cast<long>(getpid())) + "-" + name;
}

std::string read_all(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The whole show recorded at 30 frames a second in a look and colours; empty when it failed.
CastRecording record_show(ConsoleLook look, ConsoleColours colours)
{
    std::string path = temp_path("show.cast");
    ConsoleSettings saved = console_settings;
    console_settings.look = look;
    console_settings.colours = colours;
    ExportRequest request = {};
    request.record_path = path.c_str();
    DemoOptions options = {nullptr, 0, DEFAULT_EXPORT_FPS};
    int32_t status = run_export(options, request);
    console_settings = saved;
    CastRecording cast = status == 0 ? read_cast(read_all(path)) : CastRecording{};
    std::filesystem::remove(path);
    return cast;
}

// The machine is shared: per-frame times are this thread's CPU time, which
// other processes do not inflate.
double thread_micros()
{
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double children_cpu_seconds()
{
    rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    size_t at = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

void report(benchmark::State& state, const char* unit, const std::vector<double>& values)
{
    state.counters[std::string("median_") + unit] = percentile(values, 0.5);
    state.counters[std::string("p90_") + unit] = percentile(values, 0.9);
    state.counters[std::string("max_") + unit] = percentile(values, 1.0);
    state.counters["frames"] = static_cast<double>(values.size());
}

// Every frame of the 24-bit block recording, decoded back into pixels; made
// by the first benchmark that asks.
std::vector<Frame> decoded_show;

const std::vector<Frame>& show_frames()
{
    std::vector<Frame>& frames = decoded_show;
    if (!frames.empty()) {
        return frames;
    }
    CastRecording cast = record_show(CONSOLE_LOOK_BLOCKS, CONSOLE_COLOURS_TRUECOLOR);
    ScreenModel screen;
    screen_init(&screen, COLUMNS, ROWS);
    for (const CastEvent& event : cast.events) {
        screen_apply(&screen, event.bytes.data(), static_cast<int32_t>(event.bytes.size()));
        Frame frame(static_cast<size_t>(COLUMNS) * 2 * ROWS);
        for (int32_t i = 0; i < COLUMNS * ROWS; i++) {
            int32_t upper = 0;
            int32_t lower = 0;
            screen_halves(&screen, i, &upper, &lower);
            auto packed = [](int32_t shown) {
                uint32_t rgb = static_cast<uint32_t>(shown - 1000);
                return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
            };
            int32_t x = i % COLUMNS;
            int32_t y = i / COLUMNS;
            frame[static_cast<size_t>(2 * y) * COLUMNS + x] = packed(upper);
            frame[static_cast<size_t>(2 * y + 1) * COLUMNS + x] = packed(lower);
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

// range(0): 0 the cells look (16 colours), 1 blocks in 24-bit, 2 blocks in 256 colours.
void BM_ShowBytesPerFrame(benchmark::State& state)
{
    const ConsoleLook looks[] = {CONSOLE_LOOK_CELLS, CONSOLE_LOOK_BLOCKS, CONSOLE_LOOK_BLOCKS};
    const ConsoleColours colours[] = {CONSOLE_COLOURS_ANSI16, CONSOLE_COLOURS_TRUECOLOR, CONSOLE_COLOURS_256};
    const char* names[] = {"cells 16 colours", "blocks 24-bit", "blocks 256 colours"};
    std::vector<double> kilobytes;
    for (auto _ : state) {
        CastRecording cast = record_show(looks[state.range(0)], colours[state.range(0)]);
        if (cast.events.empty()) {
            state.SkipWithError("the show could not be recorded (run from the directory that holds data/)");
        }
        for (const CastEvent& event : cast.events) {
            kilobytes.push_back(static_cast<double>(event.bytes.size()) / 1000.0);
        }
    }
    report(state, "kb", kilobytes);
    state.SetLabel(names[state.range(0)]);
}

// Each frame of the show encoded after the one before, as the live show does.
// range(0): 2 = 24-bit, 1 = 256 colours.
void BM_BlockEncodeShowFrames(benchmark::State& state)
{
    const std::vector<Frame>& frames = show_frames();
    BlockColours colours = static_cast<BlockColours>(state.range(0));
    std::vector<double> micros;
    for (auto _ : state) {
        BlockEncoder encoder{};
        block_encoder_setup(&encoder, colours);
        block_encoder_place(&encoder, COLUMNS, ROWS, 0, 0);
        for (const Frame& frame : frames) {
            const char* bytes = nullptr;
            double start = thread_micros();
            block_picture_from_canvas(frame.data(), COLUMNS, 2 * ROWS);
            benchmark::DoNotOptimize(block_encode(&encoder, block_picture.pixels, COLUMNS, &bytes));
            micros.push_back(thread_micros() - start);
        }
    }
    if (frames.empty()) {
        state.SkipWithError("no frames (run from the directory that holds data/)");
    }
    report(state, "us", micros);
    state.SetLabel(colours == BLOCK_COLOURS_TRUECOLOR ? "24-bit" : "256 colours");
}

// The busiest frame of the show against itself with the top bit of every
// channel turned: every cell changes colour, the picture's edges stay.
void BM_BlockEncodeEveryCellChanged(benchmark::State& state)
{
    const std::vector<Frame>& frames = show_frames();
    if (frames.empty()) {
        state.SkipWithError("no frames (run from the directory that holds data/)");
        return;
    }
    size_t busiest = 0;
    int32_t most = -1;
    for (size_t k = 0; k < frames.size(); k++) {
        int32_t distinct = 0;
        for (size_t i = 1; i < frames[k].size(); i++) {
            distinct += frames[k][i] != frames[k][i - 1];
        }
        if (distinct > most) {
            most = distinct;
            busiest = k;
        }
    }
    Frame a = frames[busiest];
    Frame b = a;
    for (uint32_t& pixel : b) {
        pixel ^= 0x808080u;
    }
    BlockEncoder encoder{};
    block_encoder_setup(&encoder, static_cast<BlockColours>(state.range(0)));
    block_encoder_place(&encoder, COLUMNS, ROWS, 0, 0);
    const char* bytes = nullptr;
    block_encode(&encoder, a.data(), COLUMNS, &bytes);
    int64_t total = 0;
    int64_t count = 0;
    for (auto _ : state) {
        total += block_encode(&encoder, (count & 1) == 0 ? b.data() : a.data(), COLUMNS, &bytes);
        count++;
    }
    state.counters["kb"] = static_cast<double>(total) / static_cast<double>(count) / 1000.0;
    state.counters["changed_cells"] = encoder.last_changed_cells;
    state.SetLabel(state.range(0) == BLOCK_COLOURS_TRUECOLOR ? "24-bit" : "256 colours");
}

std::string png_of(const Frame& frame)
{
    std::vector<uint8_t> rgb(frame.size() * 3);
    for (size_t i = 0; i < frame.size(); i++) {
        rgb[3 * i] = static_cast<uint8_t>(frame[i]);
        rgb[3 * i + 1] = static_cast<uint8_t>(frame[i] >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(frame[i] >> 16);
    }
    std::vector<uint8_t> png;
    png_encode_rgb(rgb.data(), COLUMNS, 2 * ROWS, &png);
    return std::string(png.begin(), png.end());
}

// The converter's output for a command, and its wall time in seconds.
std::string run_peer(const std::string& command, double* seconds)
{
    auto start = std::chrono::steady_clock::now();
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe != nullptr) {
        char buffer[65536];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
            output.append(buffer, got);
        }
        pclose(pipe);
    }
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return output;
}

// One frame a second of the show, every one a fresh screen for both: the
// converter draws each picture whole, so ours is a full redraw too.
void BM_PeerSideBySide(benchmark::State& state)
{
    const std::vector<Frame>& frames = show_frames();
    if (frames.empty() || std::system("command -v chafa > /dev/null 2>&1") != 0) {
        state.SkipWithError("needs the show's data/ and chafa (scripts/install-deps.sh --bench)");
        return;
    }
    const std::string options = "chafa -f symbols --size 160x50 --symbols hhalf -c full --animate off ";
    std::string dir = temp_path("peer");
    std::filesystem::create_directories(dir);
    std::vector<std::string> files;
    for (size_t k = 0; k < frames.size(); k += PEER_EVERY) {
        files.push_back(dir + "/" + std::to_string(k) + ".png");
        std::ofstream(files.back(), std::ios::binary) << png_of(frames[k]);
    }
    std::vector<double> our_kb;
    std::vector<double> our_us;
    std::vector<double> peer_kb;
    double peer_batch_seconds = 0.0;
    double peer_batch_cpu_seconds = 0.0;
    for (auto _ : state) {
        BlockEncoder encoder{};
        block_encoder_setup(&encoder, BLOCK_COLOURS_TRUECOLOR);
        block_encoder_place(&encoder, COLUMNS, ROWS, 0, 0);
        for (size_t k = 0; k < frames.size(); k += PEER_EVERY) {
            const char* bytes = nullptr;
            double start = thread_micros();
            block_encoder_invalidate(&encoder);
            block_picture_from_canvas(frames[k].data(), COLUMNS, 2 * ROWS);
            int32_t length = block_encode(&encoder, block_picture.pixels, COLUMNS, &bytes);
            our_us.push_back(thread_micros() - start);
            our_kb.push_back(length / 1000.0);
        }
        double seconds = 0.0;
        for (const std::string& file : files) {
            peer_kb.push_back(static_cast<double>(run_peer(options + "'" + file + "'", &seconds).size()) / 1000.0);
        }
        std::string all;
        for (const std::string& file : files) {
            all += "'" + file + "' ";
        }
        double cpu_before = children_cpu_seconds();
        run_peer(options + all, &peer_batch_seconds);
        peer_batch_cpu_seconds = children_cpu_seconds() - cpu_before;
    }
    std::filesystem::remove_all(dir);
    // The converter's CPU time (all its threads) per frame when it takes them all in one run.
    double peer_us = peer_batch_cpu_seconds * 1e6 / static_cast<double>(files.size());
    state.counters["frames"] = static_cast<double>(files.size());
    state.counters["ours_median_kb"] = percentile(our_kb, 0.5);
    state.counters["ours_median_us"] = percentile(our_us, 0.5);
    state.counters["peer_median_kb"] = percentile(peer_kb, 0.5);
    state.counters["peer_cpu_us_per_frame"] = peer_us;
    state.counters["peer_wall_us_per_frame"] = peer_batch_seconds * 1e6 / static_cast<double>(files.size());
    state.counters["times_faster"] = peer_us / percentile(our_us, 0.5);
}

}  // namespace

BENCHMARK(BM_ShowBytesPerFrame)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockEncodeShowFrames)
    ->Arg(BLOCK_COLOURS_TRUECOLOR)
    ->Arg(BLOCK_COLOURS_256)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockEncodeEveryCellChanged)
    ->Arg(BLOCK_COLOURS_TRUECOLOR)
    ->Arg(BLOCK_COLOURS_256)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerSideBySide)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
