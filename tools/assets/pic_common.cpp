// The picture helpers every family uses.
#include "pic_common.h"

#include <algorithm>

#include "rng.h"
#include "tga_writer.h"

void add_picture(AssetSet* set, const std::string& name, const Picture& picture)
{
    add_file(set, name, encode_tga(picture));
}

TextStyle bold_text(int32_t scale, uint32_t top, uint32_t bottom)
{
    return TextStyle{scale, top, bottom, rgba(0, 0, 0, 255), rgba(0, 0, 0, 160)};
}

void starfield(Picture* p, int32_t y0, int32_t y1, uint32_t seed)
{
    Rng rng = rng_seeded(seed);
    const int32_t count = p->width * (y1 - y0) / 90;
    for (int32_t i = 0; i < count; i++) {
        const int32_t x = rng_below(&rng, p->width);
        const int32_t y = y0 + rng_below(&rng, y1 - y0);
        const uint32_t level = 90 + static_cast<uint32_t>(rng_below(&rng, 166));
        put(p, x, y, rgba(level, level, std::min(255u, level + 40)));
    }
}

void band_lines(Picture* p, int32_t band, const std::vector<std::string>& lines, const std::vector<TextStyle>& styles,
                int32_t top, int32_t height)
{
    int32_t total = 0;
    for (size_t i = 0; i < lines.size(); i++) {
        total += GLYPH_HEIGHT * styles[i].scale;
    }
    const int32_t gap = (height - total) / static_cast<int32_t>(lines.size() + 1);
    int32_t y = band * BAND_HEIGHT + top + gap;
    for (size_t i = 0; i < lines.size(); i++) {
        draw_text_centred(p, p->width / 2, y, lines[i], styles[i]);
        y += GLYPH_HEIGHT * styles[i].scale + gap;
    }
}

void corner_label(Picture* p, const std::string& text, uint32_t colour)
{
    const int32_t width = text_width(text, 2) + 12;
    const int32_t right = p->width;
    fill_box(p, right - width, 0, right, 20, rgba(0, 0, 0, 210));
    fill_box(p, right - width, 18, right, 20, colour);
    draw_text(p, right - width + 4, 2, text, bold_text(2, hex(0xFFFFFF), colour));
}
