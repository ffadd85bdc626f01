// The picture and texture scenes on small pictures made here: golden frames, bands, clipping, strobe, curtain.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "core/random.h"
#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "scenes/assets.h"
#include "scenes/picture_scenes.h"
#include "support/golden.h"

namespace {

Framebuffer canvas;
std::vector<std::vector<uint32_t>> storage;  // the test pictures' pixels

// A width x height picture: each 100-row band its own hue, 8 x 8 checks, alpha by column.
Image picture(int32_t width, int32_t height, uint32_t alpha_min = 255)
{
    std::vector<uint32_t>& p = storage.emplace_back(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            const uint32_t band = static_cast<uint32_t>(y / 100) * 70 + 40, check = ((x / 8 + y / 8) % 2) * 90 + 60;
            const uint32_t alpha = alpha_min + (255 - alpha_min) * static_cast<uint32_t>(x) / std::max(1, width - 1);
            p[static_cast<size_t>(y) * width + x] = band | check << 8 | (255 - band) << 16 | alpha << 24;
        }
    }
    return Image{p.data(), static_cast<uint16_t>(height), static_cast<uint16_t>(width), image_width_shift(width)};
}

Image solid(int32_t width, int32_t height, uint32_t colour)
{
    Image image = picture(width, height);
    std::fill(image.pixels, image.pixels + width * height, colour | 0xFF000000u);
    return image;
}

uint32_t at(int32_t x, int32_t y)
{
    return canvas.pixels[y * CANVAS_WIDTH + x] & 0xFFFFFF;
}

void paint()
{
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        canvas.pixels[i] = static_cast<uint32_t>(i % CANVAS_WIDTH) | static_cast<uint32_t>(i / CANVAS_WIDTH) << 17;
    }
}

int32_t black_rows(int32_t x)
{
    int32_t rows = 0;
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        rows += at(x, y) == 0;
    }
    return rows;
}

class PictureScenes : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_canvas(&canvas);
        paint();
        picture_scene_state = PICTURE_SCENES_START;
    }
    void TearDown() override
    {
        for (Image* i : {&slides_image, &dino_tile_image, &tile_purple_image, &vw0_image, &vw1_image, &bubble_image,
                         &spare_texture, &spare_backdrop}) {
            *i = Image{};
        }
        for (Image& slot : picture_slots.slots) {
            slot = Image{};
        }
        storage.clear();
    }
    bool unchanged_after(const std::function<void()>& draw)
    {
        const Framebuffer before = canvas;
        draw();
        return std::equal(before.pixels, before.pixels + CANVAS_PIXELS, canvas.pixels);
    }
};

TEST_F(PictureScenes, FramesMatchTheApprovedPictures)
{
    const struct {
        const char* name;
        std::function<void()> draw;
    } cases[] = {
        {"scene_title_tunnel_band1_t1500", [] { scene_title_tunnel(1500, 1); }},
        {"scene_purple_tunnel_band0_t100", [] { scene_purple_tunnel(100, 0); }},
        {"scene_credits_band1_narrow", [] { scene_credits(0, 1); }},
        {"scene_boom_t170", [] { scene_boom(170); }},
        {"scene_tile_warp_t2500", [] { scene_tile_warp(2500, 0); }},
        {"scene_rotozoom_t3000_c400", [] { scene_rotozoom(3000, 400, 0, 0); }},
        {"scene_slides_band2", [] { scene_slides(2); }},
    };
    for (const auto& c : cases) {
        SetUp();
        picture_slots.slots[1] = picture(160, 200, 0);
        picture_slots.slots[2] = picture(90, 130, 128);
        picture_slots.slots[4] = picture(160, 300, 100);
        slides_image = picture(160, 300);
        dino_tile_image = picture(32, 32, 0);
        tile_purple_image = picture(64, 16);
        vw0_image = solid(40, 30, 0x30C0F0);
        vw1_image = solid(20, 20, 0xF03060);
        bubble_image = picture(50, 120, 0);
        spare_backdrop = picture(160, 60, 0);
        spare_texture = picture(16, 64, 60);
        c.draw();
        EXPECT_TRUE(matches_golden(c.name, canvas)) << c.name;
        TearDown();
    }
}

// Every band scene on a 40 x 130 picture: band 1 covers only its 40 x 30 corner, band 2 nothing.
TEST_F(PictureScenes, BandsDrawOnlyWhatLiesInsideThePicture)
{
    const struct {
        Image* picture;
        void (*draw)(int32_t band);
    } cases[] = {
        {&slides_image, [](int32_t b) { scene_slides(b); }},
        {&picture_slots.slots[2], [](int32_t b) { scene_credits(0, b); }},
        {&picture_slots.slots[6], [](int32_t b) { scene_ending(0, b); }},
        {&picture_slots.slots[4], [](int32_t b) { scene_boom(b * 80 + 79); }},
        {&picture_slots.slots[1], [](int32_t b) { scene_title_tunnel(0, b); }},
        {&bubble_image, [](int32_t b) { scene_purple_tunnel(500, b); }},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(unchanged_after([&] { c.draw(1); }));  // empty picture
        *c.picture = solid(40, 130, 0xFFFFFF);
        c.draw(1);
        EXPECT_EQ(at(39, 29), 0xFEFEFEu);
        EXPECT_NE(at(40, 29), 0xFEFEFEu);
        EXPECT_NE(at(39, 30), 0xFEFEFEu);
        EXPECT_TRUE(unchanged_after([&] { c.draw(2); }));
        TearDown();
        paint();
    }
    // With every texture empty the effect scenes leave the canvas alone.
    EXPECT_TRUE(unchanged_after([] { scene_tile_warp(100, 0), scene_rotozoom(100, 5, 0, 0); }));
}

TEST_F(PictureScenes, BoomShowsANewBandEvery80msAndThenNothing)
{
    picture_slots.slots[4] = picture(160, 300);
    const struct {
        int32_t t;
        uint32_t red;  // band k's red is 70 k + 40, one step darker after the blit; 100 is the canvas
    } cases[] = {{-1, 39}, {79, 39}, {80, 109}, {159, 109}, {160, 179}, {239, 179}, {240, 100}, {INT_MAX, 100}};
    for (const auto& c : cases) {
        paint();
        scene_boom(c.t);
        EXPECT_EQ(at(100, 0) & 0xFF, c.red) << c.t;
    }
}

TEST_F(PictureScenes, StrobeChangesOnEachSelectionAndThenAfterItsHold)
{
    random_seed(77);
    // Scene times as the timeline hands them: a first selection, a second one
    // after the first ran to 5000 ms (it must strobe at once, not wait for its
    // clock to pass 5000), the top of the range, then the gentle hold.
    const struct {
        int32_t t, selected;
        bool gentle, changes;
    } steps[] = {
        {0, 1, false, true},   {15, 0, false, false},          {16, 0, false, true},       {31, 0, false, false},
        {32, 0, false, true},  {5000, 0, false, true},         {0, 1, false, true},        {15, 0, false, false},
        {16, 0, false, true},  {INT_MAX - 10, 0, false, true}, {INT_MAX, 0, false, false}, {0, 1, true, true},
        {450, 0, true, false}, {451, 0, true, true},           {700, 0, true, false},      {902, 0, true, true},
    };
    uint32_t shown = 0;
    for (const auto& s : steps) {
        flash_limits = s.gentle ? FLASH_LIMITS_GENTLE : FLASH_LIMITS_FULL;
        const RandomState before = random_state;
        const uint32_t random_colour = STROBE_COLOURS[random_next() & 7];
        random_state = before;
        paint();
        scene_strobe(s.t, s.selected);
        const uint32_t colour = at(5, 5);
        EXPECT_EQ(colour == at(150, 95), s.changes) << s.t;
        if (!s.changes) {
            continue;
        }
        // Gentle: each colour unlike the last and drawn without the generator.
        EXPECT_TRUE(s.gentle ? colour != shown : colour == random_colour) << s.t;
        EXPECT_EQ(random_state.state != before.state, !s.gentle) << s.t;
        shown = colour;
    }
    flash_limits = FLASH_LIMITS_FULL;
}

TEST_F(PictureScenes, CurtainClosesOneColumnPerCueAndOpensOnSelection)
{
    const struct {
        int32_t t, selected, restarted;
        int32_t rows[4];  // black rows in each 40-pixel column
    } steps[] = {
        {0, 1, 0, {0, 0, 0, 0}},         {50, 0, 0, {50, 0, 0, 0}},       {0, 0, 1, {100, 0, 0, 0}},
        {70, 0, 0, {100, 70, 0, 0}},     {900, 0, 1, {100, 100, 100, 0}}, {10, 1, 1, {10, 0, 0, 0}},
        {0, 0, 1, {100, 0, 0, 0}},       {0, 0, 1, {100, 100, 0, 0}},     {99, 0, 1, {100, 100, 100, 99}},
        {5, 0, 1, {100, 100, 100, 100}}, {5, 0, 1, {100, 100, 100, 100}},
    };
    for (const auto& s : steps) {
        paint();
        scene_curtain(s.t, s.selected, s.restarted);
        for (int32_t k = 0; k < 4; k++) {
            EXPECT_EQ(black_rows(k * 40 + 39), s.rows[k]) << "t " << s.t << " column " << k;
        }
    }
}

TEST_F(PictureScenes, PurpleTunnelShowsVw1ForTheFirst125ms)
{
    vw0_image = solid(40, 30, 0x102030);
    vw1_image = solid(20, 20, 0xF0E0D0);
    for (const int32_t t : {124, 125}) {
        scene_purple_tunnel(t, 0);
        EXPECT_EQ(at(85, 35), t == 124 ? 0xEFDFCFu : 0x0F1F2Fu);
        EXPECT_EQ(at(110, 55), 0x0F1F2Fu);
    }
}

}  // namespace
