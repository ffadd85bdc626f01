// Keeps asynchronous signals away from the audio threads that libraries and we create.
#pragma once
#include <signal.h>

// Blocks every asynchronous signal on the calling thread, so that threads it
// creates until audio_threads_mask_end inherit the mask; the previous mask goes
// into *previous. Faults (SEGV, BUS, FPE, ILL, ABRT) stay open: a crash on an
// audio thread must still reach the handler that restores the terminal.
void audio_threads_mask_begin(sigset_t* previous);

// Restores the calling thread's mask; signals that arrived meanwhile are delivered now.
void audio_threads_mask_end(const sigset_t* previous);
