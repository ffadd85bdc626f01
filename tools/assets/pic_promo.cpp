// The promo text: long bands of large letters on a clear background that scroll behind the asteroids.
#include "pic_common.h"

namespace {

// 120 pixels a second for 17 seconds before a band has passed.
constexpr int32_t PROMO_WIDTH = 2048;

const char* const PROMO_LINES[] = {
    "KORVEL * DINOSAURS IN YOUR TERMINAL * 80 X 50 *",
    "NO PIXELS WERE HARMED * ONLY CELLS * RAWR *",
    "TAR PIT CREW * STILL NOT EXTINCT * 2026 *",
    "THE ASTEROID MISSED * THE SHOW GOES ON *",
};

}  // namespace

void generate_promo(AssetSet* set)
{
    const auto bands = static_cast<int32_t>(std::size(PROMO_LINES));
    Picture p = make_picture(PROMO_WIDTH, bands * BAND_HEIGHT, rgba(0, 0, 0, 0), true);
    const uint32_t tops[] = {hex(0xFFFF60), hex(0x80FFFF), hex(0xFFA0FF), hex(0xC0FF80)};
    const uint32_t bottoms[] = {hex(0xFF3000), hex(0x2040FF), hex(0xA000C0), hex(0x208000)};
    static_assert(std::size(tops) == std::size(PROMO_LINES) && std::size(bottoms) == std::size(PROMO_LINES));
    for (int32_t b = 0; b < bands; b++) {
        const TextStyle style = bold_text(5, tops[b], bottoms[b]);
        // Starts a little in from the left so the first letter is whole when the scroll begins.
        draw_text(&p, 8, b * BAND_HEIGHT + (BAND_HEIGHT - GLYPH_HEIGHT * 5) / 2, PROMO_LINES[b], style);
    }
    corner_label(&p, "* RAWR *", hex(0x40C0FF));
    add_picture(set, "promotext.tga", p);
}
