// The tick counter's source on Windows: GetTickCount, milliseconds since boot.
#include "platform/clock_source.h"

#include <windows.h>

#include "platform/clock.h"

uint32_t platform_monotonic_ms()
{
    // Wraps after 49.7 days; readers only take unsigned differences.
    return static_cast<uint32_t>(GetTickCount());
}

void clock_source_sleep_ms(uint32_t ms)
{
    Sleep(ms);
}
