// The credits (laid over the scene before them, so their backgrounds are clear) and the closing pictures.
#include "pic_common.h"

namespace {

struct Credit {
    const char* role;
    const char* name;
};

// The show's own roles and the handles invented for it.
const Credit CREDITS[] = {
    {"CODE", "MOSSBACK"}, {"MUSIC", "LAVA LAMP"}, {"GRAPHICS", "AMBERJACK"}, {"MODELS", "PTERRY"}, {"SYNC", "KOPROLIT"},
};

Picture credits()
{
    const auto bands = static_cast<int32_t>(std::size(CREDITS));
    Picture p = make_picture(BAND_WIDTH, bands * BAND_HEIGHT, rgba(0, 0, 0, 0), true);
    for (int32_t b = 0; b < bands; b++) {
        const int32_t top = b * BAND_HEIGHT;
        // A translucent ribbon keeps the letters readable over any scene.
        fill_box(&p, 0, top + 22, BAND_WIDTH, top + 80, rgba(10, 0, 30, 190));
        fill_box(&p, 0, top + 22, BAND_WIDTH, top + 24, rgba(255, 200, 40, 255));
        fill_box(&p, 0, top + 78, BAND_WIDTH, top + 80, rgba(255, 200, 40, 255));
        draw_text_centred(&p, BAND_WIDTH / 2, top + 28, CREDITS[b].role, bold_text(2, hex(0xFFE040), hex(0xFF8000)));
        draw_text_centred(&p, BAND_WIDTH / 2, top + 50, CREDITS[b].name, bold_text(3, hex(0xFFFFFF), hex(0x80E0FF)));
    }
    corner_label(&p, "CREDITS", hex(0xFFC040));
    return p;
}

Picture ending()
{
    Picture p = make_picture(BAND_WIDTH, 4 * BAND_HEIGHT, hex(0x000000), false);
    vertical_gradient(&p, 0, p.height, hex(0x000010), hex(0x300010));
    starfield(&p, 0, p.height, 31);
    const TextStyle end = bold_text(4, hex(0xFFFFFF), hex(0xFF4040));
    band_lines(&p, 0, {"THE", "END"}, {end, end});
    band_lines(&p, 1, {"THANKS FOR", "WATCHING"},
               {bold_text(2, hex(0xFFFFFF), hex(0xC0C0FF)), bold_text(3, hex(0xFFFF80), hex(0xFF8000))});
    band_lines(&p, 2, {"TAR PIT CREW", "2026"},
               {bold_text(2, hex(0x80FFFF), hex(0x2080FF)), bold_text(4, hex(0xFFFFFF), hex(0xFFC000))});
    band_lines(&p, 3, {"KORVEL", "EXTINCT NOW"},
               {bold_text(4, hex(0xFFA0FF), hex(0xA000FF)), bold_text(2, hex(0xFFFFFF), hex(0xA0A0A0))});
    return p;
}

}  // namespace

void generate_credits(AssetSet* set)
{
    add_picture(set, "credz.tga", credits());
    add_picture(set, "ending1.tga", ending());
}
