// The greetings: wide panels of group names that slide in from the right over the picture.
#include "pic_common.h"

namespace {

// Wide enough that a panel still covers the canvas four seconds into its slide.
constexpr int32_t GREETS_WIDTH = 576;

// Groups invented for the show.
const char* const GREETED[][3] = {
    {"RAPTORS", "AMMONITES", "TRILOBITE"},
    {"MOSASAUR", "DODO CLUB", "MAMMOTHS"},
    {"STEGOS", "PTERANODON", "SABRETOOTH"},
    {"COELACANTH", "BRONTOS", "YOU!"},
};

}  // namespace

void generate_greets(AssetSet* set)
{
    const auto panels = static_cast<int32_t>(std::size(GREETED));
    Picture p = make_picture(GREETS_WIDTH, panels * BAND_HEIGHT, rgba(0, 0, 0, 0), true);
    const uint32_t colours[3][2] = {
        {hex(0xFFFF80), hex(0xFF6000)}, {hex(0x80FFFF), hex(0x0060FF)}, {hex(0xFFA0FF), hex(0xB000FF)}};
    for (int32_t k = 0; k < panels; k++) {
        const int32_t top = k * BAND_HEIGHT;
        fill_box(&p, 0, top + 6, GREETS_WIDTH, top + 94, rgba(0, 0, 0, 150));
        fill_box(&p, 0, top + 6, GREETS_WIDTH, top + 8, rgba(255, 255, 255, 255));
        fill_box(&p, 0, top + 92, GREETS_WIDTH, top + 94, rgba(255, 255, 255, 255));
        draw_text(&p, 6, top + 14, "GREETINGS TO", bold_text(2, hex(0xFFFFFF), hex(0xC0C0C0)));
        for (int32_t i = 0; i < 3; i++) {
            // Names step down the panel as they go right, so each is read on its own.
            const int32_t x = 10 + i * 190;
            const int32_t y = top + 36 + (i % 2) * 22;
            draw_text(&p, x, y, GREETED[k][i], bold_text(3, colours[i][0], colours[i][1]));
        }
    }
    add_picture(set, "greets.tga", p);
}
