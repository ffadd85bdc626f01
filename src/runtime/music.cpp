// Music playback: plays the module on the default output device (or silently in real
// time) and turns its sync effects into queued SyncEvents for the timeline.
#include "runtime/music.h"

#include "platform/audio_output.h"
#include "platform/console.h"

MusicSettings music_settings = {};
MusicState music_state = {};

namespace {

// The callback's own event: filled, then copied into the ring. Audio thread only.
SyncEvent callback_event = {};

void deliver_sync(uint8_t command, int64_t frame, void* user)
{
    (void)frame;
    (void)user;
    on_music_sync(command);
}

void render_music(int16_t* samples, int32_t frames, void* user)
{
    (void)user;
    module_player_render(&music_state.player, samples, frames);
}

// Starts pulling the module: on the sound device, or silently in real time.
int32_t play_output(std::string* why)
{
    AudioSink sink = audio_output_open(render_music, nullptr, music_settings.force_silent, why);
    if (sink == AUDIO_SINK_NONE) {
        return 0;
    }
    if (sink == AUDIO_SINK_DEVICE) {
        music_state.output = MUSIC_OUTPUT_DEVICE;
        return 1;
    }
    music_state.output = MUSIC_OUTPUT_SILENT;
    // Silence that was asked for needs no word; silence that was not does.
    if (music_settings.force_silent) {
        music_state.silent_reason = "--nosound was given";
        return 1;
    }
    music_state.silent_reason = *why;
    platform_console_message("korvel: the music played silently: " + music_state.silent_reason);
    return 1;
}

void report_failure(const char* path, const std::string& why)
{
    music_state.last_error = std::string(path) + ": " + why;
    platform_console_message("korvel: no music: " + music_state.last_error);
}

}  // namespace

int32_t start_music(const char* path)
{
    stop_music();
    std::string why;
    if (!module_player_load_file(&music_state.player, path, &why)) {
        report_failure(path, why);
        return 0;
    }
    int32_t sync_installed = module_player_set_sync(&music_state.player, deliver_sync, nullptr);
    // Played whether or not the sync went in, then stopped again if it did not.
    int32_t played = play_output(&why);
    if (sync_installed && played) {
        music_state.playing = 1;
        return 1;
    }
    report_failure(path, played ? std::string("the sync channel could not be installed") : why);
    stop_music();
    return 0;
}

void stop_music()
{
    audio_output_close();
    module_player_unload(&music_state.player);
    music_state.playing = 0;
}

void on_music_sync(uint32_t data)
{
    callback_event.command = static_cast<uint8_t>(data & 0xFF);
    push_sync_event(callback_event);
}
