// Graffiti tags over the picture: a slot's drawing drawn dark, then coloured on top, as time passes.
#pragma once
#include <cstdint>

constexpr int32_t TAG_COLOUR_COUNT = 3;
// The colours that tags of the changing colour take in turn, as 0xRRGGBB.
constexpr uint32_t TAG_COLOURS[TAG_COLOUR_COUNT] = {0x00FFFF, 0xFF00FF, 0xFFFF00};

// Which of TAG_COLOURS the tags take. The colour moves on once per tag
// selection, on the first frame drawn for it (so the run's first tag takes
// colour 1); a selection is known by its demo time, so two frames within one
// millisecond do not move it twice. Lives for the whole run; main thread only.
struct TagColourState {
    int32_t tag_colour;    // index into TAG_COLOURS, 0 at start
    int32_t seen_any;      // 1 once a selection has been drawn
    int32_t selection_ms;  // demo time of the last selection drawn
};

extern TagColourState tag_colour_state;

// Draws tag number tag (0 to 30) t ms after it was selected at demo time
// selection_ms: the drawing in its tag slot with the group's pace, offset,
// scale, widths and colours, and for tags 7 to 9 a picture in the lower right
// corner during the first 3,100 ms. Tags above 16 draw nothing but still move
// the colour on; an empty slot draws no lines.
void draw_tag_overlay(int32_t t, int32_t tag, int32_t selection_ms);
