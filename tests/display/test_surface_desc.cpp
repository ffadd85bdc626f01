// Surface descriptions: accepted formats and channel values of single pixels.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "display/surface_desc.h"

namespace {

struct FreeDesc {
    void operator()(SurfaceDesc* d) const { std::free(d); }
};
using DescPtr = std::unique_ptr<SurfaceDesc, FreeDesc>;

DescPtr make_desc(int32_t bpp, int32_t w, int32_t h, int32_t pitch, uint32_t m0, uint32_t m1, uint32_t m2, uint32_t m3)
{
    return DescPtr(surface_desc_create(bpp, w, h, pitch, m0, m1, m2, m3));
}

using Sums = std::array<uint64_t, 4>;

// The channel values of the pixel at (x, y), summed from zero.
Sums sums_of(const DescPtr& d, const uint8_t* pixels, int32_t x, int32_t y)
{
    Sums sums = {0, 0, 0, 0};
    surface_accumulate_pixel(d.get(), pixels, x, y, sums.data());
    return sums;
}

TEST(SurfaceDesc, RejectsUnusableFormats)
{
    EXPECT_EQ(make_desc(32, 0, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_EQ(make_desc(32, 160, 0, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_EQ(make_desc(32, 160, 100, 0, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_EQ(make_desc(7, 160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_EQ(make_desc(33, 160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    // Negative sizes would make the cell spans read before the pixels.
    EXPECT_EQ(make_desc(32, -160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_EQ(make_desc(32, 160, -100, 640, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
    EXPECT_NE(make_desc(8, 1, 1, 1, 0, 0, 0, 0), nullptr);
    EXPECT_NE(make_desc(32, 1, 1, 4, 0xFF, 0xFF00, 0xFF0000, 0), nullptr);
}

TEST(SurfaceDesc, CanvasFormatReadsBytesZeroToTwo)
{
    DescPtr d = make_desc(32, 160, 100, 640, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->indexed, 0);
    EXPECT_EQ(d->has_alpha, 0);
    EXPECT_EQ(std::to_array(d->shift), (std::array<int32_t, 4>{0, 8, 16, 0}));
    EXPECT_EQ(std::to_array(d->scale), (std::array<int32_t, 4>{4, 4, 4, 0}));

    for (uint8_t unused : {0x00, 0x7F, 0xFF}) {
        const uint8_t pixel[4] = {0xFF, 0x00, 0x00, unused};
        EXPECT_EQ(sums_of(d, pixel, 0, 0), (Sums{4080, 0, 0, 0})) << int(unused);
    }
}

TEST(SurfaceDesc, IndexedSurfaceUsesGreyRamp)
{
    DescPtr d = make_desc(8, 2, 1, 2, 0, 0, 0, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->indexed, 1);
    EXPECT_EQ(d->has_alpha, 0);
    const uint8_t pixels[2] = {255, 160};
    EXPECT_EQ(sums_of(d, pixels, 0, 0), (Sums{4079, 4079, 4079, 0}));
    EXPECT_EQ(sums_of(d, pixels, 1, 0)[0], 2559u);
}

TEST(SurfaceDesc, MaskAnalysisOfSixteenBitAndOddMasks)
{
    DescPtr d = make_desc(16, 4, 4, 8, 0xF800, 0x07E0, 0x001F, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->shift[0], 11);
    EXPECT_EQ(d->shift[1], 5);
    EXPECT_EQ(d->shift[2], 0);
    EXPECT_EQ(d->scale[0], 7);
    EXPECT_EQ(d->scale[1], 6);
    EXPECT_EQ(d->scale[2], 7);

    int32_t shift = -1;
    int32_t scale = -1;
    mask_analyse(0, &shift, &scale);
    EXPECT_EQ(shift, 0);
    EXPECT_EQ(scale, 0);
    mask_analyse(0xF0F0, &shift, &scale);  // bits above the first run are not counted
    EXPECT_EQ(shift, 4);
    EXPECT_EQ(scale, 8);
}

TEST(SurfaceDesc, PixelsOfEveryWidthStayOnTheTwelveBitScale)
{
    // 16 bits: pure red 0xF800, little-endian.
    DescPtr d16 = make_desc(16, 1, 1, 2, 0xF800, 0x07E0, 0x001F, 0);
    const uint8_t red565[2] = {0x00, 0xF8};
    const Sums s16 = sums_of(d16, red565, 0, 0);
    EXPECT_EQ(s16[0], 31u << 7);
    EXPECT_EQ(s16[1], 0u);

    // 24 bits, second pixel of the second row.
    DescPtr d24 = make_desc(24, 2, 2, 8, 0xFF0000, 0xFF00, 0xFF, 0);
    uint8_t p24[16] = {};
    p24[8 + 3] = 0x10;
    p24[8 + 4] = 0x20;
    p24[8 + 5] = 0x30;
    const Sums s24 = sums_of(d24, p24, 1, 1);
    EXPECT_EQ(s24[0], 0x30u * 16);
    EXPECT_EQ(s24[1], 0x20u * 16);
    EXPECT_EQ(s24[2], 0x10u * 16);

    // A 16-bit-wide mask has a negative scale; its values still top at 4095.
    DescPtr wide = make_desc(32, 1, 1, 4, 0xFFFF, 0, 0, 0xFFFF0000);
    const uint8_t full[4] = {0xFF, 0xFF, 0x00, 0x80};
    const Sums sw = sums_of(wide, full, 0, 0);
    EXPECT_EQ(sw[0], 4095u);
    EXPECT_EQ(sw[3], 0x8000u >> 4);

    // Set bits above a mask's first run are capped rather than overflowing
    // the conversion's tables.
    DescPtr holey = make_desc(16, 1, 1, 2, 0xF00F, 0, 0, 0);
    const uint8_t all[2] = {0xFF, 0xFF};
    const Sums sh = sums_of(holey, all, 0, 0);
    EXPECT_EQ(sh[0], 4095u);
}

}  // namespace
