// The tag overlay: colour order, where each group draws, the pictures of tags 7 to 9, empty slots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "gml_test_support.h"
#include "graffiti/gml_segments.h"
#include "graffiti/tag_overlay.h"
#include "graffiti/tag_slots.h"
#include "support/golden.h"

namespace {

Framebuffer test_canvas;
constexpr uint32_t BACKGROUND = 0x202020;

// 0xRRGGBB as the canvas holds it: red in byte 0.
uint32_t packed(uint32_t rgb)
{
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

// A dot: the same place at two times, so it is due at once and drawn with
// the widest pen of each line.
GmlDrawing* dot_at(float x, float y)
{
    auto* d = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
    add_point(d, 0, x, y, 0.0f);
    add_point(d, 0, x, y, 0.001f);
    return d;
}

class TagOverlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_canvas_ = get_canvas();
        set_canvas(&test_canvas);
        clear_canvas(BACKGROUND);
        gml_pen_memory = {0, 0};
        tag_colour_state = {0, 0, 0};
        free_tag_slots();
    }
    void TearDown() override
    {
        free_tag_slots();
        for (Image& slot : picture_slots.slots)
            free_image(&slot);
        set_pen_thickness(0);
        set_canvas(saved_canvas_);
    }
    static uint32_t pixel(int32_t x, int32_t y) { return test_canvas.pixels[y * CANVAS_WIDTH + x]; }
    static int32_t changed_pixels()
    {
        int32_t count = 0;
        for (uint32_t p : test_canvas.pixels)
            count += p != BACKGROUND ? 1 : 0;
        return count;
    }
    // Fills every slot with a dot at (x, y).
    static void fill_slots(float x, float y)
    {
        for (int32_t i = 0; i < TAG_SLOT_COUNT; i++)
            tag_slots.drawings[i] = dot_at(x, y);
    }
    static void set_picture(int32_t slot, int32_t width, int32_t height, uint32_t colour)
    {
        Image& image = picture_slots.slots[slot];
        free_image(&image);
        image.pixels = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(width) * height * 4));
        for (int32_t i = 0; i < width * height; i++)
            image.pixels[i] = colour;
        image.width = static_cast<uint16_t>(width);
        image.height = static_cast<uint16_t>(height);
    }
    Framebuffer* saved_canvas_ = nullptr;
};

}  // namespace

TEST_F(TagOverlay, EachSelectionTakesTheNextColourOnce)
{
    fill_slots(0.25f, 0.25f);
    // Tag 0 puts the changing colour on top at (40, 45).
    const uint32_t expected[] = {0xFF00FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    int32_t selection = 100;
    for (uint32_t colour : expected) {
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
    fill_slots(0.25f, 0.1f);
    struct Case {
        int32_t tag;
        int32_t t;
        int32_t x;
        int32_t y;
        uint32_t top;  // 0xRRGGBB; 1 for the changing colour (0xFF00FF first)
    };
    const Case cases[] = {
        {0, 0, 40, 30, 1},
        {1, 0, 40, 30, 1},
        {2, 0, 50, 30, 0xFFFF00},
        {4, 0, 50, 30, 0xFFFF00},
        {3, 0, 40, 30, 0x00FFFF},
        {6, 0, 40, 30, 0x00FFFF},
        {7, 100, 130, 32, 0xFFFFFF},  // double size, 60 - t / 10 across
        {9, 1000, 40, 32, 0xFFFFFF},
        {10, 0, 40, 10, 1},
        {16, 0, 40, 10, 1},
        {12, 1200, 40, 35, 0xFF00FF},  // rising: 100 - t / 16
        {14, 1600, 40, 10, 0xFF00FF},
    };
    for (const Case& c : cases) {
        tag_colour_state = {0, 0, 0};
        clear_canvas(BACKGROUND);
        draw_tag_overlay(c.t, c.tag, 5000 + c.tag);
        uint32_t top = c.top == 1 ? 0xFF00FF : c.top;
        EXPECT_EQ(pixel(c.x, c.y), packed(top)) << "tag " << c.tag;
    }
}

TEST_F(TagOverlay, DoubleSizeTagsDrawAtTheirOwnPace)
{
    // A segment from (0, 0.25) to (0.125, 0.25) that starts 1 s into the recording.
    for (int32_t i = 0; i < TAG_SLOT_COUNT; i++) {
        auto* d = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
        add_point(d, 0, 0.0f, 0.25f, 1.0f);
        add_point(d, 0, 0.125f, 0.25f, 1.5f);
        tag_slots.drawings[i] = d;
    }
    struct Case {
        int32_t tag;
        int32_t t;
        bool drawn;
    };
    // 4, 5 and 6 drawing ms per tag ms for tags 7, 8 and 9; 8 for tag 0.
    const Case cases[] = {{7, 249, false}, {7, 250, true}, {8, 199, false}, {8, 200, true},
                          {9, 166, false}, {9, 167, true}, {0, 124, false}, {0, 125, true}};
    for (const Case& c : cases) {
        clear_canvas(BACKGROUND);
        draw_tag_overlay(c.t, c.tag, c.t);
        EXPECT_EQ(changed_pixels() > 0, c.drawn) << "tag " << c.tag << " at " << c.t;
        if (c.drawn && c.tag != 0) {
            // 40 pixels long at double size, from 60 - t / 10 at row 62.
            int32_t left = 60 - c.t / 10;
            EXPECT_EQ(pixel(left + 20, 62), 0xFFFFFFu) << c.tag;
            EXPECT_EQ(pixel(left + 38, 62), 0xFFFFFFu) << c.tag;
        }
    }
}

TEST_F(TagOverlay, PictureTagsShowTheirPictureForTheFirst3100Ms)
{
    set_picture(2, 20, 10, 0xFF0000FF);  // opaque red
    set_picture(3, 30, 12, 0xFF00FF00);
    set_picture(4, 10, 20, 0xFFFF0000);
    struct Case {
        int32_t tag;
        int32_t t;
        int32_t width;
        bool shown;
    };
    const Case cases[] = {
        {7, 0, 20, true}, {8, 3099, 30, true}, {8, 3100, 30, false}, {9, 1500, 10, true}, {9, 5000, 10, false}};
    for (const Case& c : cases) {
        clear_canvas(0);
        draw_tag_overlay(c.t, c.tag, 0);  // empty tag slots: only the picture
        int32_t left = 156 - c.width;
        EXPECT_EQ(pixel(left, 80) != 0, c.shown) << c.tag << " at " << c.t;
        EXPECT_EQ(pixel(155, 85) != 0, c.shown) << c.tag << " at " << c.t;
        EXPECT_EQ(pixel(left - 1, 80), 0u);
        EXPECT_EQ(pixel(156, 85), 0u);
        EXPECT_EQ(pixel(left, 79), 0u);
    }
    EXPECT_EQ(pixel(150, 82), 0u);
}

TEST_F(TagOverlay, EmptySlotsDrawNothing)
{
    for (int32_t tag = 0; tag < TAG_SLOT_COUNT; tag++)
        draw_tag_overlay(500, tag, 0);
    EXPECT_EQ(changed_pixels(), 0);
}

TEST_F(TagOverlay, SlotsLoadFromFilesAndAMissingFileLeavesTheSlotEmpty)
{
    std::string path = testing::TempDir() + "graffiti_tag_slot.gml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<gml spec='tag'><stroke><pt><x>0.5</x><y>0.5</y></pt><pt><x>0.6</x><y>0.5</y></pt></stroke></gml>",
               file);
    std::fclose(file);
    EXPECT_EQ(load_tag_slot(3, path.c_str()), 1);
    ASSERT_NE(tag_slot(3), nullptr);
    EXPECT_EQ(tag_slot(3)->stroke_count, 1);
    EXPECT_EQ(load_tag_slot(17, path.c_str()), 0);
    EXPECT_EQ(load_tag_slot(-1, path.c_str()), 0);
    EXPECT_EQ(tag_slot(17), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(load_tag_slot(3, "no/such/tag.gml"), 0);  // replaces what the slot held
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no/such/tag.gml"), std::string::npos);
    EXPECT_EQ(tag_slot(3), nullptr);
    std::remove(path.c_str());
}

TEST_F(TagOverlay, GoldenOutlinedTag)
{
    auto drawing = parse_text(
        "<gml spec='golden'><stroke>"
        "<pt><x>0.1</x><y>0.3</y><t>0</t></pt><pt><x>0.3</x><y>0.2</y><t>0.2</t></pt>"
        "<pt><x>0.4</x><y>0.6</y><t>0.9</t></pt><pt><x>0.4</x><y>0.6</y><t>1.1</t></pt>"
        "<pt><x>0.7</x><y>0.5</y><t>1.4</t></pt></stroke><stroke>"
        "<pt><x>0.8</x><y>0.2</y><t>1.6</t></pt><pt><x>0.75</x><y>0.8</y><t>2.4</t></pt></stroke></gml>");
    auto* d = static_cast<GmlDrawing*>(std::malloc(sizeof(GmlDrawing)));
    std::memcpy(d, drawing.get(), sizeof(GmlDrawing));
    tag_slots.drawings[10] = d;
    draw_tag_overlay(0, 10, 0);
    draw_tag_overlay(160, 10, 0);
    EXPECT_TRUE(matches_golden("graffiti_tag10_t160", test_canvas));
}
