// The silent audio thread: signals stay with the main thread, and stop really stops it.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/silent_audio.h"

namespace {

std::atomic<int32_t> blocks_rendered{0};
std::atomic<int32_t> interrupt_blocked{-1};
std::atomic<int32_t> segv_blocked{-1};

void note_block(int16_t* samples, int32_t frames, void*)
{
    if (blocks_rendered.load() == 0) {
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        interrupt_blocked.store(sigismember(&mask, SIGINT) && sigismember(&mask, SIGTERM) &&
                                sigismember(&mask, SIGTSTP) && sigismember(&mask, SIGWINCH));
        segv_blocked.store(sigismember(&mask, SIGSEGV));
    }
    for (int32_t i = 0; i < frames * 2; i++) {
        samples[i] = 0;
    }
    blocks_rendered.fetch_add(1);
}

TEST(SilentAudio, ThreadTakesNoAsynchronousSignalsAndStopsForGood)
{
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, nullptr, &before);
    std::string why;
    ASSERT_EQ(silent_audio_start(note_block, nullptr, &why), 1) << why;
    sigset_t after;
    pthread_sigmask(SIG_BLOCK, nullptr, &after);
    EXPECT_EQ(sigismember(&after, SIGINT), sigismember(&before, SIGINT)) << "the caller's mask is restored";

    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (blocks_rendered.load() < 2 && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    silent_audio_stop();
    int32_t at_stop = blocks_rendered.load();
    EXPECT_GE(at_stop, 2);
    EXPECT_EQ(interrupt_blocked.load(), 1);
    EXPECT_EQ(segv_blocked.load(), 0);
    EXPECT_EQ(silent_audio_frames(), static_cast<int64_t>(at_stop) * AUDIO_BUFFER_FRAMES);

    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(blocks_rendered.load(), at_stop);
    silent_audio_stop();  // a second stop is harmless
}

}  // namespace
