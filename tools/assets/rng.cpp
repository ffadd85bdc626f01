// xorshift32 steps and the ranges built on them.
#include "rng.h"

Rng rng_seeded(uint32_t seed)
{
    // A zero state would stay zero for ever.
    return Rng{seed == 0 ? 0x9E3779B9u : seed};
}

uint32_t rng_next(Rng* rng)
{
    uint32_t x = rng->state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    rng->state = x;
    return x;
}

float rng_unit(Rng* rng)
{
    return static_cast<float>(rng_next(rng) >> 8) / 16777216.0f;
}

float rng_range(Rng* rng, float low, float high)
{
    return low + (high - low) * rng_unit(rng);
}

int32_t rng_below(Rng* rng, int32_t count)
{
    return count <= 0 ? 0 : static_cast<int32_t>(rng_next(rng) % static_cast<uint32_t>(count));
}
