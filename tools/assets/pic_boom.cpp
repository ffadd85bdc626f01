// The explosion: one band per 80 ms, from a white flash through a fireball and flying rocks to drifting smoke.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "pic_common.h"
#include "rng.h"

namespace {

constexpr int32_t FRAMES = 24;  // 1.92 s: longer than a bar, so the next cut comes before it ends
constexpr float CX = 80.0f;
constexpr float CY = 58.0f;

struct Debris {
    float dx, dy, size;
};

std::vector<Debris> make_debris()
{
    Rng rng = rng_seeded(66);
    std::vector<Debris> out;
    for (int32_t i = 0; i < 24; i++) {
        const float a = rng_range(&rng, 0.0f, 6.2831853f);
        const float speed = rng_range(&rng, 6.0f, 14.0f);
        out.push_back(Debris{std::cos(a) * speed, std::sin(a) * speed * 0.7f - 2.0f, rng_range(&rng, 1.5f, 3.5f)});
    }
    return out;
}

// Fire colour from white-hot (1) through yellow and orange to red and soot (0).
uint32_t fire(float heat)
{
    heat = std::clamp(heat, 0.0f, 1.0f);
    if (heat > 0.75f) {
        return mix(hex(0xFFE040), hex(0xFFFFFF), (heat - 0.75f) / 0.25f);
    }
    if (heat > 0.45f) {
        return mix(hex(0xFF6000), hex(0xFFE040), (heat - 0.45f) / 0.3f);
    }
    if (heat > 0.2f) {
        return mix(hex(0x801000), hex(0xFF6000), (heat - 0.2f) / 0.25f);
    }
    return mix(hex(0x201818), hex(0x801000), heat / 0.2f);
}

void draw_frame(Picture* p, int32_t k, const std::vector<Debris>& debris)
{
    const int32_t top = k * BAND_HEIGHT;
    const float t = static_cast<float>(k) / static_cast<float>(FRAMES - 1);
    // The white of the blast fades over most of a second: a quicker fade
    // jumps in brightness from band to band like a strobe.
    const float flash = std::max(0.0f, 1.0f - static_cast<float>(k) * 0.08f);
    const uint32_t sky = mix(hex(0x100820), hex(0xFFF0C0), flash);
    fill_box(p, 0, top, BAND_WIDTH, top + BAND_HEIGHT, sky);
    fill_box(p, 0, top + 82, BAND_WIDTH, top + BAND_HEIGHT, mix(hex(0x181008), hex(0xFFD080), flash));
    const float radius = 8.0f + 62.0f * std::sqrt(t);
    const float cool = t * 1.1f;
    for (int32_t y = 0; y < BAND_HEIGHT; y++) {
        for (int32_t x = 0; x < BAND_WIDTH; x++) {
            const float dx = static_cast<float>(x) - CX;
            const float dy = (static_cast<float>(y) - CY) * 1.3f;
            const float n =
                tile_fractal(static_cast<float>(x) + t * 40.0f, static_cast<float>(y) - t * 60.0f, 16, 16, 3, 5);
            const float r = std::sqrt(dx * dx + dy * dy) / radius + (n - 0.5f) * 0.5f;
            if (r < 1.0f) {
                const float heat = (1.0f - r) * 1.3f - cool + 0.35f;
                const auto alpha = static_cast<uint32_t>(255 * std::min(1.0f, (1.0f - r) * 4));
                blend(p, x, top + y, (fire(heat) & 0xFFFFFFu) | (alpha << 24));
            }
        }
    }
    // The shock ring runs ahead of the fire for the first frames.
    if (k >= 1 && k <= 6) {
        const float ring = radius * 1.25f + 6.0f;
        for (int32_t a = 0; a < 180; a++) {
            const float angle = 6.2831853f * static_cast<float>(a) / 180.0f;
            fill_disc(p, CX + std::cos(angle) * ring, static_cast<float>(top) + CY + std::sin(angle) * ring * 0.6f,
                      1.5f, rgba(255, 255, 220, 200 - 30 * static_cast<uint32_t>(k)));
        }
    }
    for (const Debris& d : debris) {
        const float s = static_cast<float>(k) * 1.2f;
        const float x = CX + d.dx * s;
        const float y = CY + d.dy * s + 0.35f * s * s;
        if (y < BAND_HEIGHT - 2) {
            fill_disc(p, x, static_cast<float>(top) + y, d.size, k < 4 ? hex(0xFFD040) : hex(0x503020));
        }
    }
}

}  // namespace

void generate_boom(AssetSet* set)
{
    Picture p = make_picture(BAND_WIDTH, FRAMES * BAND_HEIGHT, hex(0), false);
    const std::vector<Debris> debris = make_debris();
    for (int32_t k = 0; k < FRAMES; k++) {
        draw_frame(&p, k, debris);
    }
    corner_label(&p, "BOOM!", hex(0xFF6000));
    add_picture(set, "boomb.tga", p);
}
