// The tick counter: CLOCK_MONOTONIC milliseconds, or a virtual clock for tests.
#include "platform/clock.h"

#include <atomic>
#include <ctime>

namespace {

// The audio thread may read the ticks while a test moves the virtual clock.
struct ClockState {
    std::atomic<int32_t> virtual_enabled;
    std::atomic<uint32_t> virtual_now_ms;
};

// Lives for the whole process; starts on the real clock.
ClockState clock_state;

}  // namespace

uint32_t platform_monotonic_ms()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Truncated to 32 bits on purpose: readers only take differences.
    uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

uint32_t platform_ticks_ms()
{
    if (clock_state.virtual_enabled.load(std::memory_order_acquire) != 0) {
        return clock_state.virtual_now_ms.load(std::memory_order_acquire);
    }
    return platform_monotonic_ms();
}

int32_t platform_ticks_elapsed(uint32_t start_ms, uint32_t now_ms)
{
    return static_cast<int32_t>(now_ms - start_ms);
}

void platform_clock_use_virtual(uint32_t start_ms)
{
    clock_state.virtual_now_ms.store(start_ms, std::memory_order_release);
    clock_state.virtual_enabled.store(1, std::memory_order_release);
}

void platform_clock_use_real()
{
    clock_state.virtual_enabled.store(0, std::memory_order_release);
}

void platform_clock_set(uint32_t now_ms)
{
    clock_state.virtual_now_ms.store(now_ms, std::memory_order_release);
}

void platform_clock_advance(uint32_t delta_ms)
{
    clock_state.virtual_now_ms.fetch_add(delta_ms, std::memory_order_acq_rel);
}

void platform_sleep_ms(uint32_t ms)
{
    // On the virtual clock, time passes only when someone moves it: a sleep does.
    if (clock_state.virtual_enabled.load(std::memory_order_acquire) != 0) {
        platform_clock_advance(ms);
        return;
    }
    timespec pause = {static_cast<time_t>(ms / 1000u), static_cast<long>(ms % 1000u) * 1000000L};
    // A signal cuts the pause short, which only makes the next frame come sooner.
    nanosleep(&pause, nullptr);
}
