// Process signals: INT, TERM, HUP and QUIT ask for a clean shut-down; the
// console back end restores the terminal on stop and fatal signals.
#pragma once
#include <cstdint>

// Installs the handlers once (later calls do nothing). INT, TERM, HUP, QUIT
// set the stop flag; the same signal again while the flag is set restores
// the terminal and ends the process the default way (a way out of a hang).
// TSTP restores the terminal and suspends; CONT re-enters and redraws.
// WINCH makes the next frame re-read the size. SEGV, BUS, FPE, ILL, ABRT
// restore the terminal and then take their default action.
void platform_signals_install();

// Non-zero once a shut-down signal has arrived.
int32_t platform_stop_signalled();
