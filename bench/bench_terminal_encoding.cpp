// Time and bytes of encoding 80 x 50 frames for a terminal: a full redraw,
// a tenth of the cells changed (one block, or scattered), every cell changed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "../tests/platform/moving_picture.h"
#include "platform/terminal_output.h"

namespace {

constexpr int32_t COLUMNS = PICTURE_COLUMNS;
constexpr int32_t ROWS = PICTURE_ROWS;
constexpr int32_t CELLS = PICTURE_CELLS;

struct Frame {
    std::vector<uint8_t> characters = std::vector<uint8_t>(CELLS);
    std::vector<uint8_t> attributes = std::vector<uint8_t>(CELLS);
};

Frame picture(int32_t t)
{
    Frame frame;
    moving_picture(frame.characters.data(), frame.attributes.data(), t);
    return frame;
}

// Frame t with a 40 x 10 block (a tenth) moved on to frame t + 1.
Frame picture_block_changed(int32_t t)
{
    Frame frame;
    moving_picture_tenth(frame.characters.data(), frame.attributes.data(), t, 20, 20);
    return frame;
}

// Frame t with every tenth cell (by a fixed hash) moved on to frame t + 1.
Frame picture_scattered_changed(int32_t t)
{
    Frame frame = picture(t);
    uint32_t state = 12345;
    for (int32_t n = 0; n < CELLS / 10; n++) {
        state = state * 1103515245u + 12345u;
        int32_t i = static_cast<int32_t>((state >> 8) % CELLS);
        moving_picture_cell(i % COLUMNS, i / COLUMNS, t + 1, &frame.characters[i], &frame.attributes[i]);
    }
    return frame;
}

struct Encoding {
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
};

// range(0): 0 = 16 colours + UTF-8, 1 = true colour + UTF-8, 2 = 16 colours + ASCII.
void encoding_setup(Encoding* encoding, int64_t variant)
{
    glyph_table_build(&encoding->glyphs, variant == 2 ? 0 : 1);
    colour_codes_build(&encoding->colours, variant == 1 ? CONSOLE_COLOURS_TRUECOLOR : CONSOLE_COLOURS_ANSI16);
    frame_encoder_setup(&encoding->encoder, &encoding->glyphs, &encoding->colours);
    frame_encoder_place(&encoding->encoder, COLUMNS, ROWS, 0, 0);
}

int32_t encode(Encoding* encoding, const Frame& frame)
{
    const char* bytes = nullptr;
    int32_t length =
        frame_encode(&encoding->encoder, frame.characters.data(), frame.attributes.data(), COLUMNS, &bytes);
    benchmark::DoNotOptimize(bytes);
    return length;
}

void label_variant(benchmark::State& state)
{
    const char* names[] = {"ansi16 utf8", "truecolor utf8", "ansi16 ascii"};
    state.SetLabel(names[state.range(0)]);
}

// A fresh screen every frame: clear and send every cell.
void BM_FullRedraw(benchmark::State& state)
{
    Encoding encoding;
    encoding_setup(&encoding, state.range(0));
    Frame frames[2] = {picture(0), picture(1)};
    int64_t bytes = 0;
    int64_t count = 0;
    for (auto _ : state) {
        frame_encoder_invalidate(&encoding.encoder);
        bytes += encode(&encoding, frames[count & 1]);
        count++;
    }
    state.counters["bytes"] = static_cast<double>(bytes) / static_cast<double>(count);
    label_variant(state);
}

// Alternating between two frames that differ in the given cells.
void run_alternating(benchmark::State& state, const Frame& a, const Frame& b)
{
    Encoding encoding;
    encoding_setup(&encoding, state.range(0));
    encode(&encoding, a);
    int64_t bytes = 0;
    int64_t changed = 0;
    int64_t count = 0;
    for (auto _ : state) {
        bytes += encode(&encoding, (count & 1) == 0 ? b : a);
        changed += encoding.encoder.last_changed_cells;
        count++;
    }
    state.counters["bytes"] = static_cast<double>(bytes) / static_cast<double>(count);
    state.counters["changed_cells"] = static_cast<double>(changed) / static_cast<double>(count);
    label_variant(state);
}

void BM_TenthChangedBlock(benchmark::State& state)
{
    run_alternating(state, picture(5), picture_block_changed(5));
}

void BM_TenthChangedScattered(benchmark::State& state)
{
    run_alternating(state, picture(5), picture_scattered_changed(5));
}

void BM_EveryCellChanged(benchmark::State& state)
{
    run_alternating(state, picture(5), picture(6));
}

}  // namespace

BENCHMARK(BM_FullRedraw)->DenseRange(0, 2);
BENCHMARK(BM_TenthChangedBlock)->DenseRange(0, 2);
BENCHMARK(BM_TenthChangedScattered)->DenseRange(0, 2);
BENCHMARK(BM_EveryCellChanged)->DenseRange(0, 2);

BENCHMARK_MAIN();
