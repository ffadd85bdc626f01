// Keeps asynchronous signals away from the audio threads that libraries and we create.
#include "platform/audio_thread_mask.h"

#include <pthread.h>
#include <signal.h>

namespace {

// The main thread's mask while audio threads are being created.
sigset_t previous_mask;

}  // namespace

// Shut-down and terminal signals must land on the main thread, whose handlers
// expect to run there (stop flag, terminal restore on suspend).
void audio_threads_mask_begin()
{
    sigset_t blocked;
    sigfillset(&blocked);
    sigdelset(&blocked, SIGSEGV);
    sigdelset(&blocked, SIGBUS);
    sigdelset(&blocked, SIGFPE);
    sigdelset(&blocked, SIGILL);
    sigdelset(&blocked, SIGABRT);
    pthread_sigmask(SIG_SETMASK, &blocked, &previous_mask);
}

void audio_threads_mask_end()
{
    pthread_sigmask(SIG_SETMASK, &previous_mask, nullptr);
}
