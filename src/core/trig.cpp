// Table sine, cosine and arctangent, and the integer and coarse float square roots.
#include "core/trig.h"

#include <cmath>

#include "core/fixed.h"

namespace {

constexpr float SINE_STEPS_PER_RADIAN = 40.7436637878418f;  // 256 / 2 pi as the nearest float
constexpr float HALF_PI = 1.5707963705f;
constexpr uint32_t TRIG_INDEX_MASK = TRIG_TABLE_SIZE - 1;
constexpr uint32_t QUARTER_TURN = TRIG_TABLE_SIZE / 4;

// Interpolates the sine table at x * 256 / 2 pi, with the index moved by
// `offset` table steps (a quarter turn gives the cosine).
float sine_lookup(float radians, uint32_t offset)
{
    const float t = radians * SINE_STEPS_PER_RADIAN;
    const float step = std::floor(t);  // below the truncated value for negative t
    const float frac = t - step;
    const uint32_t i = static_cast<uint32_t>(float_to_int_trunc(step)) + offset;
    const double s0 = SineTable[i & TRIG_INDEX_MASK];
    const double s1 = SineTable[(i + 1) & TRIG_INDEX_MASK];
    // Evaluated in double and rounded to float once, at the end.
    return static_cast<float>(s0 * (1.0 - frac) + frac * s1);
}

// The table index for a scaled argument in [0, 256], clamped to the last entry.
uint32_t atan_index(float t)
{
    if (t < static_cast<float>(TRIG_TABLE_SIZE)) {
        return static_cast<uint32_t>(t);
    }
    return TRIG_TABLE_SIZE - 1;  // also NaN
}

}  // namespace

float fast_sin(float radians)
{
    return sine_lookup(radians, 0);
}

float fast_cos(float radians)
{
    return sine_lookup(radians, QUARTER_TURN);
}

float fast_atan(float x)
{
    const bool negative = x < 0.0f;
    if (negative) {
        x = -x;
    }
    float result;
    if (x < 1.0f) {
        result = AtanTable[atan_index(x * static_cast<float>(TRIG_TABLE_SIZE))];
    } else {
        // atan(x) = pi/2 - atan(1/x) keeps the table argument below 1.
        result = HALF_PI - AtanTable[atan_index(static_cast<float>(TRIG_TABLE_SIZE) / x)];
    }
    return negative ? -result : result;
}

int32_t int_sqrt(int32_t n)
{
    if (n < 0) {
        return 0;
    }
    uint32_t remainder = static_cast<uint32_t>(n);
    uint32_t root = 0;
    // One result bit per step, from bit 15 down; `bit` is that bit squared.
    for (uint32_t bit = 1u << 30; bit != 0; bit >>= 2) {
        if (remainder >= root + bit) {
            remainder -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
    }
    return static_cast<int32_t>(root);
}

float fast_sqrt(float x)
{
    constexpr float SQRT_SCALE = 256.0f;     // 8 fraction bits in, 4 out
    constexpr double SQRT_UNSCALE = 0.0625;  // 1/16
    const float scaled = x * SQRT_SCALE;
    if (!(scaled >= 1.0f)) {
        return 0.0f;  // also negative and NaN
    }
    // floor(sqrt(n)) of the truncated value through the hardware root: equal
    // to int_sqrt(n) for every n up to 2^31 - 1 (checked exhaustively) at half
    // the tunnel's cost, and it stays right past int_sqrt's range, where the
    // integer would wrap negative and give 0.
    const double whole = std::trunc(static_cast<double>(scaled));
    return static_cast<float>(std::floor(std::sqrt(whole)) * SQRT_UNSCALE);
}
