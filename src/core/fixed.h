// The renderer's 20.12 fixed-point number: conversions and arithmetic with exact rounding.
#pragma once
#include <cstdint>

// A 20.12 fixed-point value: a signed 32-bit integer holding the value times
// FIXED_ONE (20 integer bits including the sign, 12 fraction bits).
// Sums and differences wrap modulo 2^32; nothing saturates.
using Fixed = int32_t;

constexpr int FIXED_FRAC_BITS = 12;                // 20.12: fraction bits
constexpr Fixed FIXED_ONE = 1 << FIXED_FRAC_BITS;  // 20.12: 1.0 (4096)

// Truncates toward zero like a C cast, but defined for every float: NaN and
// values outside the int32 range give INT32_MIN (what x86 conversion
// instructions produce), so callers that mask the result get 0.
inline int32_t float_to_int_trunc(float x)
{
    if (x > -2147483648.0f && x < 2147483648.0f) {
        return static_cast<int32_t>(x);
    }
    return INT32_MIN;
}

// float -> 20.12: x * FIXED_ONE truncated toward zero (-0.0001 gives 0,
// -1.5 gives -6144). Out-of-range input gives INT32_MIN.
inline Fixed fixed_from_float(float x)
{
    return float_to_int_trunc(x * static_cast<float>(FIXED_ONE));
}

// int -> 20.12: n shifted left by the fraction bits, low 32 bits kept.
inline Fixed fixed_from_int(int32_t n)
{
    return static_cast<Fixed>(static_cast<uint32_t>(n) << FIXED_FRAC_BITS);
}

// 20.12 -> int: arithmetic shift, so it rounds toward minus infinity
// (-1 gives -1, not 0).
inline int32_t fixed_to_int(Fixed a)
{
    return a >> FIXED_FRAC_BITS;
}

// 20.12 -> float: a / FIXED_ONE, rounded to float.
inline float fixed_to_float(Fixed a)
{
    return static_cast<float>(a) * (1.0f / static_cast<float>(FIXED_ONE));
}

// Wrapping 32-bit sum and difference (plain signed overflow would be undefined).
inline Fixed fixed_add(Fixed a, Fixed b)
{
    return static_cast<Fixed>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline Fixed fixed_sub(Fixed a, Fixed b)
{
    return static_cast<Fixed>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// 20.12 product: the 64-bit product shifted right arithmetically by the
// fraction bits, low 32 bits kept. Rounds toward minus infinity:
// fixed_mul(-1, 1) is -1.
inline Fixed fixed_mul(Fixed a, Fixed b)
{
    return static_cast<Fixed>((static_cast<int64_t>(a) * b) >> FIXED_FRAC_BITS);
}

// fixed_mul with shortcuts for the operands 0 and FIXED_ONE, which fill most
// of a rotation matrix; the results are identical to fixed_mul's.
inline Fixed fixed_mul_quick(Fixed a, Fixed b)
{
    if (a == 0 || b == 0) {
        return 0;
    }
    if (b == FIXED_ONE) {
        return a;
    }
    if (a == FIXED_ONE) {
        return b;
    }
    return fixed_mul(a, b);
}

// 20.12 quotient: (a << fraction bits) / b in 64 bits, truncated toward zero,
// low 32 bits kept. fixed_div(FIXED_ONE, 0x20000) is 128 (1/32).
// Division by 0 is a caller error; instead of trapping it returns the
// largest value with the sign of a (0 for 0 / 0).
Fixed fixed_div(Fixed a, Fixed b);

// A 20.12 value times a whole count, as a wrapping 32-bit product.
inline Fixed fixed_scale(Fixed a, int32_t n)
{
    return static_cast<Fixed>(static_cast<uint32_t>(a) * static_cast<uint32_t>(n));
}

// n * x in extended precision (exact for every int and float), truncated
// toward zero. Out-of-range results give INT32_MIN.
int32_t mul_int_float(int32_t n, float x);
