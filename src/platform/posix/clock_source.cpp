// The tick counter's source on POSIX systems: CLOCK_MONOTONIC.
#include "platform/clock_source.h"

#include <ctime>

#include "platform/clock.h"

uint32_t platform_monotonic_ms()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Truncated to 32 bits on purpose: readers only take differences.
    uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void clock_source_sleep_ms(uint32_t ms)
{
    timespec pause = {static_cast<time_t>(ms / 1000u), static_cast<long>(ms % 1000u) * 1000000L};
    // A signal cuts the pause short, which only makes the next frame come sooner.
    nanosleep(&pause, nullptr);
}
