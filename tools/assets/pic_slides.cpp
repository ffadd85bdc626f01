// The slides: one card per band, a bold silhouette over a colour sky with its caption below.
#include <cmath>

#include "pic_common.h"

namespace {

void sky(Picture* p, int32_t band, uint32_t top, uint32_t bottom)
{
    vertical_gradient(p, band * BAND_HEIGHT, band * BAND_HEIGHT + 72, top, bottom);
    fill_box(p, 0, band * BAND_HEIGHT + 72, BAND_WIDTH, band * BAND_HEIGHT + BAND_HEIGHT, hex(0x000000));
}

void caption(Picture* p, int32_t band, const char* text, uint32_t colour)
{
    draw_text_centred(p, BAND_WIDTH / 2, band * BAND_HEIGHT + 79, text, bold_text(2, hex(0xFFFFFF), colour));
}

void diplodocus(Picture* p, float x, float y, uint32_t c)
{
    fill_ellipse(p, x, y, 22, 11, c);
    draw_thick_line(p, x - 16, y - 4, x - 34, y - 40, 7, c);
    fill_ellipse(p, x - 37, y - 42, 6, 4, c);
    draw_thick_line(p, x + 18, y - 2, x + 60, y + 12, 6, c);
    draw_thick_line(p, x + 58, y + 12, x + 72, y + 14, 3, c);
    for (float lx : {-13.0f, -5.0f, 9.0f, 16.0f}) {
        draw_thick_line(p, x + lx, y + 4, x + lx, y + 20, 6, c);
    }
}

void trex(Picture* p, float x, float y, uint32_t c)
{
    fill_ellipse(p, x, y, 18, 13, c);
    draw_thick_line(p, x - 10, y - 8, x - 20, y - 24, 10, c);
    fill_ellipse(p, x - 28, y - 28, 13, 8, c);
    draw_thick_line(p, x + 14, y - 2, x + 56, y + 10, 8, c);
    draw_thick_line(p, x - 12, y + 2, x - 18, y + 8, 3, c);
    draw_thick_line(p, x + 2, y + 8, x - 4, y + 28, 8, c);
    draw_thick_line(p, x + 10, y + 8, x + 14, y + 28, 8, c);
}

void triceratops(Picture* p, float x, float y, uint32_t c)
{
    fill_ellipse(p, x, y, 24, 14, c);
    fill_ellipse(p, x - 26, y - 6, 12, 16, c);
    fill_ellipse(p, x - 32, y + 2, 10, 7, c);
    draw_thick_line(p, x - 34, y - 4, x - 52, y - 16, 3, c);
    draw_thick_line(p, x - 40, y + 4, x - 48, y + 2, 3, c);
    draw_thick_line(p, x + 20, y, x + 40, y + 8, 6, c);
    for (float lx : {-14.0f, -4.0f, 10.0f, 18.0f}) {
        draw_thick_line(p, x + lx, y + 6, x + lx, y + 22, 7, c);
    }
}

void asteroid(Picture* p, int32_t band)
{
    const float top = static_cast<float>(band * BAND_HEIGHT);
    for (int32_t i = 0; i < 30; i++) {
        const float k = static_cast<float>(i);
        draw_thick_line(p, 40 + k * 2.0f, top + 8 + k, 42 + k * 2.0f, top + 9 + k, 14.0f - k * 0.4f,
                        rgba(255, 200 - i * 5, 40, 120));
    }
    fill_disc(p, 104, top + 40, 12, hex(0x705040));
    fill_disc(p, 100, top + 36, 4, hex(0x403020));
    fill_disc(p, 108, top + 45, 3, hex(0x403020));
}

}  // namespace

void generate_slides(AssetSet* set)
{
    Picture p = make_picture(BAND_WIDTH, 5 * BAND_HEIGHT, hex(0), false);
    sky(&p, 0, hex(0xFF8040), hex(0xFFE080));
    diplodocus(&p, 84, 52, hex(0x301000));
    caption(&p, 0, "DIPLODOCUS", hex(0xFFB060));
    sky(&p, 1, hex(0xFF3060), hex(0xFFC0A0));
    trex(&p, 78, 140, hex(0x200010));
    caption(&p, 1, "T-REX", hex(0xFF6080));
    sky(&p, 2, hex(0x20A0FF), hex(0xC0FFE0));
    triceratops(&p, 92, 244, hex(0x002030));
    caption(&p, 2, "TRICERATOPS", hex(0x60C0FF));
    sky(&p, 3, hex(0x100020), hex(0x602080));
    starfield(&p, 3 * BAND_HEIGHT, 3 * BAND_HEIGHT + 72, 17);
    asteroid(&p, 3);
    caption(&p, 3, "AND THEN...", hex(0xFFC040));
    sky(&p, 4, hex(0xFFF0A0), hex(0xFF4000));
    fill_disc(&p, 80, 4 * BAND_HEIGHT + 60, 30, hex(0xFFFFF0));
    caption(&p, 4, "BOOM!", hex(0xFF4000));
    add_picture(set, "slides.tga", p);
}
