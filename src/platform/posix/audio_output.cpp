// Sound output on the default device: 44,100 Hz, 16-bit stereo, pulled by an audio thread.
#include "platform/audio_output.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/audio_device.h"
#include "platform/audio_thread_mask.h"

#ifdef KORVEL_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

AudioOutput audio_output = {};

namespace {

#ifdef KORVEL_HAVE_ALSA
// libasound reports a missing card on standard error, straight onto the picture.
void ignore_alsa_error(const char*, int, const char*, int, const char*, ...) {}
#endif

// Keeps back-end libraries (sound servers, ALSA plug-ins) from printing onto
// the terminal while the device is probed. Returns the saved descriptor or -1.
int hush_stderr()
{
    std::fflush(stderr);
    int saved = dup(STDERR_FILENO);
    int null_fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved < 0 || null_fd < 0) {
        if (null_fd >= 0) {
            close(null_fd);
        }
        if (saved >= 0) {
            close(saved);
        }
        return -1;
    }
    dup2(null_fd, STDERR_FILENO);
    close(null_fd);
    return saved;
}

void restore_stderr(int saved)
{
    if (saved < 0) {
        return;
    }
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
}

void SDLCALL pull_samples(void* user, Uint8* stream, int length)
{
    (void)user;
    int32_t frames = length / static_cast<int32_t>(2 * sizeof(int16_t));
    audio_output.render(reinterpret_cast<int16_t*>(stream), frames, audio_output.render_user);
}

// SDL's dummy and disk drivers play nothing and drift against real time;
// the caller's silent thread does that job properly.
int32_t driver_is_real(const char* driver)
{
    return driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "disk") != 0;
}

// Brings up the audio subsystem, once: a refusal is remembered, so that a
// second start does not probe the sound servers again.
int32_t init_audio(std::string* why)
{
    if (audio_output.init_tried) {
        *why = audio_output.init_failure;
        return audio_output.initialised;
    }
    audio_output.init_tried = 1;
#ifdef KORVEL_HAVE_ALSA
    snd_lib_error_set_handler(ignore_alsa_error);
#endif
    // Otherwise SDL installs its own SIGINT/SIGTERM handlers and swallows Ctrl-C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "korvel");
    // Sound-server clients may start their threads here already.
    audio_threads_mask_begin();
    int saved = hush_stderr();
    int result = SDL_InitSubSystem(SDL_INIT_AUDIO);
    restore_stderr(saved);
    audio_threads_mask_end();
    if (result != 0) {
        audio_output.init_failure = std::string("no sound device (") + SDL_GetError() + ")";
    } else if (!driver_is_real(SDL_GetCurrentAudioDriver())) {
        const char* driver = SDL_GetCurrentAudioDriver();
        audio_output.init_failure =
            std::string("no sound device (only the \"") + (driver != nullptr ? driver : "none") + "\" audio driver)";
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
        audio_output.initialised = 1;
    }
    *why = audio_output.init_failure;
    return audio_output.initialised;
}

int32_t open_device(AudioRenderFn render, void* user, std::string* why)
{
    if (!init_audio(why)) {
        return 0;
    }
    SDL_AudioSpec want = {};
    want.freq = AUDIO_SAMPLE_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = AUDIO_BUFFER_FRAMES;
    want.callback = pull_samples;
    SDL_AudioSpec have = {};
    audio_output.render = render;
    audio_output.render_user = user;
    // No allowed changes: SDL converts whatever the device wants, so the
    // callback always sees 44,100 Hz stereo in 1,024-frame buffers.
    audio_threads_mask_begin();
    int saved = hush_stderr();
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    restore_stderr(saved);
    audio_threads_mask_end();
    if (device == 0) {
        *why = std::string("no sound device (") + SDL_GetError() + ")";
        return 0;
    }
    audio_output.device = device;
    SDL_PauseAudioDevice(device, 0);
    return 1;
}

}  // namespace

int32_t audio_device_open(AudioRenderFn render, void* user, std::string* why)
{
    return open_device(render, user, why);
}

void audio_device_close()
{
    if (audio_output.device != 0) {
        SDL_CloseAudioDevice(audio_output.device);
    }
    audio_output.device = 0;
}
