// Graffiti tags over the picture: a slot's drawing drawn dark, then coloured on top, as time passes.
#include "graffiti/tag_overlay.h"

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "graffiti/draw_gml.h"
#include "graffiti/tag_slots.h"

TagColourState tag_colour_state = {0, 0, 0};

namespace {

constexpr uint32_t CURRENT_TAG_COLOUR = 0x1000000;  // not a colour: the tag colour of the moment
constexpr int32_t PICTURE_TAG_FIRST = 7;
constexpr int32_t PICTURE_TAG_LAST = 9;
constexpr int32_t PICTURE_SHOW_MS = 3100;
constexpr int32_t PICTURE_RIGHT_EDGE = 156;
constexpr int32_t PICTURE_TOP = 80;

struct TagLine {
    float min_width;
    float max_width;
    uint32_t colour;
};

// How one group of tags draws: lines in order, the dark one first, from an
// offset that may move with the tag clock (one pixel per so many ms; 0 stays).
struct TagGroup {
    int32_t line_count;
    TagLine lines[3];
    int32_t offset_x;
    int32_t offset_y;
    int32_t left_every_ms;
    int32_t up_every_ms;
    float scale;
};

// clang-format off
constexpr TagGroup GROUP_WIDE =     {2, {{4.0f, 6.0f, 0}, {2.0f, 4.0f, CURRENT_TAG_COLOUR}},                          0,  20,  0,  0, 1.0f};
constexpr TagGroup GROUP_YELLOW =   {2, {{4.0f, 6.0f, 0}, {2.0f, 4.0f, 0xFFFF00}},                                    10, 20,  0,  0, 1.0f};
constexpr TagGroup GROUP_FAST =     {2, {{2.0f, 4.0f, 0}, {1.0f, 2.0f, 0x00FFFF}},                                    0,  20,  0,  0, 1.0f};
constexpr TagGroup GROUP_CREDITS =  {2, {{1.0f, 8.0f, 0}, {1.0f, 2.5f, 0xFFFFFF}},                                    60, 12,  10, 0, 2.0f};
constexpr TagGroup GROUP_OUTLINED = {3, {{6.0f, 8.0f, 0xFFFFFF}, {4.0f, 6.0f, 0}, {2.0f, 3.0f, CURRENT_TAG_COLOUR}}, 0,  0,   0,  0, 1.0f};
constexpr TagGroup GROUP_RISING =   {2, {{4.0f, 6.0f, 0}, {2.0f, 3.0f, 0xFF00FF}},                                    0,  100, 0,  16, 1.0f};

// Tags 0 to 16 by number: the group, and how many drawing ms pass per tag ms.
constexpr const TagGroup* TAG_GROUPS[TAG_SLOT_COUNT] = {
    &GROUP_WIDE, &GROUP_WIDE, &GROUP_YELLOW, &GROUP_FAST, &GROUP_YELLOW, &GROUP_FAST, &GROUP_FAST,
    &GROUP_CREDITS, &GROUP_CREDITS, &GROUP_CREDITS,
    &GROUP_OUTLINED, &GROUP_OUTLINED, &GROUP_RISING, &GROUP_RISING, &GROUP_RISING,
    &GROUP_OUTLINED, &GROUP_OUTLINED,
};
constexpr int32_t TAG_PACE[TAG_SLOT_COUNT] = {8, 8, 8, 16, 8, 16, 16, 4, 5, 6, 8, 8, 8, 8, 8, 8, 8};
// clang-format on

void advance_colour_on_new_selection(int32_t selection_ms)
{
    if (tag_colour_state.seen_any != 0 && tag_colour_state.selection_ms == selection_ms) {
        return;
    }
    tag_colour_state.seen_any = 1;
    tag_colour_state.selection_ms = selection_ms;
    tag_colour_state.tag_colour++;
    if (tag_colour_state.tag_colour > TAG_COLOUR_COUNT - 1) {
        tag_colour_state.tag_colour = 0;
    }
}

// A tag left on for days would overflow the product; it has long finished drawing.
int32_t paced_time(int64_t pace, int32_t t)
{
    int64_t time = pace * t;
    return time > INT32_MAX ? INT32_MAX : static_cast<int32_t>(time);
}

bool is_picture_tag(int32_t tag)
{
    return tag >= PICTURE_TAG_FIRST && tag <= PICTURE_TAG_LAST;
}

void draw_tag_lines(int32_t tag, int32_t t)
{
    const TagGroup& group = *TAG_GROUPS[tag];
    int32_t time = paced_time(TAG_PACE[tag], t);
    int32_t x = group.offset_x - (group.left_every_ms != 0 ? t / group.left_every_ms : 0);
    int32_t y = group.offset_y - (group.up_every_ms != 0 ? t / group.up_every_ms : 0);
    uint32_t current = TAG_COLOURS[tag_colour_state.tag_colour];
    for (int32_t i = 0; i < group.line_count; i++) {
        const TagLine& line = group.lines[i];
        uint32_t colour = line.colour == CURRENT_TAG_COLOUR ? current : line.colour;
        draw_gml(tag_slot(tag), time, line.min_width, line.max_width, colour, x, y, group.scale);
    }
}

// The credits, promotion text and boom pictures (slots 2 to 4) beside tags 7 to 9.
void blit_tag_picture(int32_t tag)
{
    const Image* picture = picture_slot(tag - 5);
    if (picture != nullptr) {
        blit_image(*picture, PICTURE_RIGHT_EDGE - picture->width, PICTURE_TOP);
    }
}

}  // namespace

void draw_tag_overlay(int32_t t, int32_t tag, int32_t selection_ms)
{
    advance_colour_on_new_selection(selection_ms);
    if (tag < 0 || tag >= TAG_SLOT_COUNT) {
        return;
    }
    draw_tag_lines(tag, t);
    if (is_picture_tag(tag) && t < PICTURE_SHOW_MS) {
        blit_tag_picture(tag);
    }
}
