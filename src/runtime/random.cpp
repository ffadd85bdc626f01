// The program-wide linear congruential generator.
#include "runtime/random.h"

RandomState random_state = {1};

void random_seed(uint32_t seed)
{
    random_state.state = seed;
}

int32_t random_next()
{
    random_state.state = random_state.state * RANDOM_MULTIPLIER + RANDOM_INCREMENT;
    return static_cast<int32_t>((random_state.state >> 16) & 0x7FFF);
}
