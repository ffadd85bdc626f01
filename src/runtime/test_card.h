// A still picture for checking a terminal's colours and glyphs.
#pragma once
#include "core/framebuffer.h"

// Hue sweep across with value and then saturation ramping down, a grey ramp
// and the eight pure colours.
void draw_test_card(Framebuffer* canvas);
