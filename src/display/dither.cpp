// The dither sources and the ranged random number.
#include "display/dither.h"

#include "display/console_display.h"
#include "display/row_pass.h"
#include "runtime/random.h"

const uint8_t BAYER2[2 * 2] = {
    0, 128,
    192, 64,
};

const uint8_t BAYER4[4 * 4] = {
    0, 128, 32, 160,
    192, 64, 224, 96,
    48, 176, 16, 144,
    240, 112, 208, 80,
};

const uint8_t BAYER8[8 * 8] = {
    0, 128, 32, 160, 8, 136, 40, 168,
    192, 64, 224, 96, 200, 72, 232, 104,
    48, 176, 16, 144, 56, 184, 24, 152,
    240, 112, 208, 80, 248, 120, 216, 88,
    12, 140, 44, 172, 4, 132, 36, 164,
    204, 76, 236, 108, 196, 68, 228, 100,
    60, 188, 28, 156, 52, 180, 20, 148,
    252, 124, 220, 92, 244, 116, 212, 84,
};

int32_t random_in_range(int32_t lo, int32_t hi)
{
    const int64_t r = random_next();
    return lo + static_cast<int32_t>(r * (static_cast<int64_t>(hi) - lo + 1) / 32768);
}

// The dither tests check the jumps below against random_next.
constexpr uint32_t LCG_MULTIPLIER = RANDOM_MULTIPLIER;
constexpr uint32_t LCG_INCREMENT = RANDOM_INCREMENT;
constexpr int32_t JUMP = 32;

// The state k + 1 steps after any state s: s * multiplier[k] + increment[k].
struct LcgJumps {
    uint32_t multiplier[JUMP];
    uint32_t increment[JUMP];
};

constexpr LcgJumps make_jumps()
{
    LcgJumps j{};
    uint32_t a = LCG_MULTIPLIER;
    uint32_t c = LCG_INCREMENT;
    for (int32_t k = 0; k < JUMP; k++) {
        j.multiplier[k] = a;
        j.increment[k] = c;
        a *= LCG_MULTIPLIER;
        c = c * LCG_MULTIPLIER + LCG_INCREMENT;
    }
    return j;
}

constexpr LcgJumps LCG_JUMPS = make_jumps();

ROW_PASS void random_fill_bytes(int32_t* out, int32_t count)
{
    uint32_t state = random_state.state;
    int32_t i = 0;
    // JUMP values from one state: independent multiplications instead of a
    // chain of JUMP steps. (r * 256 / 32768 of r = (state >> 16) & 0x7FFF is
    // (state >> 23) & 0xFF.)
    for (; i + JUMP <= count; i += JUMP) {
        for (int32_t k = 0; k < JUMP; k++) {
            const uint32_t later = state * LCG_JUMPS.multiplier[k] + LCG_JUMPS.increment[k];
            out[i + k] = static_cast<int32_t>((later >> 23) & 0xFF);
        }
        state = state * LCG_JUMPS.multiplier[JUMP - 1] + LCG_JUMPS.increment[JUMP - 1];
    }
    random_state.state = state;
    for (; i < count; i++)
        out[i] = random_in_range(0, 255);
}

static void no_start_row(DitherSource*, int32_t) {}
static void no_advance(DitherSource*) {}

static int32_t constant_value(DitherSource*)
{
    return 128;
}

static int32_t random_value(DitherSource*)
{
    return random_in_range(0, 255);
}

// Rows follow absolute row numbers; columns restart at the first visited one.
static void ordered_start_row(DitherSource* d, int32_t y)
{
    d->row = d->matrix + (y % d->size) * d->size;
    d->column = 0;
}

static int32_t ordered_value(DitherSource* d)
{
    return d->row[d->column];
}

static void ordered_advance(DitherSource* d)
{
    d->column = (d->column + 1) % d->size;
}

static void select_ordered(DitherSource* d, const uint8_t* matrix, int32_t size)
{
    d->start_row = ordered_start_row;
    d->value = ordered_value;
    d->advance = ordered_advance;
    d->matrix = matrix;
    d->size = size;
    d->row = matrix;
}

int32_t dither_source_select(DitherSource* d, int32_t option)
{
    *d = DitherSource{no_start_row, constant_value, no_advance, nullptr, 0, nullptr, 0};
    switch (option) {
    case OPT_DITHER_NONE:
        return 0;
    case OPT_DITHER_BAYER2:
        select_ordered(d, BAYER2, 2);
        return 0;
    case OPT_DITHER_BAYER4:
        select_ordered(d, BAYER4, 4);
        return 0;
    case OPT_DITHER_BAYER8:
        select_ordered(d, BAYER8, 8);
        return 0;
    case OPT_DITHER_RANDOM:
        d->value = random_value;
        return 0;
    default:
        return -1;
    }
}
