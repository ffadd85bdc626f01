// Windows delivers Ctrl-C and closing on a thread of its own: there is no mask to give the audio threads.
#include "platform/audio_thread_mask.h"

void audio_threads_mask_begin() {}

void audio_threads_mask_end() {}
