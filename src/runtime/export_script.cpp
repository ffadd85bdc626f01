// The module's script: every sync byte with its time, position and meaning, then the show's length.
#include "runtime/export_script.h"

#include <cstdio>
#include <vector>

#include "runtime/module_player.h"
#include "runtime/script_words.h"

namespace {

constexpr uint8_t END_COMMAND = 0xFF;
constexpr int32_t RENDER_FRAMES = 4096;
// Rows are seen at the end of the sub-chunk they start in: a fine grain puts
// each within a millisecond of its start.
constexpr int32_t SCRIPT_SUBCHUNK_FRAMES = 16;

struct ScriptLine {
    int64_t frame;
    int32_t order;
    int32_t row;
    uint8_t command;
};

struct ScriptCollector {
    const ModulePlayer* player;
    int64_t length;  // the song's frames: rows after it are a repeat
    std::vector<ScriptLine> lines;
    int32_t ended;  // the end command was played
};

// The row that is starting is the one the player has just seen.
void collect(uint8_t command, int64_t frame, void* user)
{
    auto* collector = static_cast<ScriptCollector*>(user);
    if (collector->ended || frame > collector->length) {
        return;
    }
    collector->lines.push_back(ScriptLine{frame, collector->player->last_order, collector->player->last_row, command});
    collector->ended = command == END_COMMAND;
}

// m:ss.mmm of an audio frame count.
std::string frame_time(int64_t frame)
{
    int64_t ms = frame * 1000 / MUSIC_SAMPLE_RATE;
    char text[32];
    std::snprintf(text, sizeof(text), "%lld:%02lld.%03lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

void format_lines(const ScriptCollector& collector, std::string* text)
{
    *text = "time        order  row  byte  meaning\n";
    char line[160];
    for (const ScriptLine& entry : collector.lines) {
        std::snprintf(line, sizeof(line), "%-10s  %5d  %3d   %02X   %s\n", frame_time(entry.frame).c_str(), entry.order,
                      entry.row, entry.command, sync_command_words(entry.command).c_str());
        *text += line;
    }
}

}  // namespace

int32_t list_script(const char* music_path, std::string* text, std::string* why)
{
    ModulePlayer player = {};
    player.subchunk_frames = SCRIPT_SUBCHUNK_FRAMES;
    if (!module_player_load_file(&player, music_path, why)) {
        return 0;
    }
    int64_t length = module_player_length_frames(&player);
    ScriptCollector collector = {&player, length, {}, 0};
    module_player_set_sync(&player, collect, &collector);
    std::vector<int16_t> samples(RENDER_FRAMES * 2);
    while (!collector.ended && !player.ended && player.frames_rendered < length) {
        module_player_render(&player, samples.data(), RENDER_FRAMES);
    }
    format_lines(collector, text);
    int64_t end = collector.ended ? collector.lines.back().frame : length;
    if (end > length) {
        end = length;
    }
    *text += "length " + frame_time(end) + (collector.ended ? " (the end command)\n" : " (the end of the module)\n");
    module_player_unload(&player);
    return 1;
}
