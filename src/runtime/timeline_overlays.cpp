// The overlays laid over the scene every frame, in their fixed order.
#include <cmath>

#include "gfx2d/canvas.h"
#include "gfx2d/filters.h"
#include "gfx2d/picture_slots.h"
#include "runtime/timeline.h"
#include "scenes/picture_scenes.h"

namespace {

constexpr float LETTERBOX_CLOSE_PER_MS = 0.003f;
constexpr double LETTERBOX_ROWS_PER_UNIT = 50.0 * 0.25;  // 12.5 rows

void blit_slot(int32_t number, int32_t x, int32_t y)
{
    const Image* picture = picture_slot(number);
    if (picture != nullptr) {
        blit_image(*picture, x, y);
    }
}

void lay_distortion_band(Framebuffer* canvas)
{
    int32_t left = CANVAS_WIDTH - timeline.distort_thirds * CANVAS_WIDTH / 3;
    if (left < 0) {
        left = 0;
    }
    add_noise(canvas, left, 0, CANVAS_WIDTH, CANVAS_HEIGHT, 240);
    box_blur(canvas, left, 0, CANVAS_WIDTH, CANVAS_HEIGHT, 3);
    apply_levels(canvas, left, 0, CANVAS_WIDTH, CANVAS_HEIGHT, 120, 240);
}

void lay_letterbox(int32_t dt)
{
    float g = timeline.letterbox;
    if (timeline.letterbox < 0.0f) {
        g = -timeline.letterbox;
        timeline.letterbox = timeline.letterbox + float(dt) * LETTERBOX_CLOSE_PER_MS;
    }
    double h = double(g) * LETTERBOX_ROWS_PER_UNIT;
    fill_rect(0, 0, CANVAS_WIDTH, int32_t(h), 0);
    fill_rect(0, int32_t(CANVAS_HEIGHT - h), CANVAS_WIDTH, CANVAS_HEIGHT, 0);
}

// The picture enters at column 60 and slides left, fast at first.
void lay_greetings(int32_t dt)
{
    float s = float(timeline.greets_slide_ms / 250.0);
    float p = float(std::pow(double(s), 0.5));
    int32_t x = 60 - int32_t(double(p) * 80.0);
    blit_slot(SLOT_GREETINGS, x, timeline.greets_panel * -100);
    timeline.greets_slide_ms += dt;
}

// The flash's strength in remaining milliseconds: what is left of it, or
// under gentle limits a rise over flash_rise_ms, a fall over the rest, and a
// lower peak.
int32_t flash_strength(int32_t m)
{
    const int32_t rise = flash_limits.flash_rise_ms;
    if (rise <= 0 || rise >= FLASH_MS) {
        return m;
    }
    const int32_t elapsed = FLASH_MS - m;
    int32_t e = elapsed < rise ? FLASH_MS * elapsed / rise : FLASH_MS * m / (FLASH_MS - rise);
    return e * flash_limits.flash_peak / FLASH_FULL_PEAK;
}

void lay_flash(Framebuffer* canvas, int32_t dt)
{
    const int32_t m = flash_strength(timeline.white_flash_ms);
    apply_levels(canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, (-m * 64) / FLASH_MS, 255 - (m * 256) / FLASH_MS);
    timeline.white_flash_ms -= dt;
}

void lay_fade(Framebuffer* canvas, int32_t dt)
{
    int32_t f = timeline.fade_in_ms;
    int32_t a = (f * 256) / FADE_MS;
    apply_levels(canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, a, a + 255);
    timeline.fade_in_ms = f - dt;
}

void lay_blur(Framebuffer* canvas, int32_t* remaining, int32_t full_radius, int32_t full_ms, int32_t dt)
{
    int32_t b = *remaining;
    box_blur(canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, (b * full_radius) / full_ms);
    *remaining = b - dt;
}

}  // namespace

void lay_timeline_overlays(int32_t now, int32_t dt)
{
    Framebuffer* canvas = get_canvas();
    if (timeline.distort_thirds != 0) {
        lay_distortion_band(canvas);
    }
    if (timeline.letterbox != 0.0f) {
        lay_letterbox(dt);
    }
    if (timeline.overlay_picture != 0) {
        blit_slot(timeline.overlay_picture, 0, 0);
    }
    if (timeline.overlay_picture_high != 0) {
        blit_slot(8 + timeline.overlay_picture_high, 0, 0);  // beyond the slots: nothing
    }
    if (timeline.tag_overlay != 0) {
        draw_timeline_tag(timeline.tag_overlay - 1, now - timeline.tag_start_ms);
    }
    if (timeline.greets_slide_ms != -1) {
        lay_greetings(dt);
    }
    if (timeline.white_flash_ms > 0) {
        lay_flash(canvas, dt);
    }
    if (timeline.fade_in_ms > 0) {
        lay_fade(canvas, dt);
    }
    if (timeline.short_blur_ms > 0) {
        lay_blur(canvas, &timeline.short_blur_ms, 4, SHORT_BLUR_MS, dt);
    }
    if (timeline.long_blur_ms > 0) {
        lay_blur(canvas, &timeline.long_blur_ms, 16, LONG_BLUR_MS, dt);
    }
}
