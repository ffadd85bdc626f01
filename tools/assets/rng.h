// A small deterministic random generator of the asset generator's own, so the data never depends on the C library.
#pragma once
#include <cstdint>

// xorshift32: the same seed gives the same numbers on every machine.
struct Rng {
    uint32_t state;
};

Rng rng_seeded(uint32_t seed);
uint32_t rng_next(Rng* rng);
// Uniform in [0, 1).
float rng_unit(Rng* rng);
// Uniform in [low, high).
float rng_range(Rng* rng, float low, float high);
// Uniform integer in [0, count).
int32_t rng_below(Rng* rng, int32_t count);
