// Colour arithmetic of the cell conversion: 12-bit hue/saturation/value and
// the weighted distance to the eight candidate colours a cell can show.
#pragma once
#include <cstdint>

#include "display/surface_desc.h"

// Hue circle 0..24575 in six sectors of 4096: 0 magenta, 1 red, 2 yellow,
// 3 green, 4 cyan, 5 blue (then magenta again at 24576).
constexpr int32_t HUE_SECTOR = 4096;
constexpr int32_t HUE_SECTOR_BITS = 12;

// Console colour indices: bit 0 blue, bit 1 green, bit 2 red, bit 3 intensity.
// Per hue sector; entry 6 repeats entry 0 so that "sector + 1" needs no wrap.
inline constexpr int32_t SECTOR_DARK[7] = {5, 4, 6, 2, 3, 1, 5};
inline constexpr int32_t SECTOR_LIGHT[7] = {13, 12, 14, 10, 11, 9, 13};
// The greys of the single-colour scheme, darkest first.
inline constexpr int32_t SINGLE_GREYS[3] = {8, 7, 15};

// One candidate of the matching model. Its hue is relative to the start of
// the cell's own sector; the console colour comes from the SlotPalette.
struct ColourCandidate {
    int32_t weight;
    int32_t hue;
    int32_t saturation;
    int32_t value;
};

// Slots 0-3 are the fixed greys (black, dark grey, light grey, white); 4-7 the
// dark and light colours of the next sector and of the cell's own sector.
constexpr int32_t CANDIDATE_COUNT = 8;
inline constexpr ColourCandidate COLOUR_CANDIDATES[CANDIDATE_COUNT] = {
    {4, 0, 0, 0},
    {5, 0, 0, 1535},
    {5, 0, 0, 2559},
    {4, 0, 0, 4095},
    {3, HUE_SECTOR, 4095, 1535},
    {2, HUE_SECTOR, 4095, 4095},
    {3, 0, 4095, 1535},
    {2, 0, 4095, 4095},
};

// Weighted squared distance of (value, saturation, hue) to a candidate.
// Black ignores saturation, greys ignore hue. The largest result, about
// 1.0e9, still fits in 32 bits for inputs on the 12-bit scale.
constexpr int32_t candidate_distance(const ColourCandidate& k, int32_t value, int32_t saturation, int32_t hue)
{
    const int32_t dv = value - k.value;
    const int32_t ds = saturation - k.saturation;
    const int32_t dh = hue - k.hue;
    int32_t sum = 6 * dv * dv;
    if (k.value != 0) {
        sum += 3 * ds * ds;
    }
    if (k.saturation != 0) {
        sum += 3 * dh * dh;
    }
    return k.weight * sum;
}

// Hue (0..24575), saturation and value (0..4095) of three 12-bit channels.
// Divisions truncate toward zero; a grey has hue 0 and saturation 0.
inline void rgb_to_hsv12(int32_t red, int32_t green, int32_t blue, int32_t* hue, int32_t* saturation, int32_t* value)
{
    int32_t max = red;
    if (green > max) {
        max = green;
    }
    if (blue > max) {
        max = blue;
    }
    int32_t min = red;
    if (green < min) {
        min = green;
    }
    if (blue < min) {
        min = blue;
    }

    *value = max;
    if (max == min) {
        *saturation = 0;
        *hue = 0;
        return;
    }
    const int32_t diff = max - min;
    *saturation = diff * CHANNEL_MAX / max;
    // The order of the tests decides ties between equal channels.
    if (red == max) {
        *hue = (green - blue) * HUE_SECTOR / diff + 1 * HUE_SECTOR;
    } else if (green == max) {
        *hue = (blue - red) * HUE_SECTOR / diff + 3 * HUE_SECTOR;
    } else {
        *hue = (red - green) * HUE_SECTOR / diff + 5 * HUE_SECTOR;
    }
}
