// The silent audio thread: pulls the music in real time when no sound can be played,
// so that the music clock and its sync bytes keep the pace they would have with sound.
#include "platform/silent_audio.h"

#include <system_error>

#include "platform/audio_thread_mask.h"

SilentAudio silent_audio = {};

namespace {

// Block k is due at start + k x 1024 / 44,100 s, computed from the frame count
// each time: sleeping a fixed period per block would add up its rounding.
void sleep_until_frame(int64_t frames)
{
    auto due = std::chrono::nanoseconds(frames * 1000000000 / AUDIO_SAMPLE_RATE);
    std::this_thread::sleep_until(silent_audio.start + due);
}

void pull_in_real_time()
{
    int64_t frames = 0;
    while (silent_audio.running.load(std::memory_order_acquire)) {
        silent_audio.render(silent_audio.block, AUDIO_BUFFER_FRAMES, silent_audio.render_user);
        frames += AUDIO_BUFFER_FRAMES;
        silent_audio.frames_pulled.store(frames, std::memory_order_release);
        sleep_until_frame(frames);
    }
}

}  // namespace

int32_t silent_audio_start(AudioRenderFn render, void* user, std::string* why)
{
    silent_audio_stop();
    silent_audio.render = render;
    silent_audio.render_user = user;
    silent_audio.frames_pulled.store(0, std::memory_order_release);
    silent_audio.running.store(1, std::memory_order_release);
    silent_audio.start = std::chrono::steady_clock::now();
    audio_threads_mask_begin();
    // std::thread tells of a thread it cannot start only by throwing.
    try {
        silent_audio.thread = std::thread(pull_in_real_time);
    } catch (const std::system_error& error) {
        *why = std::string("cannot start the audio thread (") + error.what() + ")";
    }
    audio_threads_mask_end();
    if (!silent_audio.thread.joinable()) {
        silent_audio.running.store(0, std::memory_order_release);
        return 0;
    }
    return 1;
}

void silent_audio_stop()
{
    if (!silent_audio.thread.joinable()) {
        return;
    }
    silent_audio.running.store(0, std::memory_order_release);
    silent_audio.thread.join();
}

int64_t silent_audio_frames()
{
    return silent_audio.frames_pulled.load(std::memory_order_acquire);
}
