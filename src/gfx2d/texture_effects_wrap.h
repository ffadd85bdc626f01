// Texel addressing shared by the texture-mapping effects: emptiness test and coordinate wrapping.
#pragma once
#include <cstdint>

#include "core/fixed.h"
#include "core/image.h"

// The effects' turn in radians, at the precision their waves were tuned with.
constexpr float EFFECT_TWO_PI = 6.2832f;

inline bool texture_is_empty(const Image& texture)
{
    return texture.pixels == nullptr || texture.width == 0 || texture.height == 0;
}

// A float texel coordinate truncated toward zero, then wrapped by the mask
// (size - 1) in two's complement. Because the AND keeps only mask bits, the
// result never exceeds size - 1, even for sizes that are not powers of two;
// NaN and out-of-range coordinates wrap to 0.
inline uint32_t wrap_texel(float coord, uint32_t mask)
{
    return static_cast<uint32_t>(float_to_int_trunc(coord)) & mask;
}
