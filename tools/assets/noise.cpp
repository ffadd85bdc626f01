// Value noise on a periodic lattice, with hashed corner values and smooth interpolation.
#include "noise.h"

#include <cmath>

namespace {

float lattice(int32_t x, int32_t y, int32_t period, uint32_t seed)
{
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFF) / 65535.0f;
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

float tile_noise(float x, float y, int32_t cell, int32_t period, uint32_t seed)
{
    const float fx = x / static_cast<float>(cell);
    const float fy = y / static_cast<float>(cell);
    const auto ix = static_cast<int32_t>(std::floor(fx));
    const auto iy = static_cast<int32_t>(std::floor(fy));
    const float tx = smooth(fx - static_cast<float>(ix));
    const float ty = smooth(fy - static_cast<float>(iy));
    const float a = lattice(ix, iy, period, seed);
    const float b = lattice(ix + 1, iy, period, seed);
    const float c = lattice(ix, iy + 1, period, seed);
    const float d = lattice(ix + 1, iy + 1, period, seed);
    return (a + (b - a) * tx) * (1.0f - ty) + (c + (d - c) * tx) * ty;
}

float tile_fractal(float x, float y, int32_t cell, int32_t period, int32_t octaves, uint32_t seed)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int32_t o = 0; o < octaves && cell >= 1; o++) {
        sum += tile_noise(x, y, cell, period, seed + static_cast<uint32_t>(o)) * weight;
        total += weight;
        weight *= 0.5f;
        cell /= 2;
        period *= 2;
    }
    return total > 0.0f ? sum / total : 0.0f;
}
