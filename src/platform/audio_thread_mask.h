// Keeps asynchronous signals away from the audio threads that libraries and we create.
#pragma once

// Blocks every asynchronous signal on the calling thread (the main thread),
// so that threads it creates until audio_threads_mask_end inherit the mask.
// Faults (SEGV, BUS, FPE, ILL, ABRT) stay open: a crash on an audio thread
// must still reach the handler that restores the terminal. The two calls
// pair up and do not nest.
void audio_threads_mask_begin();

// Restores the mask the thread had before; signals that arrived meanwhile are delivered now.
void audio_threads_mask_end();
