// Half-block frames replayed on a model terminal show the picture pixel for
// pixel; the palette mapping keeps flat colours and the average of gradients.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/block_output.h"
#include "platform/xterm256.h"
#include "support/screen_model.h"

namespace {

constexpr int32_t COLUMNS = 160;
constexpr int32_t ROWS = 50;

// A flat band (one-colour cells), grey stripes two pixels tall, and a
// gradient that moves with t; the unused top byte is never shown.
uint32_t test_pixel(int32_t x, int32_t y, int32_t t)
{
    if (y < 20) {
        return 0x402080u;
    }
    if (x < 40) {
        return static_cast<uint32_t>((y / 2) * 7 & 255) * 0x010101u;
    }
    uint32_t red = static_cast<uint32_t>(x * 5 + t * 9) & 255;
    uint32_t green = static_cast<uint32_t>(y * 7) & 255;
    uint32_t blue = static_cast<uint32_t>((x + y) * 3 + t) & 255;
    return red | green << 8 | blue << 16 | 0xAB000000u;
}

std::vector<uint32_t> test_picture(int32_t t)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(COLUMNS) * 2 * ROWS);
    for (int32_t y = 0; y < 2 * ROWS; y++) {
        for (int32_t x = 0; x < COLUMNS; x++) {
            pixels[static_cast<size_t>(y) * COLUMNS + x] = test_pixel(x, y, t);
        }
    }
    return pixels;
}

int32_t shown_colour(BlockColours colours, uint32_t pixel, int32_t x, int32_t y)
{
    if (colours == BLOCK_COLOURS_TRUECOLOR) {
        return 1000 + static_cast<int32_t>((pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF));
    }
    return SCREEN_PALETTE_BASE +
           xterm256_index(pixel & 0xFF, pixel >> 8 & 0xFF, pixel >> 16 & 0xFF, xterm256_threshold(x, y));
}

// Every half cell of the view on the model screen against the picture.
void expect_shows(const ScreenModel& screen, BlockColours colours, const std::vector<uint32_t>& pixels,
                  int32_t origin_column, int32_t origin_row, const char* step)
{
    int32_t wrong = 0;
    for (int32_t y = 0; y < ROWS; y++) {
        for (int32_t x = 0; x < COLUMNS; x++) {
            int32_t upper = 0;
            int32_t lower = 0;
            screen_halves(&screen, screen_index(&screen, origin_column + x, origin_row + y), &upper, &lower);
            wrong += upper != shown_colour(colours, pixels[static_cast<size_t>(2 * y) * COLUMNS + x], x, 2 * y);
            wrong += lower != shown_colour(colours, pixels[static_cast<size_t>(2 * y + 1) * COLUMNS + x], x, 2 * y + 1);
        }
    }
    EXPECT_EQ(wrong, 0) << step;
    EXPECT_EQ(screen.edge_overwrites, 0) << step;
}

TEST(BlockOutput, FramesReplayedShowThePicturePixelForPixel)
{
    struct Case {
        BlockColours colours;
        int32_t origin_column;  // the view's place on a larger screen
        int32_t origin_row;
    };
    const Case cases[] = {{BLOCK_COLOURS_TRUECOLOR, 0, 0},
                          {BLOCK_COLOURS_TRUECOLOR, 7, 3},
                          {BLOCK_COLOURS_256, 0, 0},
                          {BLOCK_COLOURS_256, 7, 3}};
    for (const Case& c : cases) {
        BlockEncoder encoder{};
        block_encoder_setup(&encoder, c.colours);
        block_encoder_place(&encoder, COLUMNS, ROWS, c.origin_column, c.origin_row);
        ScreenModel screen;
        screen_init(&screen, COLUMNS + 2 * c.origin_column, ROWS + 2 * c.origin_row);
        block_encoder_surround(&encoder, screen.columns, screen.rows);
        std::vector<uint32_t> scattered = test_picture(1);
        for (int32_t n = 0; n < 40; n++) {
            scattered[static_cast<size_t>(n * 397 % scattered.size())] ^= 0x00F0F0F0u;
        }
        const std::pair<const char*, std::vector<uint32_t>> steps[] = {{"fresh", test_picture(0)},
                                                                       {"moved", test_picture(1)},
                                                                       {"scattered", scattered},
                                                                       {"back", test_picture(0)}};
        for (const auto& [step, pixels] : steps) {
            const char* bytes = nullptr;
            int32_t length = block_encode(&encoder, pixels.data(), COLUMNS, &bytes);
            screen_apply(&screen, bytes, length);
            expect_shows(screen, c.colours, pixels, c.origin_column, c.origin_row, step);
            int32_t surround_not_black = 0;
            for (int32_t i = 0; i < screen.columns * screen.rows; i++) {
                int32_t x = i % screen.columns - c.origin_column;
                int32_t y = i / screen.columns - c.origin_row;
                if (x < 0 || x >= COLUMNS || y < 0 || y >= ROWS) {
                    surround_not_black += screen.backgrounds[i] != shown_colour(c.colours, 0, 0, 0);
                }
            }
            EXPECT_EQ(surround_not_black, 0) << step;
            EXPECT_EQ(screen.sync_open, 0) << step;
        }
        const char* bytes = nullptr;
        EXPECT_EQ(block_encode(&encoder, test_picture(0).data(), COLUMNS, &bytes), 0) << "nothing changed";
    }
}

// A one-colour picture needs one colour code for the whole screen.
TEST(BlockOutput, AColourIsSentOnlyWhenItChanges)
{
    BlockEncoder encoder{};
    block_encoder_setup(&encoder, BLOCK_COLOURS_TRUECOLOR);
    block_encoder_place(&encoder, COLUMNS, ROWS, 0, 0);
    std::vector<uint32_t> flat(static_cast<size_t>(COLUMNS) * 2 * ROWS, 0x123456u);
    const char* bytes = nullptr;
    int32_t length = block_encode(&encoder, flat.data(), COLUMNS, &bytes);
    ScreenModel screen;
    screen_init(&screen, COLUMNS, ROWS);
    screen_apply(&screen, bytes, length);
    EXPECT_EQ(screen.colour_codes, 2);  // the clear's reset and one background
}

TEST(BlockOutput, SixteenColoursOrNoneCannotShowBlocks)
{
    struct Case {
        ConsoleColours requested;
        ConsoleColours resolved;
        BlockColours blocks;
    };
    const Case cases[] = {
        {CONSOLE_COLOURS_AUTO, CONSOLE_COLOURS_TRUECOLOR, BLOCK_COLOURS_TRUECOLOR},  // COLORTERM=truecolor
        {CONSOLE_COLOURS_AUTO, CONSOLE_COLOURS_ANSI16, BLOCK_COLOURS_256},           // nothing said
        {CONSOLE_COLOURS_AUTO, CONSOLE_COLOURS_NONE, BLOCK_COLOURS_NONE},            // NO_COLOR
        {CONSOLE_COLOURS_TRUECOLOR, CONSOLE_COLOURS_TRUECOLOR, BLOCK_COLOURS_TRUECOLOR},
        {CONSOLE_COLOURS_256, CONSOLE_COLOURS_256, BLOCK_COLOURS_256},
        {CONSOLE_COLOURS_ANSI16, CONSOLE_COLOURS_ANSI16, BLOCK_COLOURS_NONE},
        {CONSOLE_COLOURS_NONE, CONSOLE_COLOURS_NONE, BLOCK_COLOURS_NONE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(block_colours_resolve(c.requested, c.resolved), c.blocks) << c.requested << " " << c.resolved;
    }
}

TEST(Xterm256, PaletteColoursStayAndGradientsKeepTheirAverage)
{
    struct Exact {
        uint8_t rgb[3];
        int32_t index;
    };
    const Exact exact[] = {
        {{0, 0, 0}, 16},        {{255, 255, 255}, 231}, {{255, 0, 0}, 196},     {{95, 135, 175}, 67},
        {{128, 128, 128}, 244}, {{8, 8, 8}, 232},       {{238, 238, 238}, 255}, {{0, 95, 0}, 22},
    };
    for (const Exact& e : exact) {
        for (int32_t threshold = 0; threshold < 16; threshold++) {
            EXPECT_EQ(xterm256_index(e.rgb[0], e.rgb[1], e.rgb[2], threshold), e.index) << e.index;
        }
        const uint8_t* shown = xterm256_colour(e.index);
        EXPECT_EQ(shown[0] + shown[1] + shown[2], e.rgb[0] + e.rgb[1] + e.rgb[2]) << e.index;
    }
    // Over the 16 thresholds a colour between levels averages out to itself,
    // within a sixteenth of the widest step (95).
    const uint8_t between[][3] = {{115, 0, 0}, {200, 100, 30}, {115, 115, 115}, {60, 60, 200}, {250, 5, 128}};
    for (const auto& rgb : between) {
        int32_t sum[3] = {0, 0, 0};
        for (int32_t threshold = 0; threshold < 16; threshold++) {
            const uint8_t* shown = xterm256_colour(xterm256_index(rgb[0], rgb[1], rgb[2], threshold));
            for (int32_t c = 0; c < 3; c++) {
                sum[c] += shown[c];
            }
        }
        for (int32_t c = 0; c < 3; c++) {
            EXPECT_LE(std::abs(sum[c] / 16 - rgb[c]), 6) << int(rgb[0]) << "," << int(rgb[1]) << "," << int(rgb[2]);
        }
    }
}

}  // namespace
