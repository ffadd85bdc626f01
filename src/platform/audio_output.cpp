// The sound output's choice of sink: the device when it opens, else the silent thread.
#include "platform/audio_output.h"

#include "platform/audio_device.h"
#include "platform/silent_audio.h"

AudioSink audio_output_open(AudioRenderFn render, void* user, int32_t silent, std::string* why)
{
    audio_output_close();
    if (silent) {
        *why = "silent output was asked for";
    }
    if (!silent && audio_device_open(render, user, why)) {
        audio_output.sink = AUDIO_SINK_DEVICE;
        return AUDIO_SINK_DEVICE;
    }
    std::string thread_failure;
    if (!silent_audio_start(render, user, &thread_failure)) {
        *why = thread_failure;
        return AUDIO_SINK_NONE;
    }
    audio_output.sink = AUDIO_SINK_SILENT;
    return AUDIO_SINK_SILENT;
}

void audio_output_close()
{
    audio_device_close();
    silent_audio_stop();
    audio_output.sink = AUDIO_SINK_NONE;
}
