// Process signals: INT, TERM, HUP and QUIT ask for a clean shut-down; the
// console back end restores the terminal on stop and fatal signals.
#pragma once
#include <cstdint>

// Installs the handlers once (later calls do nothing). INT, TERM, HUP, QUIT
// set the stop flag and cut short a frame write that a stopped terminal
// holds up; any of them again while the flag is set restores the terminal
// (in bounded time) and ends the process the default way. TSTP restores the
// terminal and suspends; CONT re-enters and redraws. WINCH makes the next
// frame re-read the size. SEGV, BUS, FPE, ILL, ABRT and every other signal
// whose default action ends the process (USR1, USR2, ALRM, the real-time
// signals, ...) remove the unfinished output files, restore the terminal and
// then take their default action. PIPE is ignored: a terminal that went away
// shows as a failed write. A failed allocation removes the unfinished output files, restores
// the terminal, says "korvel: out of memory" and exits with status 1.
void platform_signals_install();

// Non-zero once a shut-down signal has arrived or the terminal was lost.
int32_t platform_stop_signalled();

// The terminal cannot be written any more (hung up, gone): the run stops.
void platform_stop_lost_terminal();

// After the clean shut-down: a run stopped by INT, TERM, HUP or QUIT ends
// here by that signal's default action, as shells and scripts expect; a run
// whose terminal was lost returns 1; any other returns status.
int32_t platform_signals_finish(int32_t status);
