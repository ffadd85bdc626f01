// Pictures laid over others: the laser blasts, the shouting head of the purple tunnel and its speech bubbles.
#include <cmath>

#include "pic_common.h"

namespace {

constexpr int32_t HEAD_WIDTH = 80;
constexpr int32_t HEAD_HEIGHT = 68;

// A beam with a soft red glow and a white-hot core, fanning wider towards the viewer.
void beam(Picture* p, float x0, float y0, float x1, float y1)
{
    // Glow, body and core each in a pass of their own, so no segment's glow covers its neighbour's core.
    const float widths[3] = {1.8f, 1.0f, 0.4f};
    const uint32_t colours[3] = {rgba(255, 0, 40, 70), rgba(255, 40, 40, 200), rgba(255, 255, 220, 255)};
    for (int32_t pass = 0; pass < 3; pass++) {
        for (int32_t i = 0; i < 24; i++) {
            const float t0 = static_cast<float>(i) / 24.0f;
            const float t1 = static_cast<float>(i + 1) / 24.0f;
            const float w = (3.0f + 14.0f * t1) * widths[pass];
            draw_thick_line(p, x0 + (x1 - x0) * t0, y0 + (y1 - y0) * t0, x0 + (x1 - x0) * t1, y0 + (y1 - y0) * t1, w,
                            colours[pass]);
        }
    }
    fill_disc(p, x0, y0, 5, rgba(255, 255, 255, 255));
    fill_disc(p, x0, y0, 9, rgba(255, 80, 80, 120));
}

// The heads of the herd as the firing shot frames them.
Picture lasers()
{
    Picture p = make_picture(BAND_WIDTH, BAND_HEIGHT, rgba(0, 0, 0, 0), true);
    beam(&p, 22, 38, 150, 104);
    beam(&p, 56, 40, 175, 80);
    beam(&p, -4, 46, 96, 108);
    return p;
}

// A big cartoon head facing left; open shows the roaring mouth.
Picture head(bool open)
{
    Picture p = make_picture(HEAD_WIDTH, HEAD_HEIGHT, rgba(0, 0, 0, 0), true);
    const uint32_t outline = hex(0x000000);
    const uint32_t skin = hex(0x30C040);
    const uint32_t belly = hex(0xE0F080);
    const float jaw = open ? 16.0f : 0.0f;
    // Neck and skull, outlined by drawing everything a little larger in black first.
    for (int32_t pass = 0; pass < 2; pass++) {
        const float g = pass == 0 ? 2.0f : 0.0f;
        const uint32_t c = pass == 0 ? outline : skin;
        fill_ellipse(&p, 58, 52, 20 + g, 20 + g, c);
        fill_ellipse(&p, 38, 26 - jaw * 0.3f, 34 + g, 15 + g, c);
        fill_ellipse(&p, 36, 44 + jaw * 0.5f, 28 + g, 8 + g, pass == 0 ? outline : belly);
    }
    if (open) {
        fill_ellipse(&p, 26, 40, 22, 9, hex(0x800020));
        fill_ellipse(&p, 28, 44, 12, 4, hex(0xFF5080));
    }
    for (int32_t t = 0; t < 6; t++) {
        const float x = 10 + static_cast<float>(t) * 7;
        fill_triangle(&p, x, 36 - jaw * 0.3f, x + 5, 36 - jaw * 0.3f, x + 2.5f, 41 - jaw * 0.3f, hex(0xFFFFFF));
        fill_triangle(&p, x + 2, 41 + jaw * 0.5f, x + 7, 41 + jaw * 0.5f, x + 4.5f, 36 + jaw * 0.5f, hex(0xFFFFFF));
    }
    fill_disc(&p, 44, 18 - jaw * 0.3f, 6, hex(0xFFFFFF));
    fill_disc(&p, 42, 18 - jaw * 0.3f, 3, hex(0x000000));
    draw_thick_line(&p, 36, 10 - jaw * 0.3f, 50, 12 - jaw * 0.3f, 3, outline);
    fill_disc(&p, 8, 24 - jaw * 0.3f, 2, outline);
    return p;
}

// Speech bubbles, one per band, pointing down and right at the head.
Picture bubbles()
{
    const char* const words[] = {"RAWR!", "HELLO!", "YUM!", "KORVEL!", "MORE!", "LOUDER!"};
    const auto bands = static_cast<int32_t>(std::size(words));
    Picture p = make_picture(BAND_WIDTH, bands * BAND_HEIGHT, rgba(0, 0, 0, 0), true);
    for (int32_t b = 0; b < bands; b++) {
        const float top = static_cast<float>(b * BAND_HEIGHT);
        fill_triangle(&p, 52, top + 30, 74, top + 30, 86, top + 50, hex(0x000000));
        fill_ellipse(&p, 50, top + 20, 48, 17, hex(0x000000));
        fill_ellipse(&p, 50, top + 20, 46, 15, hex(0xFFFFFF));
        fill_triangle(&p, 55, top + 30, 72, top + 30, 83, top + 46, hex(0xFFFFFF));
        const TextStyle ink{2, hex(0x000000), hex(0x000000), rgba(0, 0, 0, 0), rgba(0, 0, 0, 0)};
        draw_text_centred(&p, 50, static_cast<int32_t>(top) + 13, words[b], ink);
    }
    return p;
}

}  // namespace

void generate_overlays(AssetSet* set)
{
    add_picture(set, "lasers.tga", lasers());
    add_picture(set, "vw0.tga", head(false));
    add_picture(set, "vw1.tga", head(true));
    add_picture(set, "bubble.tga", bubbles());
}
