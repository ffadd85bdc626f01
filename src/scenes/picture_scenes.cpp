// The band pictures, the strobe and the curtain: scenes that blit and fill.
#include "scenes/picture_scenes.h"

#include <algorithm>

#include "core/random.h"
#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "scenes/assets.h"

PictureSceneState picture_scene_state = PICTURE_SCENES_START;
FlashLimits flash_limits = FLASH_LIMITS_FULL;

namespace {

constexpr int32_t SLOT_CREDITS = 2;
constexpr int32_t SLOT_BOOM = 4;
constexpr int32_t SLOT_ENDING = 6;

constexpr int32_t BOOM_BAND_MS = 80;
constexpr int32_t CURTAIN_COLUMN_WIDTH = 40;
constexpr int32_t CURTAIN_COLUMNS = CANVAS_WIDTH / CURTAIN_COLUMN_WIDTH;

}  // namespace

void show_band(const Image& picture, int32_t band)
{
    // In 64 bits: a late band of the explosion would overflow 100 * band.
    const int64_t top = int64_t{band} * CANVAS_HEIGHT;
    if (band < 0 || top >= picture.height) {
        return;
    }
    blit_image(picture, 0, static_cast<int32_t>(-top));
}

void scene_slides(int32_t band)
{
    show_band(slides_image, band);
}

void scene_credits(int32_t /*t*/, int32_t band)
{
    show_band(picture_slots.slots[SLOT_CREDITS], band);
}

void scene_ending(int32_t /*t*/, int32_t band)
{
    show_band(picture_slots.slots[SLOT_ENDING], band);
}

void scene_boom(int32_t t)
{
    show_band(picture_slots.slots[SLOT_BOOM], t / BOOM_BAND_MS);
}

void scene_strobe(int32_t t, int32_t selected)
{
    // The last change belongs to the selection it happened in: compared with
    // a new selection's clock it would hold the first colour until that clock
    // caught up with the old one. In 64 bits so that a last change near the
    // top of the range cannot wrap around and fire every frame.
    if (selected != 0 || int64_t{t} > int64_t{picture_scene_state.strobe_last_ms} + flash_limits.strobe_hold_ms) {
        int32_t& colour = picture_scene_state.strobe_colour;
        // Three steps on through the table: eight different colours, each far from the one before.
        colour = flash_limits.strobe_always_new != 0 ? (colour + 3) & 7 : random_next() & 7;
        clear_canvas(STROBE_COLOURS[colour]);
        picture_scene_state.strobe_last_ms = t;
    }
}

void scene_curtain(int32_t t, int32_t selected, int32_t restarted)
{
    int32_t& columns = picture_scene_state.curtain_columns;
    if (selected != 0) {
        columns = 0;
    } else if (restarted != 0 && columns < CURTAIN_COLUMNS) {
        // Counting stops past the last column: further columns lie off the
        // canvas and draw nothing, so the picture is the same.
        columns++;
    }
    const int32_t k = columns;
    fill_rect(k * CURTAIN_COLUMN_WIDTH, 0, (k + 1) * CURTAIN_COLUMN_WIDTH, std::min(t, CANVAS_HEIGHT), 0);
    for (int32_t j = k; j >= 1; j--) {
        fill_rect((j - 1) * CURTAIN_COLUMN_WIDTH, 0, j * CURTAIN_COLUMN_WIDTH, CANVAS_HEIGHT, 0);
    }
}
