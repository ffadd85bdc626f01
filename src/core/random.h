// The program-wide pseudo-random generator shared by the dither, the noise
// filter and the scenes. Its sequence is part of the picture, so it is ours
// and not the C library's rand, whose sequence differs between platforms.
#pragma once
#include <cstdint>

// The generator's step: state = state * RANDOM_MULTIPLIER + RANDOM_INCREMENT (mod 2^32).
constexpr uint32_t RANDOM_MULTIPLIER = 214013u;
constexpr uint32_t RANDOM_INCREMENT = 2531011u;

struct RandomState {
    uint32_t state;  // starts at 1, as an unseeded generator does
};

// Lives for the whole run; touched by the main thread only.
extern RandomState random_state;

void random_seed(uint32_t seed);

// Steps the state and returns (state >> 16) & 0x7FFF, 0..32767.
int32_t random_next();

// lo + floor(r * (hi - lo + 1) / 32768) for the generator's next r. Draws
// from the shared sequence: the dither, the noise filter and the scenes
// take turns on it, so every call changes what the others see.
int32_t random_in_range(int32_t lo, int32_t hi);

// Stores count successive values of random_in_range(0, 255) and leaves the
// generator where count calls would. Faster than calling: the generator's
// steps form one long dependency chain, which this breaks up by jumping ahead.
void random_fill_bytes(int32_t* out, int32_t count);
