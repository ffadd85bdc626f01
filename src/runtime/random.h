// The program-wide pseudo-random generator shared by the dither, the noise
// filter and the scenes. Its sequence is part of the picture, so it is ours
// and not the C library's rand, whose sequence differs between platforms.
#pragma once
#include <cstdint>

struct RandomState {
    uint32_t state;  // starts at 1, as an unseeded generator does
};

// Lives for the whole run; touched by the main thread only.
extern RandomState random_state;

void random_seed(uint32_t seed);

// Next number 0..32767: state = state * 214013 + 2531011, (state >> 16) & 0x7FFF.
int32_t random_next();
