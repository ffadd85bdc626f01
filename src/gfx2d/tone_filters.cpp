// Per-pixel tone filters: grey noise and the linear levels mapping.
#include "core/random.h"
#include "gfx2d/filter_rect.h"
#include "gfx2d/filters.h"

namespace {

inline uint32_t clamp_channel(int32_t value)
{
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
}

}  // namespace

void add_noise(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t amplitude)
{
    int32_t a = amplitude & 0xFF;
    FilterRect rect;
    if (a == 0 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    // Row-major order and one number per pixel, even when a is 1 and the
    // offset is always 0: the shared sequence must advance the same way.
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        uint32_t* row = canvas->pixels + y * CANVAS_WIDTH;
        for (int32_t x = rect.x0; x < rect.x1; ++x) {
            int32_t n = random_next() % a - a / 2;
            uint32_t p = row[x];
            uint32_t red = clamp_channel(static_cast<int32_t>(p & 0xFF) + n);
            uint32_t green = clamp_channel(static_cast<int32_t>((p >> 8) & 0xFF) + n);
            uint32_t blue = clamp_channel(static_cast<int32_t>((p >> 16) & 0xFF) + n);
            row[x] = (p & 0xFF000000u) | red | (green << 8) | (blue << 16);
        }
    }
}

// The offset is subtracted after scaling (c * s - low, not (c - low) * s);
// the callers' constants are chosen for this form.
void apply_levels(Framebuffer* canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t low, int32_t high)
{
    int16_t low16 = static_cast<int16_t>(low);
    int16_t high16 = static_cast<int16_t>(high);
    FilterRect rect;
    if (high16 == low16 || !clip_filter_rect(x0, y0, x1, y1, &rect)) {
        return;
    }
    float scale = 256.0f / static_cast<float>(high16 - low16);
    float offset = static_cast<float>(low16);
    // Every channel value maps the same way: build the 256 results once.
    uint32_t map[256];
    for (int32_t c = 0; c < 256; ++c) {
        float v = static_cast<float>(c) * scale - offset;
        int16_t v16 = static_cast<int16_t>(static_cast<int32_t>(v));
        map[c] = clamp_channel(v16);
    }
    for (int32_t y = rect.y0; y < rect.y1; ++y) {
        uint32_t* row = canvas->pixels + y * CANVAS_WIDTH;
        for (int32_t x = rect.x0; x < rect.x1; ++x) {
            uint32_t p = row[x];
            row[x] = (p & 0xFF000000u) | map[p & 0xFF] | (map[(p >> 8) & 0xFF] << 8) | (map[(p >> 16) & 0xFF] << 16);
        }
    }
}
