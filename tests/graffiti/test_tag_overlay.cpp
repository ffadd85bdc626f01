// The tag overlay: colour order, where each group draws, the pictures of tags 7 to 9, empty slots.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "gml_test_support.h"
#include "graffiti/gml_segments.h"
#include "graffiti/tag_overlay.h"
#include "graffiti/tag_slots.h"

namespace {

Framebuffer test_canvas;
constexpr uint32_t BACKGROUND = 0x202020;

uint32_t pixel(int32_t x, int32_t y)
{
    return test_canvas.pixels[y * CANVAS_WIDTH + x];
}

// 0xRRGGBB as the canvas holds it: red in byte 0.
uint32_t packed(uint32_t rgb)
{
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

// Every slot gets the segment (x0, y) to (x1, y), starting at time start.
void fill_slots(float x0, float x1, float y, float start)
{
    for (GmlDrawing*& slot : tag_slots.drawings) {
        slot = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
        add_point(slot, 0, x0, y, start);
        add_point(slot, 0, x1, y, start + 0.5f);
    }
}

class TagOverlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_canvas_ = use_test_canvas(&test_canvas, BACKGROUND);
        tag_colour_state = {0, 0, 0};
    }
    void TearDown() override
    {
        free_tag_slots();
        for (Image& slot : picture_slots.slots) {
            free_image(&slot);
        }
        restore_canvas(saved_canvas_);
    }
    Framebuffer* saved_canvas_ = nullptr;
};

}  // namespace

TEST_F(TagOverlay, EachSelectionTakesTheNextColourOnce)
{
    fill_slots(0.25f, 0.25f, 0.25f, 0.0f);  // a dot at (40, 45) for tag 0
    int32_t selection = 100;
    for (uint32_t colour : {0xFF00FFu, 0xFFFF00u, 0x00FFFFu, 0xFF00FFu}) {
        draw_tag_overlay(0, 0, selection);
        draw_tag_overlay(0, 0, selection);  // a second frame in the same millisecond
        draw_tag_overlay(40, 0, selection);
        EXPECT_EQ(pixel(40, 45), packed(colour)) << selection;
        selection += 1000;
    }
    draw_tag_overlay(0, 20, selection);  // tags beyond the slots draw nothing but take a colour
    draw_tag_overlay(0, 30, selection + 1);
    EXPECT_EQ(tag_colour_state.tag_colour, 0);
}

TEST_F(TagOverlay, GroupsDrawAtTheirPlaceInTheirColour)
{
    fill_slots(0.25f, 0.25f, 0.1f, 0.0f);  // a dot at (40, 10) before the offset
    const uint32_t changing = 0xFF00FF;    // the first selection's colour
    struct Case {
        int32_t tag, t, x, y;
        uint32_t top;
    } cases[] = {
        {0, 0, 40, 30, changing},     {1, 0, 40, 30, changing},    {2, 0, 50, 30, 0xFFFF00},
        {4, 0, 50, 30, 0xFFFF00},     {3, 0, 40, 30, 0x00FFFF},    {6, 0, 40, 30, 0x00FFFF},
        {7, 100, 130, 32, 0xFFFFFF},  {9, 1000, 40, 32, 0xFFFFFF},  // double size from 60 - t / 10
        {10, 0, 40, 10, changing},    {16, 0, 40, 10, changing},   {12, 1200, 40, 35, 0xFF00FF},
        {14, 1600, 40, 10, 0xFF00FF},  // rising: 100 - t / 16
    };
    for (const Case& c : cases) {
        tag_colour_state = {0, 0, 0};
        draw_tag_overlay(c.t, c.tag, c.t);
        EXPECT_EQ(pixel(c.x, c.y), packed(c.top)) << "tag " << c.tag;
    }
}

TEST_F(TagOverlay, DoubleSizeTagsDrawAtTheirOwnPace)
{
    fill_slots(0.0f, 0.125f, 0.25f, 1.0f);  // 20 pixels across, starting 1 s into the recording
    struct Case {
        int32_t tag, t;
        bool drawn;
    } cases[] = {{7, 249, false}, {7, 250, true}, {8, 199, false}, {8, 200, true},
                 {9, 166, false}, {9, 167, true}, {0, 124, false}, {0, 125, true}};
    for (const Case& c : cases) {
        clear_canvas(BACKGROUND);
        draw_tag_overlay(c.t, c.tag, c.t);
        int32_t left = c.tag == 0 ? 0 : 60 - c.t / 10;
        int32_t length = c.tag == 0 ? 20 : 40;
        int32_t row = c.tag == 0 ? 45 : 62;
        EXPECT_EQ(pixel(left + length / 2, row) != BACKGROUND, c.drawn) << c.tag << " at " << c.t;
        EXPECT_EQ(pixel(left + length - 2, row) != BACKGROUND, c.drawn) << c.tag << " at " << c.t;
    }
}

TEST_F(TagOverlay, PictureTagsShowTheirPictureForTheFirst3100MsEvenWithEmptySlots)
{
    const int32_t widths[] = {20, 30, 10};
    for (int32_t slot = 2; slot <= 4; slot++) {
        Image& image = picture_slots.slots[slot];
        image.width = static_cast<uint16_t>(widths[slot - 2]);
        image.height = 12;
        image.pixels = static_cast<uint32_t*>(std::malloc(image.width * 12u * 4));
        for (int32_t i = 0; i < image.width * 12; i++) {
            image.pixels[i] = 0xFFFFFFFF;
        }
    }
    struct Case {
        int32_t tag, t;
        bool shown;
    } cases[] = {{7, 0, true}, {8, 3099, true}, {8, 3100, false}, {9, 1500, true}, {9, 5000, false}};
    for (const Case& c : cases) {
        clear_canvas(0);
        draw_tag_overlay(c.t, c.tag, 0);
        int32_t left = 156 - widths[c.tag - 7];
        EXPECT_EQ(pixel(left, 80) != 0, c.shown) << c.tag << " at " << c.t;
        EXPECT_EQ(pixel(155, 91) != 0, c.shown) << c.tag << " at " << c.t;
        EXPECT_EQ(pixel(left - 1, 80) | pixel(156, 85) | pixel(left, 79) | pixel(155, 92), 0u);
    }
    for (int32_t tag = 0; tag < TAG_SLOT_COUNT; tag++) {
        if (tag < 7 || tag > 9) {
            draw_tag_overlay(500, tag, 0);
        }
    }
    EXPECT_EQ(pixel(40, 40) | pixel(80, 50) | pixel(100, 20), 0u);
}

TEST_F(TagOverlay, SlotsLoadFromFilesAndAMissingFileLeavesTheSlotEmpty)
{
    std::string path = testing::TempDir() + "graffiti_tag_slot.gml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<gml spec='tag'><stroke><pt><x>0.5</x></pt><pt><x>0.6</x></pt></stroke></gml>", file);
    std::fclose(file);
    EXPECT_EQ(load_tag_slot(3, path.c_str()), 1);
    ASSERT_NE(tag_slot(3), nullptr);
    EXPECT_EQ(tag_slot(3)->stroke_count, 1);
    EXPECT_EQ(load_tag_slot(17, path.c_str()) + load_tag_slot(-1, path.c_str()), 0);
    std::remove(path.c_str());

    testing::internal::CaptureStderr();
    EXPECT_EQ(load_tag_slot(3, "no/such/tag.gml"), 0);  // replaces what the slot held
    EXPECT_EQ(load_gml("any.gml", nullptr), GML_LOAD_NO_DRAWING);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("ERROR!!! no/such/tag.gml NOT FOUND!!"), std::string::npos) << said;
    EXPECT_NE(said.find("NO GRAPH TO LOAD INTO!"), std::string::npos) << said;
    EXPECT_EQ(tag_slot(3), nullptr);
}
