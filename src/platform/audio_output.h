// Sound output on the default device: 44,100 Hz, 16-bit stereo, pulled by an audio thread.
#pragma once
#include <cstdint>
#include <string>

// Output buffers of at most this many frames, so that a sync byte reaches the
// queue at most one buffer (23 ms) before its row is heard.
constexpr int32_t AUDIO_BUFFER_FRAMES = 1024;

// Fills `frames` frames of interleaved 16-bit stereo at 44,100 Hz. Called on
// an audio thread: no allocation, lock or I/O.
typedef void (*AudioRenderFn)(int16_t* samples, int32_t frames, void* user);

struct AudioOutput {
    int32_t initialised;  // 1 once the audio subsystem is up; never undone
    uint32_t device;      // 0 when no device is open
    AudioRenderFn render;
    void* render_user;
};

// Lives for the whole run; main thread only (the callback reads render and
// render_user, which do not change while a device is open).
extern AudioOutput audio_output;

// Brings up the audio subsystem once. Returns 1, or 0 with a one-line reason
// in *why when there is no usable sound back end (no device, no server, or
// only a dummy driver). Prints nothing on the terminal.
int32_t audio_output_init(std::string* why);

// Opens the default device and starts pulling from render. Returns 1, or 0
// with the reason in *why (nothing is left open).
int32_t audio_output_open(AudioRenderFn render, void* user, std::string* why);

// Stops and closes the device; render is no longer running when this returns.
// Safe when nothing is open.
void audio_output_close();
