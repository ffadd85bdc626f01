// Packed-colour blends shared by the canvas primitives and the particle renderer.
#pragma once
#include <cstdint>

// Per byte (all four): (a >> 1) + (b >> 1), at most 254, no carries.
inline uint32_t colour_average(uint32_t a, uint32_t b)
{
    return ((a >> 1) & 0x7F7F7F7Fu) + ((b >> 1) & 0x7F7F7F7Fu);
}

// Per colour byte: s = (a >> 1) + (b >> 1); 255 when s >= 128, else 2s.
// Byte 3 becomes 2s modulo 256 without saturating.
inline uint32_t colour_add_saturate(uint32_t a, uint32_t b)
{
    uint32_t half_sum = colour_average(a, b);
    uint32_t doubled = (half_sum & 0x7F7F7F7Fu) << 1;
    uint32_t overflow = (half_sum & 0x00808080u) >> 7;  // 1 in each saturated colour byte
    return doubled | (overflow * 0xFFu);
}
