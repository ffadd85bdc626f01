// The recording console driver: every presented frame encoded into the bytes a terminal would be sent.
#include "platform/recording.h"

#include <cstring>
#include <vector>

#include "platform/block_output.h"
#include "platform/glyphs.h"
#include "platform/mono_glyphs.h"
#include "platform/palette.h"
#include "platform/terminal_output.h"

namespace {

struct RecordingState {
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
    MonoTable mono;                   // built when no colours are recorded
    std::vector<uint8_t> mono_grid;   // sized with the grid, not per frame
    std::vector<uint8_t> characters;  // the last frame, columns x rows
    std::vector<uint8_t> attributes;
    BlockEncoder blocks;
    std::vector<uint32_t> pixels;  // the last block frame, columns x (2 x rows); empty for cells
    int32_t columns;
    int32_t rows;
    RecordingSink sink;
    void* sink_user;
};

// Lives for the whole process; the tables are rebuilt at every opening.
RecordingState recording = {};

// A recording is replayed on some other terminal later: its bytes must not
// depend on this one's locale or environment, so the glyphs are always UTF-8
// (what the recording format carries) and "auto" colours mean the 16 colours.
int32_t recording_open()
{
    glyph_table_build(&recording.glyphs, 1);
    ConsoleColours mode = console_settings.colours;
    colour_codes_build(&recording.colours, mode == CONSOLE_COLOURS_AUTO ? CONSOLE_COLOURS_ANSI16 : mode);
    if (recording.colours.mode == CONSOLE_COLOURS_NONE) {
        mono_table_build(&recording.mono);
    }
    frame_encoder_setup(&recording.encoder, &recording.glyphs, &recording.colours);
    block_encoder_setup(&recording.blocks, console_settings.look == CONSOLE_LOOK_BLOCKS
                                               ? platform_recording_block_colours(console_settings.colours)
                                               : BLOCK_COLOURS_NONE);
    recording.pixels.clear();
    recording.columns = 0;
    recording.rows = 0;
    return 0;
}

void recording_close() {}

void recording_grid(int32_t* columns, int32_t* rows)
{
    console_grid_choose(RECORDING_COLUMNS, RECORDING_ROWS, columns, rows);
}

void recording_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    *view_columns = grid_columns;
    *view_rows = grid_rows;
}

// Allocates only when the grid changes size.
void keep_cells(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t columns, int32_t rows)
{
    size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    if (recording.characters.size() != cells) {
        recording.characters.assign(cells, 0);
        recording.attributes.assign(cells, 0);
        recording.mono_grid.assign(cells, 0);
    }
    for (int32_t y = 0; y < rows; y++) {
        size_t from = static_cast<size_t>(y) * stride;
        size_t to = static_cast<size_t>(y) * columns;
        std::memcpy(recording.characters.data() + to, characters + from, static_cast<size_t>(columns));
        std::memcpy(recording.attributes.data() + to, attributes + from, static_cast<size_t>(columns));
    }
    recording.columns = columns;
    recording.rows = rows;
}

void recording_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                     int32_t view_rows)
{
    if (view_columns <= 0 || view_rows <= 0) {
        return;
    }
    keep_cells(characters, attributes, stride, view_columns, view_rows);
    recording.pixels.clear();
    const uint8_t* shown_characters = recording.characters.data();
    const uint8_t* shown_attributes = recording.attributes.data();
    // As the terminal does: without colours the glyph alone carries the picture.
    if (recording.colours.mode == CONSOLE_COLOURS_NONE) {
        mono_cells(&recording.mono, shown_characters, shown_attributes, view_columns, view_columns, view_rows,
                   recording.mono_grid.data());
        shown_characters = recording.mono_grid.data();
        shown_attributes = recording.mono_grid.data();
    }
    frame_encoder_place(&recording.encoder, view_columns, view_rows, 0, 0);
    const char* bytes = nullptr;
    int32_t length = frame_encode(&recording.encoder, shown_characters, shown_attributes, view_columns, &bytes);
    if (recording.sink != nullptr) {
        recording.sink(bytes, length, recording.sink_user);
    }
}

int32_t recording_shows_blocks()
{
    return recording.blocks.colours != BLOCK_COLOURS_NONE ? 1 : 0;
}

// Allocates only when the grid changes size.
void keep_pixels(const uint32_t* pixels, int32_t stride, int32_t columns, int32_t rows)
{
    size_t count = static_cast<size_t>(columns) * static_cast<size_t>(2 * rows);
    recording.pixels.resize(count);
    for (int32_t y = 0; y < 2 * rows; y++) {
        std::memcpy(recording.pixels.data() + static_cast<size_t>(y) * columns,
                    pixels + static_cast<size_t>(y) * stride, static_cast<size_t>(columns) * sizeof(uint32_t));
    }
    recording.columns = columns;
    recording.rows = rows;
}

void recording_write_blocks(const uint32_t* pixels, int32_t stride, int32_t view_columns, int32_t view_rows)
{
    if (view_columns <= 0 || view_rows <= 0) {
        return;
    }
    keep_pixels(pixels, stride, view_columns, view_rows);
    block_encoder_place(&recording.blocks, view_columns, view_rows, 0, 0);
    const char* bytes = nullptr;
    int32_t length = block_encode(&recording.blocks, recording.pixels.data(), view_columns, &bytes);
    if (recording.sink != nullptr) {
        recording.sink(bytes, length, recording.sink_user);
    }
}

}  // namespace

// Nobody types at a recording, and with no screen to draw over, messages go
// to standard error at once.
const ConsoleDriver RECORDING_CONSOLE_DRIVER = {
    .name = "recording",
    .open = recording_open,
    .close = recording_close,
    .grid = recording_grid,
    .view = recording_view,
    .write = recording_write,
    .shows_blocks = recording_shows_blocks,
    .write_blocks = recording_write_blocks,
};

void platform_recording_set_sink(RecordingSink sink, void* user)
{
    recording.sink = sink;
    recording.sink_user = user;
}

BlockColours platform_recording_block_colours(ConsoleColours requested)
{
    return block_colours_resolve(requested, requested == CONSOLE_COLOURS_AUTO ? CONSOLE_COLOURS_TRUECOLOR : requested);
}

RecordedFrame platform_recording_last_frame()
{
    if (recording.columns == 0) {
        return RecordedFrame{0, 0, nullptr, nullptr, nullptr};
    }
    if (!recording.pixels.empty()) {
        return RecordedFrame{recording.columns, recording.rows, nullptr, nullptr, recording.pixels.data()};
    }
    return RecordedFrame{recording.columns, recording.rows, recording.characters.data(), recording.attributes.data(),
                         nullptr};
}
