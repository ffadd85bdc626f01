// The program-wide linear congruential generator, its ranged draw and its jump-ahead fill.
#include "core/random.h"

#include "core/row_pass.h"

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

int32_t random_in_range(int32_t lo, int32_t hi)
{
    const int64_t r = random_next();
    return lo + static_cast<int32_t>(r * (static_cast<int64_t>(hi) - lo + 1) / 32768);
}

// The dither tests check the jumps below against random_next.
constexpr uint32_t LCG_MULTIPLIER = RANDOM_MULTIPLIER;
constexpr uint32_t LCG_INCREMENT = RANDOM_INCREMENT;
constexpr int32_t JUMP = 32;

// The state k + 1 steps after any state s: s * multiplier[k] + increment[k].
struct LcgJumps {
    uint32_t multiplier[JUMP];
    uint32_t increment[JUMP];
};

constexpr LcgJumps make_jumps()
{
    LcgJumps j{};
    uint32_t a = LCG_MULTIPLIER;
    uint32_t c = LCG_INCREMENT;
    for (int32_t k = 0; k < JUMP; k++) {
        j.multiplier[k] = a;
        j.increment[k] = c;
        a *= LCG_MULTIPLIER;
        c = c * LCG_MULTIPLIER + LCG_INCREMENT;
    }
    return j;
}

constexpr LcgJumps LCG_JUMPS = make_jumps();

ROW_PASS void random_fill_bytes(int32_t* out, int32_t count)
{
    uint32_t state = random_state.state;
    int32_t i = 0;
    // JUMP values from one state: independent multiplications instead of a
    // chain of JUMP steps. (r * 256 / 32768 of r = (state >> 16) & 0x7FFF is
    // (state >> 23) & 0xFF.)
    for (; i + JUMP <= count; i += JUMP) {
        for (int32_t k = 0; k < JUMP; k++) {
            const uint32_t later = state * LCG_JUMPS.multiplier[k] + LCG_JUMPS.increment[k];
            out[i + k] = static_cast<int32_t>((later >> 23) & 0xFF);
        }
        state = state * LCG_JUMPS.multiplier[JUMP - 1] + LCG_JUMPS.increment[JUMP - 1];
    }
    random_state.state = state;
    for (; i < count; i++) {
        out[i] = random_in_range(0, 255);
    }
}
