// The generator's own pieces: the TGA bytes, tileable noise, the font's measure, posing by bones, and GML round trips.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gml_writer.h"
#include "graffiti/gml.h"
#include "noise.h"
#include "pen_font.h"
#include "pixel_font.h"
#include "skeleton.h"
#include "tga_writer.h"

TEST(TgaWriter, HeaderAndPixelsAreTopRowFirstBlueGreenRed)
{
    Picture p = make_picture(2, 1, rgba(10, 20, 30, 40), true);
    p.pixels[1] = rgba(1, 2, 3, 255);
    const std::vector<uint8_t> bytes = encode_tga(p);
    const std::vector<uint8_t> expected = {0, 0, 2, 0,  0,    0,  0,  0,  0,  0, 0, 0, 2,
                                           0, 1, 0, 32, 0x28, 30, 20, 10, 40, 3, 2, 1, 255};
    EXPECT_EQ(bytes, expected);
    Picture opaque = make_picture(1, 1, rgba(10, 20, 30), false);
    const std::vector<uint8_t> three = encode_tga(opaque);
    ASSERT_EQ(three.size(), 18u + 3u);
    EXPECT_EQ(three[16], 24);
    EXPECT_EQ(three[17], 0x20);
}

TEST(TileNoise, RepeatsOverItsPeriodAndStaysInRange)
{
    for (float x = 0; x < 64; x += 7.5f) {
        for (float y = 0; y < 64; y += 5.25f) {
            const float a = tile_fractal(x, y, 16, 4, 3, 9);
            EXPECT_FLOAT_EQ(a, tile_fractal(x + 64, y, 16, 4, 3, 9));
            EXPECT_FLOAT_EQ(a, tile_fractal(x, y + 64, 16, 4, 3, 9));
            EXPECT_TRUE(a >= 0.0f && a <= 1.0f);
        }
    }
}

TEST(PixelFont, MeasuresWhatItDraws)
{
    EXPECT_EQ(text_width("", 2), 0);
    EXPECT_EQ(text_width("AB", 2), 22);  // two 10-pixel glyphs and one 2-pixel gap
    Picture p = make_picture(40, 20, rgba(0, 0, 0), false);
    draw_text(&p, 0, 0, "I", TextStyle{2, hex(0xFFFFFF), hex(0xFFFFFF), 0, 0});
    int32_t right = -1;
    int32_t bottom = -1;
    for (int32_t y = 0; y < 20; y++) {
        for (int32_t x = 0; x < 40; x++) {
            if ((get(p, x, y) & 0xFFFFFF) != 0) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(right, 9);
    EXPECT_EQ(bottom, 13);  // letters 14 pixels tall at scale 2
    EXPECT_TRUE(font_has_glyph('q'));
    EXPECT_FALSE(font_has_glyph('~'));
}

// Centred text starts on even coordinates whatever the centre and width, so its dots meet the cells.
TEST(PixelFont, CentredTextStartsOnTheCellGrid)
{
    const struct {
        int32_t cx, y;
        const char* text;
    } cases[] = {{80, 79, "DIPLODOCUS"}, {80, 20, "T-REX"}, {81, 33, "AB"}, {50, 0, "I"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Picture p = make_picture(160, 100, rgba(0, 0, 0), false);
        draw_text_centred(&p, c.cx, c.y, c.text, TextStyle{2, hex(0xFFFFFF), hex(0xFFFFFF), 0, 0});
        int32_t left = 160;
        int32_t top = 100;
        for (int32_t y = 0; y < 100; y++) {
            for (int32_t x = 0; x < 160; x++) {
                if ((get(p, x, y) & 0xFFFFFF) != 0) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
            }
        }
        EXPECT_EQ(left % 2, 0);
        EXPECT_EQ(top % 2, 0);
        EXPECT_LE(std::abs(left + text_width(c.text, 2) / 2 - c.cx), 1);
    }
}

TEST(Skeleton, ABoneTurnsAboutItsJointAndCarriesItsChildren)
{
    Skeleton s;
    const int32_t hip = add_bone(&s, -1, V3{0, 10, 0});
    const int32_t knee = add_bone(&s, hip, V3{0, 5, 0});
    Mesh m;
    m.rest = {V3{0, 10, 0}, V3{0, 5, 0}, V3{0, 0, 0}};
    m.bone = {hip, knee, knee};
    Pose pose = rest_pose(s);
    pose[hip].pitch = 3.14159265f / 2;  // a leg pointing down swings forward to -z
    const std::vector<V3> out = posed_vertices(m, s, pose);
    EXPECT_NEAR(out[0].y, 10.0f, 1e-4f);
    EXPECT_NEAR(out[1].y, 10.0f, 1e-4f);
    EXPECT_NEAR(out[1].z, -5.0f, 1e-4f);
    EXPECT_NEAR(out[2].z, -10.0f, 1e-4f);
}

TEST(GmlWriter, ReadsBackThroughTheReader)
{
    PenDrawing d;
    d.strokes.push_back(PenStroke{{{0.25f, 0.5f, 0.0f}, {0.75f, 0.125f, 1.5f}}});
    d.strokes.push_back(PenStroke{{{0.1f, 0.2f, 2.0f}, {0.3f, 0.4f, 2.25f}, {0.5f, 0.6f, 2.5f}}});
    const std::string text = gml_text(d);
    static GmlDrawing read;
    parse_gml(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &read);
    EXPECT_STREQ(read.spec, "1.0");
    ASSERT_EQ(read.stroke_count, 2);
    ASSERT_EQ(read.strokes[0].point_count, 2);
    ASSERT_EQ(read.strokes[1].point_count, 3);
    EXPECT_FLOAT_EQ(read.strokes[0].points[1][0], 0.75f);
    EXPECT_FLOAT_EQ(read.strokes[0].points[1][1], 0.125f);
    EXPECT_FLOAT_EQ(read.strokes[0].times[1], 1.5f);
    EXPECT_FLOAT_EQ(read.strokes[1].times[2], 2.5f);
}

TEST(PenFont, FittedTextStaysBetweenItsEdges)
{
    Rng rng = rng_seeded(3);
    PenDrawing d;
    const float height = fit_height("EXTINCT", 0.1f, 0.9f, 0.5f, 0.625f);
    EXPECT_LT(height, 0.5f);
    const float end = write_text(&d, "EXTINCT", Hand{0.1f, 0.1f, height, 0.625f, 0.1f, 0.0f, 2.0f, 0.2f}, 1.0f, &rng);
    EXPECT_GT(end, 1.0f);
    for (const PenStroke& s : d.strokes) {
        for (const PenPoint& p : s.points) {
            EXPECT_TRUE(p.x >= 0.09f && p.x <= 0.91f) << p.x;
        }
    }
}
