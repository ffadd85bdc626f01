// Drawing into generator pictures: blending by alpha, clipping at the edges, gradients and colour arithmetic.
#include <gtest/gtest.h>

#include "picture.h"

TEST(PictureOps, BlendMixesByAlphaAndKeepsTheLargerAlpha)
{
    struct Case {
        uint32_t under, over, expected;
    };
    const Case cases[] = {
        {rgba(0, 0, 0, 0), rgba(200, 100, 50, 255), rgba(200, 100, 50, 255)},   // opaque replaces
        {rgba(10, 20, 30, 255), rgba(200, 100, 50, 0), rgba(10, 20, 30, 255)},  // clear leaves alone
        {rgba(0, 0, 0, 255), rgba(255, 255, 255, 102), rgba(102, 102, 102, 255)},
        {rgba(100, 100, 100, 0), rgba(200, 0, 0, 51), rgba(120, 80, 80, 51)},  // clear under takes the alpha
    };
    for (const Case& c : cases) {
        Picture p = make_picture(1, 1, c.under, true);
        blend(&p, 0, 0, c.over);
        EXPECT_EQ(p.pixels[0], c.expected) << std::hex << c.under << " " << c.over;
    }
}

TEST(PictureOps, DrawingOutsideThePictureIsClippedNotWritten)
{
    Picture p = make_picture(4, 3, rgba(0, 0, 0), false);
    fill_box(&p, -10, -10, 2, 2, rgba(255, 0, 0));
    fill_box(&p, 3, 2, 100, 100, rgba(0, 255, 0));
    put(&p, -1, 0, rgba(1, 1, 1));
    put(&p, 4, 0, rgba(1, 1, 1));
    fill_disc(&p, -50, -50, 3, rgba(0, 0, 255));
    draw_thick_line(&p, -20, 1, -5, 1, 2, rgba(0, 0, 255));
    ASSERT_EQ(p.pixels.size(), 12u);
    EXPECT_EQ(get(p, 0, 0), rgba(255, 0, 0));
    EXPECT_EQ(get(p, 1, 1), rgba(255, 0, 0));
    EXPECT_EQ(get(p, 2, 0), rgba(0, 0, 0));
    EXPECT_EQ(get(p, 3, 2), rgba(0, 255, 0));
    EXPECT_EQ(get(p, 2, 2), rgba(0, 0, 0));
    EXPECT_EQ(get(p, -1, 0), 0u);  // outside reads as nothing
}

TEST(PictureOps, GradientsReachBothEndsAndColoursClamp)
{
    Picture p = make_picture(2, 5, 0, false);
    vertical_gradient(&p, 0, 5, rgba(0, 0, 0), rgba(200, 100, 40));
    EXPECT_EQ(get(p, 1, 0), rgba(0, 0, 0));
    EXPECT_EQ(get(p, 0, 4), rgba(200, 100, 40));
    EXPECT_EQ(get(p, 0, 2), rgba(100, 50, 20));
    EXPECT_EQ(shade(rgba(200, 100, 10, 7), 2.0f), rgba(255, 200, 20, 7));
    EXPECT_EQ(mix(rgba(0, 0, 0, 0), rgba(255, 255, 255, 255), 2.0f), rgba(255, 255, 255, 255));
    EXPECT_EQ(hex(0x102030), rgba(0x10, 0x20, 0x30));
}

TEST(PictureOps, PasteBlendsTheSourceOverTheDestination)
{
    Picture dst = make_picture(3, 1, rgba(0, 0, 100), false);
    Picture src = make_picture(2, 1, rgba(255, 0, 0, 255), true);
    src.pixels[1] = rgba(255, 0, 0, 0);
    paste(&dst, src, 1, 0);
    EXPECT_EQ(get(dst, 0, 0), rgba(0, 0, 100));
    EXPECT_EQ(get(dst, 1, 0), rgba(255, 0, 0));
    EXPECT_EQ(get(dst, 2, 0), rgba(0, 0, 100));
}
