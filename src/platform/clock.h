// The tick counter: unsigned 32-bit milliseconds. Elapsed time is the
// unsigned difference of two readings, so a wrap of the counter is harmless.
#pragma once
#include <cstdint>

uint32_t platform_ticks_ms();

// A virtual clock replaces the monotonic one (tests, deterministic recording):
// once enabled, ticks only move through platform_clock_set / _advance.
void platform_clock_use_virtual(uint32_t start_ms);
void platform_clock_use_real();
void platform_clock_set(uint32_t now_ms);
void platform_clock_advance(uint32_t delta_ms);

// The monotonic clock in milliseconds, whatever the virtual clock says
// (timeouts that must pass in real time, such as the lone Escape's).
uint32_t platform_monotonic_ms();

// now_ms - start_ms across a wrap of the counter, as the signed count the
// demo clock hands on (durations up to 24 days).
int32_t platform_ticks_elapsed(uint32_t start_ms, uint32_t now_ms);

// Sleeps for about ms milliseconds (paced loops). On the virtual clock it
// moves the clock on by ms and returns at once, so paced runs stay exact.
void platform_sleep_ms(uint32_t ms);
