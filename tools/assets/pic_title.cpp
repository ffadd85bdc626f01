// The title strip: four bands over a dark sky, bright enough to survive the tunnel added over them.
#include "pic_common.h"

namespace {

constexpr int32_t TITLE_WINDOW_TOP = 26;

}  // namespace

void generate_title(AssetSet* set)
{
    Picture p = make_picture(BAND_WIDTH, 4 * BAND_HEIGHT, hex(0x000000), false);
    starfield(&p, 0, p.height, 7);
    const TextStyle huge = bold_text(4, hex(0xFFFFA0), hex(0xFF6000));
    const TextStyle big = bold_text(3, hex(0xFFFFFF), hex(0x60E0FF));
    const TextStyle small = bold_text(2, hex(0xFFFFFF), hex(0xC0C0C0));
    // The first band opens the show between letterbox bars 25 rows deep.
    band_lines(&p, 0, {"KORVEL", "DINO DEMO"}, {huge, small}, TITLE_WINDOW_TOP, BAND_HEIGHT - 2 * TITLE_WINDOW_TOP);
    band_lines(&p, 1, {"IN YOUR", "TERMINAL"}, {big, big});
    band_lines(&p, 2, {"80 X 50", "CELLS OF", "COLOUR"}, {big, small, small});
    band_lines(&p, 3, {"TAR PIT", "CREW", "PRESENTS"}, {big, big, small});
    add_picture(set, "title.tga", p);
}
