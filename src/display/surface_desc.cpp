// Creating surface descriptions and reading pixels through them.
#include "display/surface_desc.h"

#include <bit>
#include <cstddef>
#include <cstdlib>

SurfaceDesc* surface_desc_create(int32_t bits_per_pixel, int32_t width, int32_t height, int32_t pitch, uint32_t mask0,
                                 uint32_t mask1, uint32_t mask2, uint32_t mask3)
{
    // Negative sizes would turn the cell spans into reads before the pixels.
    if (width < 1 || height < 1 || pitch == 0) {
        return nullptr;
    }
    if (bits_per_pixel < 8 || bits_per_pixel > 32) {
        return nullptr;
    }
    SurfaceDesc* desc = static_cast<SurfaceDesc*>(std::calloc(1, sizeof(SurfaceDesc)));
    if (desc == nullptr) {
        return nullptr;
    }

    desc->bits_per_pixel = bits_per_pixel;
    desc->width = width;
    desc->height = height;
    desc->pitch = pitch;
    const uint32_t masks[4] = {mask0, mask1, mask2, mask3};
    for (int32_t c = 0; c < 4; c++) {
        desc->mask[c] = masks[c];
        mask_analyse(masks[c], &desc->shift[c], &desc->scale[c]);
    }
    desc->indexed = 0;
    desc->has_alpha = mask3 != 0 ? 1 : 0;

    if (bits_per_pixel == 8) {
        desc->indexed = 1;
        desc->has_alpha = 0;
        // Grey ramp 0..4079; table 3 stays zero, so indexed alpha reads as 0.
        for (int32_t i = 0; i < 256; i++) {
            const int32_t grey = i * 4095 / 256;
            desc->table[CHANNEL_RED][i] = grey;
            desc->table[CHANNEL_GREEN][i] = grey;
            desc->table[CHANNEL_BLUE][i] = grey;
        }
    }
    return desc;
}

void mask_analyse(uint32_t mask, int32_t* shift, int32_t* scale)
{
    if (mask == 0) {
        *shift = 0;
        *scale = 0;
        return;
    }
    const int32_t low = std::countr_zero(mask);
    const int32_t run = std::countr_one(mask >> low);
    *shift = low;
    *scale = CHANNEL_BITS - run;
}

static uint32_t read_raw_pixel(const uint8_t* p, int32_t bytes_per_pixel)
{
    switch (bytes_per_pixel) {
    case 2:
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
    case 3:
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
    case 4:
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
               static_cast<uint32_t>(p[3]) << 24;
    default:
        return p[0];
    }
}

void surface_accumulate_pixel(const SurfaceDesc* desc, const void* pixels, int32_t x, int32_t y, uint64_t sums[4])
{
    const int32_t bytes_per_pixel = desc->bits_per_pixel / 8;
    const uint8_t* p = static_cast<const uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * desc->pitch +
                       static_cast<ptrdiff_t>(x) * bytes_per_pixel;
    const uint32_t raw = read_raw_pixel(p, bytes_per_pixel);

    if (desc->indexed) {
        sums[CHANNEL_RED] += static_cast<uint32_t>(desc->table[CHANNEL_RED][raw & 0xFF]);
        sums[CHANNEL_GREEN] += static_cast<uint32_t>(desc->table[CHANNEL_GREEN][raw & 0xFF]);
        sums[CHANNEL_BLUE] += static_cast<uint32_t>(desc->table[CHANNEL_BLUE][raw & 0xFF]);
        return;
    }
    for (int32_t c = 0; c < 4; c++) {
        const uint32_t bits = (raw & desc->mask[c]) >> desc->shift[c];
        // A mask wider than 12 bits has a negative scale: shift the other way
        // rather than shift by a negative count.
        const int32_t scale = desc->scale[c];
        uint64_t v = scale >= 0 ? static_cast<uint64_t>(bits) << scale : static_cast<uint64_t>(bits >> -scale);
        // Set bits above the mask's lowest run would reach past 4095 and past
        // the conversion's tables: cap them.
        if (v > static_cast<uint64_t>(CHANNEL_MAX)) {
            v = static_cast<uint64_t>(CHANNEL_MAX);
        }
        sums[c] += v;
    }
}
