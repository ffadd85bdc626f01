// Table-driven sine, cosine and arctangent, and the integer and coarse float square roots.
#pragma once
#include <cstdint>

constexpr int TRIG_TABLE_SIZE = 256;

// SineTable[i] = sin(2 pi i / 256), one full turn in 256 steps; exactly
// odd-symmetric (entries 0 and 128 are 0.0, 64 is 1.0, 192 is -1.0).
// AtanTable[i] = atan(i / 256), 0.0 ... atan(255/256).
// Constant data written by tools/gen_trig_tables.py.
extern const float SineTable[TRIG_TABLE_SIZE];
extern const float AtanTable[TRIG_TABLE_SIZE];

// Sine and cosine by linear interpolation between two table entries; any
// finite angle whose scaled value (x * 256 / 2 pi) fits in 32 bits works;
// larger finite angles give 0 (fast_sin) or 1 (fast_cos) rather than
// undefined results, and infinities or NaN give NaN.
float fast_sin(float radians);
float fast_cos(float radians);

// Arctangent from the table without interpolation, in [-pi/2, pi/2]:
// fast_atan(0.5) is AtanTable[128], fast_atan(2) is pi/2 - AtanTable[128].
// NaN gives pi/2 - AtanTable[255].
float fast_atan(float x);

// floor(sqrt(n)) for 0 <= n <= 2^31 - 1, bit by bit; 0 for negative n.
int32_t int_sqrt(int32_t n);

// sqrt(x) rounded down to a multiple of 1/16 (fast_sqrt(2) is 1.375).
// Negative x and NaN give 0.
float fast_sqrt(float x);
