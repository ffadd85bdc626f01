// The tick counter: the system's millisecond clock, or a virtual clock for tests.
#include "platform/clock.h"

#include "platform/clock_source.h"

#include <atomic>

namespace {

// The audio thread may read the ticks while a test moves the virtual clock.
struct ClockState {
    std::atomic<int32_t> virtual_enabled;
    std::atomic<uint32_t> virtual_now_ms;
};

// Lives for the whole process; starts on the real clock.
ClockState clock_state;

}  // namespace

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
    clock_source_sleep_ms(ms);
}
