// The effect tiles: the dinosaur tile of the tunnels, warp and rotozoom, and the purple tunnel tile.
#include <cmath>

#include "noise.h"
#include "pic_common.h"

namespace {

constexpr int32_t TILE = 64;

// A small side-view dinosaur footprint motif: opaque where drawn, clear elsewhere,
// so the rotozoom layers show through around it.
Picture dino_tile()
{
    Picture p = make_picture(TILE, TILE, rgba(30, 10, 60, 0), true);
    for (int32_t y = 0; y < TILE; y++) {
        for (int32_t x = 0; x < TILE; x++) {
            const float n = tile_noise(static_cast<float>(x), static_cast<float>(y), 8, 8, 11);
            put(&p, x, y, rgba(20 + static_cast<uint32_t>(n * 40), 8, 50 + static_cast<uint32_t>(n * 50), 0));
        }
    }
    // Two footprints per tile, offset, so the pattern does not read as a grid.
    const float centres[2][2] = {{18, 20}, {48, 50}};
    const uint32_t colours[2] = {hex(0xFFB020), hex(0x30E0FF)};
    for (int32_t k = 0; k < 2; k++) {
        const float cx = centres[k][0];
        const float cy = centres[k][1];
        const uint32_t c = colours[k];
        fill_ellipse(&p, cx, cy + 5, 6.5f, 5.5f, c);
        draw_thick_line(&p, cx, cy + 2, cx, cy - 11, 4.0f, c);
        draw_thick_line(&p, cx - 2, cy + 2, cx - 9, cy - 7, 4.0f, c);
        draw_thick_line(&p, cx + 2, cy + 2, cx + 9, cy - 7, 4.0f, c);
        fill_ellipse(&p, cx, cy + 6, 3.0f, 2.5f, shade(c, 0.6f));
    }
    return p;
}

// Glowing purple bricks with bright mortar, opaque.
Picture purple_tile()
{
    Picture p = make_picture(TILE, TILE, hex(0x200030), false);
    for (int32_t y = 0; y < TILE; y++) {
        for (int32_t x = 0; x < TILE; x++) {
            const int32_t row = y / 16;
            const int32_t bx = (x + (row % 2) * 16) % 32;
            const int32_t by = y % 16;
            const bool mortar = bx < 2 || by < 2;
            const float n = tile_fractal(static_cast<float>(x), static_cast<float>(y), 16, 4, 3, 23);
            uint32_t c = mix(hex(0x5A1090), hex(0xC040FF), n);
            if (mortar) {
                c = hex(0xFF90FF);
            } else if (bx < 5 || by < 5) {
                c = shade(c, 1.3f);
            } else if (bx > 28 || by > 13) {
                c = shade(c, 0.6f);
            }
            put(&p, x, y, c);
        }
    }
    return p;
}

}  // namespace

void generate_tiles(AssetSet* set)
{
    add_picture(set, "dino_tile.tga", dino_tile());
    add_picture(set, "tilePurple.tga", purple_tile());
}
