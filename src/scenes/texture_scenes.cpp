// The scenes built on the texture effects: the two tunnels, the tile warp and the rotozoom layers.
#include <cmath>

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "gfx2d/texture_effects.h"
#include "scenes/assets.h"
#include "scenes/picture_scenes.h"

namespace {

constexpr int32_t SLOT_TITLE = 1;
constexpr int32_t VW1_SHOWS_MS = 125;
constexpr int32_t VW_X = 80;
constexpr int32_t VW_Y = 32;

bool image_empty(const Image& image)
{
    return image.pixels == nullptr || image.width == 0 || image.height == 0;
}

// One rotozoom layer at demo time tf: the products are taken in double and
// rounded to float, and the zoom's sine is taken of the rounded value; the
// rounding shows in the picture, so it is kept exactly.
void rotozoom_layer(const Image& texture, float tf, double turn_rate, double zoom_rate, float shift)
{
    if (image_empty(texture)) {
        return;
    }
    const auto angle = static_cast<float>(static_cast<double>(tf) * turn_rate);
    const auto zoom_phase = static_cast<float>(static_cast<double>(tf) * zoom_rate);
    const auto zoom = static_cast<float>(2.0 * std::sin(static_cast<double>(zoom_phase)));
    rotozoom(angle, zoom, shift, texture, get_canvas());
}

}  // namespace

void scene_title_tunnel(int32_t t, int32_t band)
{
    show_band(picture_slots.slots[SLOT_TITLE], band);
    add_tunnel(180.0f, 80.0f, dino_tile_image, get_canvas(), t);
}

void scene_purple_tunnel(int32_t t, int32_t band)
{
    draw_tunnel(125.0f, 60.0f, tile_purple_image, get_canvas(), t);
    blit_image(vw0_image, VW_X, VW_Y);
    if (t < VW1_SHOWS_MS) {
        blit_image(vw1_image, VW_X, VW_Y);
    }
    show_band(bubble_image, band);
}

void scene_tile_warp(int32_t t, int32_t /*param*/)
{
    draw_warp(get_canvas(), 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, dino_tile_image, t);
}

void scene_rotozoom(int32_t t, int32_t c, int32_t /*param*/, int32_t /*restarted*/)
{
    const auto tf = static_cast<float>(t);
    const auto shift = static_cast<float>(static_cast<double>(c) * 0.001);
    blit_image(spare_backdrop, 0, 0);
    rotozoom_layer(spare_texture, tf, 0.002, 0.0004, shift);
    rotozoom_layer(dino_tile_image, tf, 0.0035, 0.0005, shift);
}
