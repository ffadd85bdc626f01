// Sound output on Windows through waveOut: 44,100 Hz 16-bit stereo in blocks
// of 1,024 frames, rendered by a thread of ours as the device frees them.
#include "platform/audio_output.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <atomic>
#include <string>

#include "platform/audio_device.h"

AudioOutput audio_output = {};

namespace {

// Two blocks: one playing while the next is rendered. A sync byte therefore
// reaches the queue at most two blocks (46 ms) before its row is heard.
constexpr int32_t BLOCK_COUNT = 2;

struct WaveOut {
    HWAVEOUT device;
    HANDLE done;  // signalled by the device each time a block has been played
    HANDLE thread;
    std::atomic<int32_t> running;
    WAVEHDR headers[BLOCK_COUNT];
    int16_t blocks[BLOCK_COUNT][AUDIO_BUFFER_FRAMES * 2];  // no allocation while playing
};

// Lives for the whole run; the feeding thread touches the blocks and headers.
WaveOut wave_out;

void queue_block(int32_t index)
{
    WAVEHDR& header = wave_out.headers[index];
    audio_output.render(wave_out.blocks[index], AUDIO_BUFFER_FRAMES, audio_output.render_user);
    header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    waveOutWrite(wave_out.device, &header, sizeof(WAVEHDR));
}

DWORD WINAPI feed_device(LPVOID)
{
    for (int32_t i = 0; i < BLOCK_COUNT; i++) {
        queue_block(i);
    }
    while (wave_out.running.load(std::memory_order_acquire) != 0) {
        WaitForSingleObject(wave_out.done, INFINITE);
        for (int32_t i = 0; i < BLOCK_COUNT && wave_out.running.load(std::memory_order_acquire) != 0; i++) {
            if ((wave_out.headers[i].dwFlags & WHDR_DONE) != 0) {
                queue_block(i);
            }
        }
    }
    return 0;
}

std::string wave_error(const char* what, MMRESULT result)
{
    char text[MAXERRORLENGTH] = {};
    if (waveOutGetErrorTextA(result, text, sizeof(text)) != MMSYSERR_NOERROR) {
        text[0] = '\0';
    }
    return std::string("no sound device (") + what + ": " + (text[0] != '\0' ? text : std::to_string(result)) + ")";
}

void close_device()
{
    if (wave_out.device == nullptr) {
        return;
    }
    // The thread first, so that it queues nothing after the reset.
    wave_out.running.store(0, std::memory_order_release);
    SetEvent(wave_out.done);
    if (wave_out.thread != nullptr) {
        WaitForSingleObject(wave_out.thread, INFINITE);
        CloseHandle(wave_out.thread);
    }
    waveOutReset(wave_out.device);
    for (WAVEHDR& header : wave_out.headers) {
        waveOutUnprepareHeader(wave_out.device, &header, sizeof(WAVEHDR));
    }
    waveOutClose(wave_out.device);
    CloseHandle(wave_out.done);
    wave_out.device = nullptr;
    wave_out.thread = nullptr;
    wave_out.done = nullptr;
}

int32_t open_device(AudioRenderFn render, void* user, std::string* why)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = AUDIO_SAMPLE_RATE;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = AUDIO_SAMPLE_RATE * 4;
    wave_out.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (wave_out.done == nullptr) {
        *why = "no sound device (cannot create an event)";
        return 0;
    }
    MMRESULT result = waveOutOpen(&wave_out.device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(wave_out.done), 0,
                                  CALLBACK_EVENT);
    if (result != MMSYSERR_NOERROR) {
        CloseHandle(wave_out.done);
        wave_out.done = nullptr;
        wave_out.device = nullptr;
        *why = wave_error("waveOutOpen", result);
        return 0;
    }
    audio_output.render = render;
    audio_output.render_user = user;
    for (int32_t i = 0; i < BLOCK_COUNT; i++) {
        WAVEHDR& header = wave_out.headers[i];
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(wave_out.blocks[i]);
        header.dwBufferLength = sizeof(wave_out.blocks[i]);
        waveOutPrepareHeader(wave_out.device, &header, sizeof(WAVEHDR));
    }
    wave_out.running.store(1, std::memory_order_release);
    wave_out.thread = CreateThread(nullptr, 0, feed_device, nullptr, 0, nullptr);
    if (wave_out.thread == nullptr) {
        close_device();
        *why = "no sound device (cannot start the audio thread)";
        return 0;
    }
    audio_output.device = 1;
    return 1;
}

}  // namespace

int32_t audio_device_open(AudioRenderFn render, void* user, std::string* why)
{
    return open_device(render, user, why);
}

void audio_device_close()
{
    close_device();
    audio_output.device = 0;
}
