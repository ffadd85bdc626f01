// The model textures: dinosaur skins, the white outline texture, the light map, the rock and the row animal's hide.
#include <cmath>

#include "asset_files.h"
#include "noise.h"
#include "tga_writer.h"

namespace {

constexpr int32_t SKIN = 128;

void add_skin(AssetSet* set, const char* name, const Picture& p)
{
    add_file(set, name, encode_tga(p));
}

// x runs from the back (0) to the belly (127) on both flanks; y along the body.
struct SkinColours {
    uint32_t back, flank, belly, mark;
};

// Stripes across the back that thin out down the flanks, blotches on the
// flanks, a pale belly, and a grain of scales over everything.
Picture striped_skin(const SkinColours& c, int32_t stripe_period, float stripe_reach, uint32_t seed)
{
    Picture p = make_picture(SKIN, SKIN, 0, false);
    for (int32_t y = 0; y < SKIN; y++) {
        for (int32_t x = 0; x < SKIN; x++) {
            const float across = static_cast<float>(x) / (SKIN - 1);
            uint32_t base =
                across < 0.55f ? mix(c.back, c.flank, across / 0.55f) : mix(c.flank, c.belly, (across - 0.55f) / 0.2f);
            const float wobble = (tile_noise(static_cast<float>(x), static_cast<float>(y), 16, 8, seed) - 0.5f) * 10;
            const float phase = std::fmod(static_cast<float>(y) + wobble + 512.0f, static_cast<float>(stripe_period));
            const float width = static_cast<float>(stripe_period) * 0.42f * (1.0f - across / stripe_reach);
            if (across < stripe_reach && phase < width) {
                base = mix(base, c.mark, 0.85f);
            }
            const float blotch = tile_fractal(static_cast<float>(x), static_cast<float>(y), 16, 8, 2, seed + 7);
            if (across > 0.3f && across < 0.7f && blotch > 0.62f) {
                base = mix(base, c.mark, 0.6f);
            }
            // Scales: a small hexagon-like grain that reads as texture up close.
            const int32_t sx = (x + ((y / 4) % 2) * 2) % 4;
            const int32_t sy = y % 4;
            const float grain = (sx == 0 || sy == 0) ? 0.78f : 1.0f;
            put(&p, x, y, shade(base, grain));
        }
    }
    return p;
}

Picture light_map()
{
    Picture p = make_picture(SKIN, SKIN, 0, false);
    for (int32_t y = 0; y < SKIN; y++) {
        for (int32_t x = 0; x < SKIN; x++) {
            const float dx = (static_cast<float>(x) - 58.0f) / 64.0f;
            const float dy = (static_cast<float>(y) - 50.0f) / 64.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            // Bright and flat in the middle, a sharp highlight, a soft fall to a dark rim.
            float level = 1.0f - 0.62f * std::pow(std::min(r, 1.2f) / 1.2f, 1.6f);
            const float spot = std::max(0.0f, 1.0f - r * 5.0f);
            level = std::min(1.0f, level + spot * 0.35f);
            const auto v = static_cast<uint32_t>(std::lround(255.0f * level));
            const auto warm = static_cast<uint32_t>(std::lround(255.0f * std::min(1.0f, level * 1.05f)));
            put(&p, x, y, rgba(warm, v, static_cast<uint32_t>(std::lround(v * 0.92f))));
        }
    }
    return p;
}

Picture rock_skin()
{
    Picture p = make_picture(64, 64, 0, false);
    for (int32_t y = 0; y < 64; y++) {
        for (int32_t x = 0; x < 64; x++) {
            const float n = tile_fractal(static_cast<float>(x), static_cast<float>(y), 16, 4, 4, 41);
            uint32_t c = mix(hex(0x3A2E28), hex(0xB89C7A), n * 1.3f - 0.15f);
            // Craters: dark rims with a lit lower edge.
            const float cx[3] = {18, 44, 30};
            const float cy[3] = {20, 40, 52};
            const float cr[3] = {9, 7, 5};
            for (int32_t k = 0; k < 3; k++) {
                const float d = std::hypot(static_cast<float>(x) - cx[k], static_cast<float>(y) - cy[k]) / cr[k];
                if (d < 1.0f) {
                    c = shade(c, 0.55f + 0.3f * d);
                } else if (d < 1.25f) {
                    c = shade(c, static_cast<float>(y) > cy[k] ? 1.35f : 0.7f);
                }
            }
            put(&p, x, y, c);
        }
    }
    return p;
}

}  // namespace

void generate_skins(AssetSet* set)
{
    add_skin(set, "texWht.tga", make_picture(8, 8, hex(0xFFFFFF), false));
    add_skin(set, "lighting.tga", light_map());
    add_skin(set, "diploTex.tga",
             striped_skin({hex(0x7A3A12), hex(0xE08A2C), hex(0xFFE7A8), hex(0x3A1A08)}, 24, 0.6f, 3));
    add_skin(set, "trexTex.tga",
             striped_skin({hex(0x1E3C8C), hex(0x2F7FD8), hex(0xF2F0C8), hex(0x0C1030)}, 18, 0.7f, 5));
    add_skin(set, "astTex.tga", rock_skin());
    add_skin(set, "row_model.tga",
             striped_skin({hex(0x9A5A14), hex(0xE8A030), hex(0xFFF0C0), hex(0x4A2206)}, 32, 0.3f, 9));
}
