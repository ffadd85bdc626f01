// The frame encoder: what the screen shows after its bytes, and how few bytes it takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "moving_picture.h"
#include "platform/terminal_output.h"
#include "support/screen_model.h"

namespace {

struct Encoding {
    GlyphTable glyphs;
    ColourCodes colours;
    FrameEncoder encoder;
};

void encoding_setup(Encoding* encoding, ConsoleColours colours, int32_t utf8)
{
    glyph_table_build(&encoding->glyphs, utf8);
    colour_codes_build(&encoding->colours, colours);
    encoding->encoder = FrameEncoder{};
    frame_encoder_setup(&encoding->encoder, &encoding->glyphs, &encoding->colours);
}

std::string encode(Encoding* encoding, const uint8_t* characters, const uint8_t* attributes, int32_t stride)
{
    const char* bytes = nullptr;
    int32_t length = frame_encode(&encoding->encoder, characters, attributes, stride, &bytes);
    return std::string(bytes, bytes + length);
}

int32_t expected_colour(const ColourCodes& codes, int32_t index)
{
    if (codes.mode == CONSOLE_COLOURS_NONE) {
        return -1;
    }
    if (codes.mode == CONSOLE_COLOURS_TRUECOLOR) {
        const uint8_t* rgb = CLASSIC_PALETTE[index];
        return 1000 + (rgb[0] << 16) + (rgb[1] << 8) + rgb[2];
    }
    return ansi_from_console(index);
}

// Every cell of the view shows the grid's glyph and colours at the view's place.
void expect_screen_shows(const Encoding& encoding, const ScreenModel& screen, const uint8_t* characters,
                         const uint8_t* attributes, int32_t stride)
{
    const FrameEncoder& encoder = encoding.encoder;
    int32_t faults = 0;
    for (int32_t y = 0; y < encoder.rows; y++) {
        for (int32_t x = 0; x < encoder.columns && faults < 5; x++) {
            uint8_t character = characters[y * stride + x];
            uint8_t attribute = attributes[y * stride + x];
            int32_t i = screen_index(&screen, encoder.origin_column + x, encoder.origin_row + y);
            std::string glyph(reinterpret_cast<const char*>(encoding.glyphs.bytes[character]),
                              encoding.glyphs.length[character]);
            bool ok = screen.glyphs[i] == glyph &&
                      screen.backgrounds[i] == expected_colour(encoding.colours, attribute >> 4) &&
                      (encoding.glyphs.blank[character] != 0 ||
                       screen.foregrounds[i] == expected_colour(encoding.colours, attribute & 15));
            if (!ok) {
                faults++;
                ADD_FAILURE() << "cell " << x << "," << y << " shows '" << screen.glyphs[i] << "' fg "
                              << screen.foregrounds[i] << " bg " << screen.backgrounds[i] << ", wanted '" << glyph
                              << "' attribute " << static_cast<int>(attribute);
            }
        }
    }
    EXPECT_EQ(screen.edge_overwrites, 0);
    EXPECT_EQ(screen.sync_open, 0);
}

struct Grid {
    std::vector<uint8_t> characters = std::vector<uint8_t>(PICTURE_CELLS);
    std::vector<uint8_t> attributes = std::vector<uint8_t>(PICTURE_CELLS);
};

// A run of frames of every kind (first, moving, a tenth, still, one cell,
// a new place on a larger terminal) replayed onto a model terminal.
void replay_run(ConsoleColours colours, int32_t utf8)
{
    SCOPED_TRACE(testing::Message() << "colours " << colours << " utf8 " << utf8);
    Encoding encoding;
    encoding_setup(&encoding, colours, utf8);
    ScreenModel screen;
    screen_init(&screen, 100, 60);
    Grid grid;
    frame_encoder_place(&encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 10, 5);
    for (int32_t step = 0; step < 8; step++) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        if (step == 3) {
            moving_picture_tenth(grid.characters.data(), grid.attributes.data(), step, 20, 17);
        } else if (step == 4) {
            grid.characters[7 * PICTURE_COLUMNS + 79] ^= 0x01;  // the last column
        } else if (step == 6) {
            frame_encoder_place(&encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 20, 10);
            screen_init(&screen, 120, 70);
        } else if (step != 5) {
            moving_picture(grid.characters.data(), grid.attributes.data(), step);
        }
        std::string bytes = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
        screen_apply(&screen, bytes.data(), static_cast<int32_t>(bytes.size()));
        expect_screen_shows(encoding, screen, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
        if (step == 5) {
            EXPECT_EQ(bytes, "");
        }
    }
}

TEST(FrameEncoder, ReplayedBytesShowTheGridInEveryMode)
{
    for (ConsoleColours colours : {CONSOLE_COLOURS_ANSI16, CONSOLE_COLOURS_TRUECOLOR, CONSOLE_COLOURS_NONE}) {
        for (int32_t utf8 : {0, 1}) {
            replay_run(colours, utf8);
        }
    }
}

// A uniform grid of 'A' in yellow on blue, already shown.
struct ShownGrid {
    Encoding encoding;
    uint8_t characters[PICTURE_CELLS];
    uint8_t attributes[PICTURE_CELLS];
};

void shown_grid_setup(ShownGrid* shown)
{
    encoding_setup(&shown->encoding, CONSOLE_COLOURS_ANSI16, 1);
    std::memset(shown->characters, 'A', sizeof(shown->characters));
    std::memset(shown->attributes, 0x1E, sizeof(shown->attributes));
    frame_encoder_place(&shown->encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 0, 0);
    encode(&shown->encoding, shown->characters, shown->attributes, PICTURE_COLUMNS);
}

TEST(FrameEncoder, SendsOnlyTheChangedCellsWithTheirColourWhenItChanges)
{
    ShownGrid shown;
    shown_grid_setup(&shown);
    EXPECT_EQ(encode(&shown.encoding, shown.characters, shown.attributes, PICTURE_COLUMNS), "");
    EXPECT_EQ(shown.encoding.encoder.last_mode, FRAME_NOTHING);

    shown.characters[2 * PICTURE_COLUMNS + 3] = 'B';
    EXPECT_EQ(encode(&shown.encoding, shown.characters, shown.attributes, PICTURE_COLUMNS),
              "\x1b[?2026h\x1b[3;4HB\x1b[?2026l");

    // Bright red foreground: console 12 is ANSI 9, code 91; the background stays.
    shown.attributes[2 * PICTURE_COLUMNS + 3] = 0x1C;
    EXPECT_EQ(encode(&shown.encoding, shown.characters, shown.attributes, PICTURE_COLUMNS),
              "\x1b[?2026h\x1b[3;4H\x1b[91mB\x1b[?2026l");

    // Two cells one apart: the unchanged one between is resent, cheaper than a move.
    shown.characters[10 * PICTURE_COLUMNS + 3] = 'C';
    shown.characters[10 * PICTURE_COLUMNS + 5] = 'D';
    shown.characters[10 * PICTURE_COLUMNS + 40] = 'E';
    EXPECT_EQ(encode(&shown.encoding, shown.characters, shown.attributes, PICTURE_COLUMNS),
              "\x1b[?2026h\x1b[11;4H\x1b[93mCAD\x1b[34CE\x1b[?2026l");
}

TEST(FrameEncoder, ColourCodesOnlyWhereTheColourChanges)
{
    ShownGrid shown;
    encoding_setup(&shown.encoding, CONSOLE_COLOURS_ANSI16, 1);
    frame_encoder_place(&shown.encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 0, 0);
    // Runs of 8 cells in one colour: 10 colour changes per row, carried across rows.
    int32_t changes = 0;
    uint8_t previous = 0xFF;
    for (int32_t i = 0; i < PICTURE_CELLS; i++) {
        shown.characters[i] = 'x';
        shown.attributes[i] = static_cast<uint8_t>((i / 8) % 2 == 0 ? 0x4A : 0x2C);
        changes += shown.attributes[i] != previous;
        previous = shown.attributes[i];
    }
    // Spaces show no foreground: a foreground change under them costs nothing.
    for (int32_t x = 0; x < PICTURE_COLUMNS; x++) {
        shown.characters[x] = ' ';
        shown.attributes[x] = static_cast<uint8_t>(0x40 | (x % 16));
    }
    std::string bytes = encode(&shown.encoding, shown.characters, shown.attributes, PICTURE_COLUMNS);
    ScreenModel screen;
    screen_init(&screen, PICTURE_COLUMNS, PICTURE_ROWS);
    screen_apply(&screen, bytes.data(), static_cast<int32_t>(bytes.size()));
    expect_screen_shows(shown.encoding, screen, shown.characters, shown.attributes, PICTURE_COLUMNS);
    // One code per run from row 1 on (row 0's 10 runs are gone), one for row
    // 0's background, and the clear's reset.
    EXPECT_EQ(screen.colour_codes, changes - 10 + 1 + 1);
}

TEST(FrameEncoder, WithoutColoursAColourChangeAloneSendsNothing)
{
    Encoding encoding;
    encoding_setup(&encoding, CONSOLE_COLOURS_NONE, 0);
    Grid grid;
    moving_picture(grid.characters.data(), grid.attributes.data(), 0);
    frame_encoder_place(&encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 0, 0);
    std::string first = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    EXPECT_EQ(std::count(first.begin(), first.end(), 'm'), 1) << "the clear's reset is the only colour code";
    for (uint8_t& attribute : grid.attributes) {
        attribute ^= 0x11;
    }
    EXPECT_EQ(encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS), "");
}

TEST(FrameEncoder, ChoosesChangedCellsOrAFullRedrawPerFrame)
{
    Encoding encoding;
    encoding_setup(&encoding, CONSOLE_COLOURS_ANSI16, 1);
    Grid grid;
    frame_encoder_place(&encoding.encoder, PICTURE_COLUMNS, PICTURE_ROWS, 0, 0);
    moving_picture(grid.characters.data(), grid.attributes.data(), 0);
    std::string first = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    EXPECT_EQ(first.rfind("\x1b[?2026h\x1b[0m\x1b[H\x1b[2J", 0), 0u) << "a fresh screen is cleared first";

    moving_picture(grid.characters.data(), grid.attributes.data(), 1);
    std::string all = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    EXPECT_EQ(encoding.encoder.last_mode, FRAME_FULL);
    EXPECT_EQ(all.find("\x1b[2J"), std::string::npos) << "no clear when the screen is known";
    EXPECT_LE(all.size(), 25000u);

    moving_picture_tenth(grid.characters.data(), grid.attributes.data(), 1, 30, 20);
    std::string tenth = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    EXPECT_EQ(encoding.encoder.last_mode, FRAME_CHANGED);
    EXPECT_GT(encoding.encoder.last_changed_cells, PICTURE_CELLS / 12);
    EXPECT_LT(tenth.size(), 2000u);

    // Either side of the line: all but 1/16 of the cells changed.
    const int32_t line = PICTURE_CELLS - PICTURE_CELLS / FRAME_FULL_DIVISOR;
    for (int32_t changed : {line - 1, line}) {
        Grid next = grid;
        for (int32_t i = 0; i < changed; i++) {
            next.characters[i] ^= 0x01;
        }
        Encoding trial = encoding;
        trial.encoder.glyphs = &trial.glyphs;
        trial.encoder.colours = &trial.colours;
        encode(&trial, next.characters.data(), next.attributes.data(), PICTURE_COLUMNS);
        EXPECT_EQ(trial.encoder.last_changed_cells, changed);
        EXPECT_EQ(trial.encoder.last_mode, changed == line ? FRAME_FULL : FRAME_CHANGED);
    }
}

TEST(FrameEncoder, AStrideWiderThanTheViewReadsOnlyTheView)
{
    Encoding encoding;
    encoding_setup(&encoding, CONSOLE_COLOURS_ANSI16, 1);
    Grid grid;
    moving_picture(grid.characters.data(), grid.attributes.data(), 2);
    frame_encoder_place(&encoding.encoder, 7, 3, 1, 1);
    std::string bytes = encode(&encoding, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    ScreenModel screen;
    screen_init(&screen, 9, 5);
    screen_apply(&screen, bytes.data(), static_cast<int32_t>(bytes.size()));
    expect_screen_shows(encoding, screen, grid.characters.data(), grid.attributes.data(), PICTURE_COLUMNS);
    EXPECT_EQ(screen.glyphs[screen_index(&screen, 8, 4)], " ") << "nothing outside the view";
}

}  // namespace

// An encoder declared without braces (on a stack that held other data) must
// still start with no view: its first placement sizes the buffers from it.
TEST(FrameEncoderStart, NoViewAndAnUnknownScreenWhateverTheMemoryHeld)
{
    alignas(FrameEncoder) unsigned char storage[sizeof(FrameEncoder)];
    std::memset(storage, 0xA5, sizeof storage);
    FrameEncoder* encoder = new (storage) FrameEncoder;
    EXPECT_EQ(encoder->columns, 0);
    EXPECT_EQ(encoder->rows, 0);
    EXPECT_EQ(encoder->screen_columns, 0);
    EXPECT_EQ(encoder->screen_rows, 0);
    EXPECT_FALSE(encoder->shadow_valid);
    EXPECT_EQ(encoder->pen_foreground, -1);
    encoder->~FrameEncoder();
}
