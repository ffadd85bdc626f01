// The tick counter's source in a browser: the page's monotonic clock. The
// show itself runs on the audio clock, which the page sets on the virtual clock.
#include "platform/clock_source.h"

#include <emscripten.h>

#include "platform/clock.h"

uint32_t platform_monotonic_ms()
{
    // Truncated to 32 bits on purpose: readers only take differences.
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

// The page's thread must never block: the frame loop is the browser's.
void clock_source_sleep_ms(uint32_t) {}
