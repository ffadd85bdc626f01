// The silent audio thread on Windows: pulls the music in real time when no
// sound can be played, so the music clock and its sync bytes keep their pace.
#include "platform/silent_audio.h"

#include <windows.h>

#include <cstring>

SilentAudio silent_audio = {};

namespace {

constexpr int64_t NANOSECONDS_PER_SECOND = 1000000000;
constexpr int64_t NANOSECONDS_PER_MILLISECOND = 1000000;

int64_t monotonic_ns()
{
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER now = {};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    // Split so the multiplication cannot overflow for counters of years.
    int64_t seconds = now.QuadPart / frequency.QuadPart;
    int64_t rest = now.QuadPart % frequency.QuadPart;
    return seconds * NANOSECONDS_PER_SECOND + rest * NANOSECONDS_PER_SECOND / frequency.QuadPart;
}

// Block k is due at start + k x 1024 / 44,100 s, computed from the frame count
// each time: sleeping a fixed period per block would add up its rounding.
void sleep_until_frame(int64_t frames)
{
    int64_t due = silent_audio.start_ns + frames * NANOSECONDS_PER_SECOND / AUDIO_SAMPLE_RATE;
    int64_t left = due - monotonic_ns();
    if (left > 0) {
        Sleep(static_cast<DWORD>((left + NANOSECONDS_PER_MILLISECOND - 1) / NANOSECONDS_PER_MILLISECOND));
    }
}

void* pull_in_real_time(void*)
{
    int64_t frames = 0;
    while (silent_audio.running.load(std::memory_order_acquire)) {
        silent_audio.render(silent_audio.block, AUDIO_BUFFER_FRAMES, silent_audio.render_user);
        frames += AUDIO_BUFFER_FRAMES;
        silent_audio.frames_pulled.store(frames, std::memory_order_release);
        sleep_until_frame(frames);
    }
    return nullptr;
}

}  // namespace

int32_t silent_audio_start(AudioRenderFn render, void* user, std::string* why)
{
    silent_audio_stop();
    silent_audio.render = render;
    silent_audio.render_user = user;
    silent_audio.frames_pulled.store(0, std::memory_order_release);
    silent_audio.running.store(1, std::memory_order_release);
    silent_audio.start_ns = monotonic_ns();
    int error = pthread_create(&silent_audio.thread, nullptr, pull_in_real_time, nullptr);
    if (error != 0) {
        silent_audio.running.store(0, std::memory_order_release);
        *why = std::string("cannot start the audio thread (") + std::strerror(error) + ")";
        return 0;
    }
    silent_audio.started = 1;
    return 1;
}

void silent_audio_stop()
{
    if (!silent_audio.started)
        return;
    silent_audio.running.store(0, std::memory_order_release);
    pthread_join(silent_audio.thread, nullptr);
    silent_audio.started = 0;
}

int64_t silent_audio_frames()
{
    return silent_audio.frames_pulled.load(std::memory_order_acquire);
}
