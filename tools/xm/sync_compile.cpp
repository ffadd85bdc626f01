// Writes a script into a module's W effects and reads it back out.
#include <map>
#include <utility>

#include "xm/sync_script.h"

namespace {

using RowKey = std::pair<int32_t, int32_t>;  // (order, row)

int32_t column_is_free(const XmCell& cell)
{
    return cell.effect == 0 && cell.parameter == 0;
}

void strip_sync(XmSong* song)
{
    for (XmPattern& pattern : song->patterns) {
        for (XmCell& cell : pattern.cells) {
            if (cell.effect == XM_EFFECT_SYNC) {
                cell.effect = 0;
                cell.parameter = 0;
            }
        }
    }
}

int32_t orders_using(const XmSong& song, uint8_t pattern)
{
    int32_t count = 0;
    for (uint8_t order : song.orders) {
        count += order == pattern;
    }
    return count;
}

// An order that carries script bytes must not share its pattern: the bytes
// would also fire wherever else the pattern plays.
int32_t give_own_patterns(XmSong* song, const std::map<RowKey, std::vector<uint8_t>>& rows, std::string* why)
{
    int32_t last_order = -1;
    for (const auto& [key, bytes] : rows) {
        if (key.first == last_order) {
            continue;
        }
        last_order = key.first;
        uint8_t pattern = song->orders[static_cast<size_t>(key.first)];
        if (orders_using(*song, pattern) < 2) {
            continue;
        }
        if (static_cast<int32_t>(song->patterns.size()) >= XM_MAX_PATTERNS) {
            *why = "the module has no room for another pattern";
            return 0;
        }
        song->patterns.push_back(song->patterns[pattern]);
        song->orders[static_cast<size_t>(key.first)] = static_cast<uint8_t>(song->patterns.size() - 1);
    }
    return 1;
}

int32_t free_columns(const XmSong& song, int32_t pattern, int32_t row)
{
    int32_t count = 0;
    for (int32_t channel = 0; channel < song.channels; channel++) {
        count += column_is_free(xm_cell_at(song, pattern, row, channel));
    }
    return count;
}

// How many channels must be added so that every row finds room for its bytes.
int32_t channels_missing(const XmSong& song, const std::map<RowKey, std::vector<uint8_t>>& rows)
{
    int32_t missing = 0;
    for (const auto& [key, bytes] : rows) {
        int32_t pattern = song.orders[static_cast<size_t>(key.first)];
        int32_t lack = static_cast<int32_t>(bytes.size()) - free_columns(song, pattern, key.second);
        missing = lack > missing ? lack : missing;
    }
    return missing;
}

void place_row(XmSong* song, int32_t pattern, int32_t row, const std::vector<uint8_t>& bytes)
{
    size_t next = 0;
    for (int32_t channel = 0; channel < song->channels && next < bytes.size(); channel++) {
        XmCell* cell = xm_cell(song, pattern, row, channel);
        if (!column_is_free(*cell)) {
            continue;
        }
        cell->effect = XM_EFFECT_SYNC;
        cell->parameter = bytes[next++];
    }
}

int32_t check_positions(const XmSong& song, const SyncScript& script, std::string* why)
{
    std::vector<std::vector<double>> times = song_row_times(song);
    for (const ScriptEntry& entry : script.entries) {
        std::string where = "line " + std::to_string(entry.line) + ": order " + std::to_string(entry.order) + " row " +
                            std::to_string(entry.row);
        if (entry.order < 0 || entry.order >= static_cast<int32_t>(song.orders.size())) {
            *why = where + " lies beyond the song's " + std::to_string(song.orders.size()) + " orders";
            return 0;
        }
        const std::vector<double>& rows = times[static_cast<size_t>(entry.order)];
        if (entry.row < 0 || entry.row >= static_cast<int32_t>(rows.size())) {
            *why = where + " lies beyond the pattern's " + std::to_string(rows.size()) + " rows";
            return 0;
        }
        if (rows[static_cast<size_t>(entry.row)] < 0) {
            *why = where + " is never played";
            return 0;
        }
    }
    return 1;
}

}  // namespace

int32_t script_compile(XmSong* song, const SyncScript& script, std::string* why)
{
    if (!check_positions(*song, script, why)) {
        return 0;
    }
    std::map<RowKey, std::vector<uint8_t>> rows;
    for (const ScriptEntry& entry : script.entries) {
        rows[{entry.order, entry.row}].push_back(entry.command);
    }
    XmSong result = *song;
    strip_sync(&result);
    if (!give_own_patterns(&result, rows, why)) {
        return 0;
    }
    int32_t missing = channels_missing(result, rows);
    if (result.channels + missing > XM_MAX_CHANNELS) {
        *why = "a row needs more sync columns than the module's 32 channels allow";
        return 0;
    }
    if (missing > 0) {
        xm_add_channels(&result, missing);
    }
    for (const auto& [key, bytes] : rows) {
        place_row(&result, result.orders[static_cast<size_t>(key.first)], key.second, bytes);
    }
    *song = std::move(result);
    return 1;
}

SyncScript script_read(const XmSong& song)
{
    SyncScript script;
    for (int32_t order = 0; order < static_cast<int32_t>(song.orders.size()); order++) {
        int32_t pattern = song.orders[static_cast<size_t>(order)];
        for (int32_t row = 0; row < song.patterns[static_cast<size_t>(pattern)].rows; row++) {
            for (int32_t channel = 0; channel < song.channels; channel++) {
                const XmCell& cell = xm_cell_at(song, pattern, row, channel);
                if (cell.effect == XM_EFFECT_SYNC) {
                    script.entries.push_back({order, row, cell.parameter, 0});
                }
            }
        }
    }
    return script;
}
