// Sound output on the default device: 44,100 Hz, 16-bit stereo, pulled by an audio thread.
#pragma once
#include <cstdint>
#include <string>

constexpr int32_t AUDIO_SAMPLE_RATE = 44100;

// Output buffers of at most this many frames, so that a sync byte reaches the
// queue at most one buffer (23 ms) before its row is heard.
constexpr int32_t AUDIO_BUFFER_FRAMES = 1024;

// Fills `frames` frames of interleaved 16-bit stereo at 44,100 Hz. Called on
// an audio thread: no allocation, lock or I/O.
typedef void (*AudioRenderFn)(int16_t* samples, int32_t frames, void* user);

// Where the samples go.
enum AudioSink : int32_t {
    AUDIO_SINK_NONE = 0,    // nothing pulls
    AUDIO_SINK_DEVICE = 1,  // the default sound device
    AUDIO_SINK_SILENT = 2,  // the silent thread, in real time
};

struct AudioOutput {
    int32_t init_tried;        // 1 once the audio subsystem was brought up or refused; never undone
    int32_t initialised;       // 1 when it came up
    std::string init_failure;  // why it did not
    uint32_t device;           // 0 when no device is open
    AudioSink sink;
    AudioRenderFn render;
    void* render_user;
};

// Lives for the whole run; main thread only (the callback reads render and
// render_user, which do not change while a device is open).
extern AudioOutput audio_output;

// Starts pulling samples from render: on the default sound device, or, when
// there is none, it will not open or `silent` is 1, on the silent thread at the
// pace a device would pull (so the music clock and its sync bytes run in real
// time). Returns the sink that runs, with the reason the device is not used in
// *why; AUDIO_SINK_NONE with the reason when not even the thread starts. Whatever
// ran before is stopped first. Prints nothing on the terminal.
AudioSink audio_output_open(AudioRenderFn render, void* user, int32_t silent, std::string* why);

// Stops whichever sink runs; render is no longer running when this returns.
// Safe when nothing runs.
void audio_output_close();
