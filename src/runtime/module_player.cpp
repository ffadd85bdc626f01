// The tracker-module player: loads a module, renders it in sub-chunks and reports
// the sync bytes of every row as that row starts.
#include "runtime/module_player.h"

#include <libopenmpt/libopenmpt.h>

#include <cstring>

#include "platform/console.h"
#include "platform/files.h"
#include "runtime/module_check.h"

namespace {

// Far above any tracker module; keeps a wrong path (a disk image, a device) from eating memory.
constexpr int64_t MODULE_FILE_LIMIT = 64 * 1024 * 1024;

// The effect is recognised by its formatted letter: the numeric code is the
// library's internal numbering and has changed between versions.
int32_t cell_is_sync(openmpt_module* module, int32_t pattern, int32_t row, int32_t channel)
{
    const char* text =
        openmpt_module_format_pattern_row_channel_command(module, pattern, row, channel, OPENMPT_MODULE_COMMAND_EFFECT);
    int32_t is_sync = text != nullptr && std::strcmp(text, "W") == 0;
    openmpt_free_string(text);
    return is_sync;
}

// The patterns the order list plays: only their rows can ever start.
std::vector<uint8_t> played_patterns(openmpt_module* module, int32_t patterns)
{
    std::vector<uint8_t> played(static_cast<size_t>(patterns), 0);
    int32_t orders = openmpt_module_get_num_orders(module);
    for (int32_t order = 0; order < orders; order++) {
        int32_t pattern = openmpt_module_get_order_pattern(module, order);
        if (pattern >= 0 && pattern < patterns) {
            played[static_cast<size_t>(pattern)] = 1;
        }
    }
    return played;
}

// Reads every played row's W parameters once, so that playback only looks
// rows up. A header may claim tens of thousands of patterns that no order
// plays: scanning them would take seconds.
void read_sync_table(ModulePlayer* player)
{
    openmpt_module* module = player->module;
    int32_t patterns = openmpt_module_get_num_patterns(module);
    int32_t channels = openmpt_module_get_num_channels(module);
    std::vector<uint8_t> played = played_patterns(module, patterns);
    player->pattern_first.assign(static_cast<size_t>(patterns), 0);
    player->pattern_rows.assign(static_cast<size_t>(patterns), 0);
    for (int32_t pattern = 0; pattern < patterns; pattern++) {
        if (played[static_cast<size_t>(pattern)] == 0) {
            continue;
        }
        int32_t rows = openmpt_module_get_pattern_num_rows(module, pattern);
        player->pattern_first[static_cast<size_t>(pattern)] = static_cast<int32_t>(player->sync_rows.size());
        player->pattern_rows[static_cast<size_t>(pattern)] = rows;
        for (int32_t row = 0; row < rows; row++) {
            ModuleSyncRow entry = {static_cast<int32_t>(player->sync_bytes.size()), 0};
            for (int32_t channel = 0; channel < channels; channel++) {
                if (!cell_is_sync(module, pattern, row, channel)) {
                    continue;
                }
                player->sync_bytes.push_back(openmpt_module_get_pattern_row_channel_command(
                    module, pattern, row, channel, OPENMPT_MODULE_COMMAND_PARAMETER));
                entry.count++;
            }
            player->sync_rows.push_back(entry);
        }
    }
}

// Called after each full sub-chunk: a changed (order, row) means a row started.
// A pattern delay repeats the same (order, row) and so reports once.
void detect_row(ModulePlayer* player)
{
    int32_t order = openmpt_module_get_current_order(player->module);
    int32_t row = openmpt_module_get_current_row(player->module);
    if (order == player->last_order && row == player->last_row) {
        return;
    }
    player->last_order = order;
    player->last_row = row;
    if (player->sink == nullptr) {
        return;
    }
    int32_t pattern = openmpt_module_get_current_pattern(player->module);
    if (pattern < 0 || pattern >= static_cast<int32_t>(player->pattern_rows.size())) {
        return;
    }
    if (row < 0 || row >= player->pattern_rows[static_cast<size_t>(pattern)]) {
        return;
    }
    const ModuleSyncRow& entry =
        player->sync_rows[static_cast<size_t>(player->pattern_first[static_cast<size_t>(pattern)] + row)];
    for (int32_t i = 0; i < entry.count; i++) {
        player->sink(player->sync_bytes[static_cast<size_t>(entry.first + i)], player->frames_rendered,
                     player->sink_user);
    }
}

// The library's own warnings on one line, then what the file's size says.
std::string load_warnings(openmpt_module* module, const uint8_t* data, size_t size)
{
    std::string said;
    const char* warnings = openmpt_module_get_metadata(module, "warnings");
    for (const char* c = warnings; c != nullptr && *c != '\0'; c++) {
        said += *c == '\n' ? std::string("; ") : std::string(1, *c);
    }
    openmpt_free_string(warnings);
    while (said.size() >= 2 && said.compare(said.size() - 2, 2, "; ") == 0) {
        said.resize(said.size() - 2);
    }
    std::string doubt = module_size_doubt(data, size);
    if (!said.empty() && !doubt.empty()) {
        said += "; ";
    }
    return said + doubt;
}

}  // namespace

int32_t module_player_load_memory(ModulePlayer* player, const void* data, size_t size, std::string* why)
{
    module_player_unload(player);
    // "stop": the default end behaviour fades out by wrapping to row 0, which
    // would report row 0's sync bytes once more. No dither: the same chunking
    // must give the same samples on every run.
    const openmpt_module_initial_ctl ctls[] = {
        {"play.at_end", "stop"},
        {"dither", "0"},
        {nullptr, nullptr},
    };
    int error = 0;
    const char* message = nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        data, size, openmpt_log_func_silent, nullptr, openmpt_error_func_store, nullptr, &error, &message, ctls);
    if (module == nullptr) {
        *why = "not a module that can be played";
        if (message != nullptr && message[0] != '\0') {
            *why += std::string(" (") + message + ")";
        }
        openmpt_free_string(message);
        return 0;
    }
    openmpt_free_string(message);
    player->warning = load_warnings(module, static_cast<const uint8_t*>(data), size);
    // Play on through restart positions and backward jumps, as a tracker
    // does; the demo ends by its own command, not by the end of the song.
    openmpt_module_set_repeat_count(module, -1);
    player->module = module;
    read_sync_table(player);
    return 1;
}

int32_t module_player_load_file(ModulePlayer* player, const char* path, std::string* why)
{
    module_player_unload(player);
    std::vector<uint8_t> data;
    if (platform_read_file(path, MODULE_FILE_LIMIT, &data, why) != FILE_READ_OK) {
        return 0;
    }
    if (data.empty()) {
        *why = "empty file";
        return 0;
    }
    if (!module_player_load_memory(player, data.data(), data.size(), why)) {
        return 0;
    }
    if (!player->warning.empty()) {
        platform_console_message(std::string("korvel: ") + path + ": " + player->warning);
    }
    return 1;
}

int64_t module_player_length_frames(const ModulePlayer* player)
{
    if (player->module == nullptr) {
        return 0;
    }
    double seconds = openmpt_module_get_duration_seconds(player->module);
    if (!(seconds > 0.0)) {
        return 0;
    }
    return static_cast<int64_t>(seconds * MUSIC_SAMPLE_RATE + 0.5);
}

void module_player_unload(ModulePlayer* player)
{
    if (player->module != nullptr) {
        openmpt_module_destroy(player->module);
    }
    player->module = nullptr;
    player->pattern_first.clear();
    player->pattern_rows.clear();
    player->sync_rows.clear();
    player->sync_bytes.clear();
    player->sink = nullptr;
    player->sink_user = nullptr;
    player->warning.clear();
    if (player->subchunk_frames < 1 || player->subchunk_frames > MODULE_SUBCHUNK_FRAMES) {
        player->subchunk_frames = MODULE_SUBCHUNK_FRAMES;
    }
    player->last_order = -1;
    player->last_row = -1;
    player->ended = 0;
    player->frames_rendered = 0;
}

int32_t module_player_set_sync(ModulePlayer* player, ModuleSyncSink sink, void* user)
{
    if (player->module == nullptr || sink == nullptr) {
        return 0;
    }
    player->sink = sink;
    player->sink_user = user;
    return 1;
}

int32_t module_player_render(ModulePlayer* player, int16_t* samples, int32_t frames)
{
    int32_t done = 0;
    while (done < frames && player->module != nullptr && !player->ended) {
        int32_t ask = frames - done;
        if (ask > player->subchunk_frames) {
            ask = player->subchunk_frames;
        }
        size_t got = openmpt_module_read_interleaved_stereo(player->module, MUSIC_SAMPLE_RATE, static_cast<size_t>(ask),
                                                            samples + 2 * done);
        done += static_cast<int32_t>(got);
        player->frames_rendered += static_cast<int64_t>(got);
        // A short read is the end of the song; the position reported after it
        // has already wrapped to the start and must not be taken for a row.
        if (static_cast<int32_t>(got) < ask) {
            player->ended = 1;
            break;
        }
        detect_row(player);
    }
    if (done < frames) {
        std::memset(samples + 2 * done, 0, static_cast<size_t>(frames - done) * 2 * sizeof(int16_t));
    }
    return done;
}
