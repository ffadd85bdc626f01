// The system's own clock under the tick counter: one source file per platform.
#pragma once
#include <cstdint>

// Sleeps for about ms milliseconds of real time.
void clock_source_sleep_ms(uint32_t ms);
