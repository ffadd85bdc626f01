// The layered rotozoom scene's pictures: a clutch of eggs with clear gaps as the turning layer, and a volcano sunset
// behind.
#include <cmath>

#include "noise.h"
#include "pic_common.h"

namespace {

Picture eggs()
{
    Picture p = make_picture(128, 128, rgba(0, 0, 0, 0), true);
    const uint32_t shells[4] = {hex(0xFFF4D0), hex(0xC0F0FF), hex(0xFFD0F0), hex(0xE0FFC0)};
    for (int32_t j = 0; j < 4; j++) {
        for (int32_t i = 0; i < 4; i++) {
            const float cx = 16.0f + 32.0f * static_cast<float>(i) + (j % 2) * 16.0f;
            const float cy = 16.0f + 32.0f * static_cast<float>(j);
            const uint32_t c = shells[(i + j) % 4];
            for (int32_t wrap = 0; wrap < 2; wrap++) {
                // Eggs that cross the right edge come back on the left, so the tile repeats cleanly.
                const float x = cx - 128.0f * static_cast<float>(wrap);
                fill_ellipse(&p, x, cy, 10, 13, hex(0x301020));
                fill_ellipse(&p, x, cy, 8.5f, 11.5f, c);
                fill_ellipse(&p, x - 3, cy - 5, 2.5f, 3.5f, hex(0xFFFFFF));
                fill_disc(&p, x + 3, cy + 3, 1.5f, shade(c, 0.6f));
                fill_disc(&p, x - 2, cy + 6, 1.2f, shade(c, 0.6f));
            }
        }
    }
    return p;
}

Picture volcano_sunset()
{
    Picture p = make_picture(BAND_WIDTH, BAND_HEIGHT, hex(0), false);
    vertical_gradient(&p, 0, 70, hex(0x200040), hex(0xFF6020));
    fill_disc(&p, 110, 62, 18, hex(0xFFE080));
    fill_triangle(&p, 20, 100, 70, 38, 120, 100, hex(0x180810));
    fill_box(&p, 62, 38, 78, 42, hex(0xFF4000));
    for (int32_t i = 0; i < 8; i++) {
        const float k = static_cast<float>(i);
        fill_disc(&p, 70 + std::sin(k * 1.7f) * (4 + k * 2), 34 - k * 4, 3 + k, rgba(60, 40, 50, 200));
    }
    for (int32_t x = 0; x < BAND_WIDTH; x++) {
        const float n = tile_noise(static_cast<float>(x), 0, 8, 20, 3);
        const auto h = static_cast<int32_t>(82 + n * 10);
        fill_box(&p, x, h, x + 1, BAND_HEIGHT, hex(0x100818));
    }
    return p;
}

}  // namespace

void generate_spare(AssetSet* set)
{
    add_picture(set, "spare_texture.tga", eggs());
    add_picture(set, "spare_backdrop.tga", volcano_sunset());
}
