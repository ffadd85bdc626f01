// Sound output in a browser: the page pulls the music itself through Web Audio
// (runtime/web_main.cpp), so no device of ours opens and no thread is started.
#include "platform/audio_output.h"

#include "platform/audio_device.h"
#include "platform/audio_thread_mask.h"

AudioOutput audio_output = {};

int32_t audio_device_open(AudioRenderFn, void*, std::string* why)
{
    *why = "the page plays the music through Web Audio";
    return 0;
}

void audio_device_close() {}

void audio_threads_mask_begin() {}

void audio_threads_mask_end() {}
