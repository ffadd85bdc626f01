// Canvas colours -> the xterm 256-colour palette with a 4 x 4 ordered dither.
#include "platform/xterm256.h"

#include <array>
#include <cstddef>

namespace {

// The cube's six levels per channel, and the grey ramp with the cube's black
// and white at its ends (26 levels).
constexpr int32_t CUBE_LEVELS[6] = {0, 95, 135, 175, 215, 255};
constexpr int32_t CUBE_BASE = 16;
constexpr int32_t GREY_BASE = 232;
constexpr int32_t GREY_COUNT = 26;

constexpr int32_t grey_level(int32_t k)
{
    return k == 0 ? 0 : k == GREY_COUNT - 1 ? 255 : 8 + 10 * (k - 1);
}

constexpr int32_t grey_index(int32_t k)
{
    return k == 0 ? CUBE_BASE : k == GREY_COUNT - 1 ? CUBE_BASE + 215 : GREY_BASE + k - 1;
}

// Everything a pixel needs, looked up instead of searched: per channel value
// the dithered cube level at each threshold, the nearest level's squared
// error; per grey value the dithered ramp index and the nearest level.
struct Xterm256Tables {
    uint8_t cube_step[16][256];
    int32_t cube_error[256];
    uint8_t grey_step[16][256];
    uint8_t grey_nearest[256];
};

// Level k of n levels below or at v, and v's share of the step above, 0..16 * span.
template <typename Level>
constexpr void locate(int32_t v, int32_t n, Level level, int32_t* k, int32_t* share, int32_t* span)
{
    *k = 0;
    while (*k + 1 < n - 1 && level(*k + 1) <= v) {
        *k += 1;
    }
    *span = level(*k + 1) - level(*k);
    *share = (v - level(*k)) * 16;
}

constexpr Xterm256Tables make_tables()
{
    Xterm256Tables t{};
    auto cube = [](int32_t k) { return CUBE_LEVELS[k]; };
    for (int32_t v = 0; v < 256; v++) {
        int32_t k = 0;
        int32_t share = 0;
        int32_t span = 1;
        locate(v, 6, cube, &k, &share, &span);
        int32_t nearest = 2 * share > 16 * span ? CUBE_LEVELS[k + 1] : CUBE_LEVELS[k];
        t.cube_error[v] = (v - nearest) * (v - nearest);
        for (int32_t threshold = 0; threshold < 16; threshold++) {
            t.cube_step[threshold][v] = static_cast<uint8_t>(share > threshold * span ? k + 1 : k);
        }
        locate(v, GREY_COUNT, grey_level, &k, &share, &span);
        t.grey_nearest[v] = static_cast<uint8_t>(2 * share > 16 * span ? grey_level(k + 1) : grey_level(k));
        for (int32_t threshold = 0; threshold < 16; threshold++) {
            t.grey_step[threshold][v] = static_cast<uint8_t>(grey_index(share > threshold * span ? k + 1 : k));
        }
    }
    return t;
}

constexpr Xterm256Tables TABLES = make_tables();

constexpr std::array<std::array<uint8_t, 3>, 256> make_palette()
{
    std::array<std::array<uint8_t, 3>, 256> p{};
    for (int32_t i = 0; i < 216; i++) {
        p[CUBE_BASE + i] = {static_cast<uint8_t>(CUBE_LEVELS[i / 36]), static_cast<uint8_t>(CUBE_LEVELS[i / 6 % 6]),
                            static_cast<uint8_t>(CUBE_LEVELS[i % 6])};
    }
    for (int32_t k = 1; k < GREY_COUNT - 1; k++) {
        uint8_t level = static_cast<uint8_t>(grey_level(k));
        p[grey_index(k)] = {level, level, level};
    }
    return p;
}

constexpr std::array<std::array<uint8_t, 3>, 256> PALETTE = make_palette();

}  // namespace

const uint8_t* xterm256_colour(int32_t index)
{
    return PALETTE[static_cast<size_t>(index & 255)].data();
}

int32_t xterm256_index(int32_t red, int32_t green, int32_t blue, int32_t threshold)
{
    // Integer mean: (r + g + b) / 3 without a division.
    int32_t mean = ((red + green + blue) * 21846) >> 16;
    int32_t grey = TABLES.grey_nearest[mean];
    int32_t grey_error = (red - grey) * (red - grey) + (green - grey) * (green - grey) + (blue - grey) * (blue - grey);
    int32_t cube_error = TABLES.cube_error[red] + TABLES.cube_error[green] + TABLES.cube_error[blue];
    if (grey_error < cube_error) {
        return TABLES.grey_step[threshold][mean];
    }
    const uint8_t* step = TABLES.cube_step[threshold];
    return CUBE_BASE + 36 * step[red] + 6 * step[green] + step[blue];
}
