// Keeps asynchronous signals away from the audio threads that libraries and we create.
#include "platform/audio_thread_mask.h"

#include <pthread.h>

// Shut-down and terminal signals must land on the main thread, whose handlers
// expect to run there (stop flag, terminal restore on suspend).
void audio_threads_mask_begin(sigset_t* previous)
{
    sigset_t blocked;
    sigfillset(&blocked);
    sigdelset(&blocked, SIGSEGV);
    sigdelset(&blocked, SIGBUS);
    sigdelset(&blocked, SIGFPE);
    sigdelset(&blocked, SIGILL);
    sigdelset(&blocked, SIGABRT);
    pthread_sigmask(SIG_SETMASK, &blocked, previous);
}

void audio_threads_mask_end(const sigset_t* previous)
{
    pthread_sigmask(SIG_SETMASK, previous, nullptr);
}
