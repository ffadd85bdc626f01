// Process signals: INT, TERM, HUP and QUIT ask for a clean shut-down; the
// console back end restores the terminal on stop and fatal signals.
#pragma once
#include <cstdint>

void platform_signals_install();

// Non-zero once a shut-down signal has arrived.
int32_t platform_stop_signalled();
