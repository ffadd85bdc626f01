// The silent audio thread: pulls the music in real time when no sound can be played,
// so that the music clock and its sync bytes keep the pace they would have with sound.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "platform/audio_output.h"

struct SilentAudio {
    std::thread thread;                           // main thread only: joinable while the thread exists
    std::atomic<int32_t> running;                 // cleared by the main thread to end the thread
    std::atomic<int64_t> frames_pulled;           // frames rendered so far, block by block
    std::chrono::steady_clock::time_point start;  // when the first block was rendered
    AudioRenderFn render;
    void* render_user;
    int16_t block[AUDIO_BUFFER_FRAMES * 2];  // the thread's own buffer: no allocation while it runs
};

// Lives for the whole run. The thread touches block, render and the two atomics.
extern SilentAudio silent_audio;

// Starts the thread: it renders a block of AUDIO_BUFFER_FRAMES at once, then
// one more each time the previous block's span of real time has passed,
// sleeping to absolute deadlines so the pace never drifts. Returns 1, or 0
// with the reason in *why.
int32_t silent_audio_start(AudioRenderFn render, void* user, std::string* why);

// Ends the thread and waits for it (at most one block, 23 ms). Safe when not started.
void silent_audio_stop();

// Frames rendered since the start, including the block being "played".
int64_t silent_audio_frames();
