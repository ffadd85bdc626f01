// The silent audio thread: pulls the music in real time when no sound can be played,
// so that the music clock and its sync bytes keep the pace they would have with sound.
#include "platform/silent_audio.h"

#include <time.h>

#include <cerrno>
#include <cstring>

#include "platform/audio_thread_mask.h"

SilentAudio silent_audio = {};

namespace {

constexpr int64_t NANOSECONDS_PER_SECOND = 1000000000;

int64_t monotonic_ns()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * NANOSECONDS_PER_SECOND + now.tv_nsec;
}

// Block k is due at start + k x 1024 / 44,100 s, computed from the frame count
// each time: sleeping a fixed period per block would add up its rounding.
void sleep_until_frame(int64_t frames)
{
    int64_t due = silent_audio.start_ns + frames * NANOSECONDS_PER_SECOND / AUDIO_SAMPLE_RATE;
    timespec deadline = {};
    deadline.tv_sec = static_cast<time_t>(due / NANOSECONDS_PER_SECOND);
    deadline.tv_nsec = static_cast<long>(due % NANOSECONDS_PER_SECOND);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {}
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
    sigset_t previous;
    audio_threads_mask_begin(&previous);
    int error = pthread_create(&silent_audio.thread, nullptr, pull_in_real_time, nullptr);
    audio_threads_mask_end(&previous);
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
