// The dither sources: constant, ordered matrices and the shared generator.
#include "display/dither.h"

#include "core/random.h"
#include "display/console_display.h"

// clang-format off
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
// clang-format on

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
    case DITHER_NONE:
        return 0;
    case DITHER_BAYER2:
        select_ordered(d, BAYER2, 2);
        return 0;
    case DITHER_BAYER4:
        select_ordered(d, BAYER4, 4);
        return 0;
    case DITHER_BAYER8:
        select_ordered(d, BAYER8, 8);
        return 0;
    case DITHER_RANDOM:
        d->value = random_value;
        return 0;
    default:
        return -1;
    }
}
