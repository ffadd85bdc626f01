// The show's script as text and as the W effects of a module: parse, compile, read back, time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "xm/xm_file.h"

// One command byte at a position of the song.
struct ScriptEntry {
    int32_t order;
    int32_t row;
    uint8_t command;
    int32_t line;  // source line, 0 when read from a module
};

struct SyncScript {
    std::vector<ScriptEntry> entries;  // in playing order; one row's entries in channel order
};

// Parses the script text. A line is "ORDER:ROW COMMAND" with an optional "# comment";
// blank lines and comment lines are skipped. Returns 1, or 0 with "line N: reason" in *why.
int32_t script_parse(const std::string& text, SyncScript* script, std::string* why);

// Parses one command: a name with its argument ("scene 4", "timers flash+fade")
// or a byte in hex ("0x4F"). Returns 1, or 0 when the text names no command.
int32_t script_parse_command(const std::string& text, uint8_t* command);

// The canonical text of a command byte, which script_parse_command reads back.
std::string script_command_name(uint8_t command);

// What the command does on screen, for the storyboard.
std::string script_command_meaning(uint8_t command);
// The same, with a cue described for the scene shown (-1: none yet).
std::string script_command_meaning_in_scene(uint8_t command, int32_t scene);

// The canonical script text: one "ORDER:ROW COMMAND" line per entry.
std::string script_format(const SyncScript& script);

// Replaces every W effect of the song by the script's bytes. A row's bytes take
// the free effect columns in channel order; when a row has too few, empty channels
// are added. An order that shares its pattern with another gets a copy of its own.
// Fails (0, reason in *why, nothing changed) for a position the song never plays.
int32_t script_compile(XmSong* song, const SyncScript& script, std::string* why);

// The W effects of the song as a script, order by order in playing order.
SyncScript script_read(const XmSong& song);

// Start time in milliseconds of each row as the song plays from the start at 44,100 Hz:
// times[order][row], -1 for a row that is never reached. Follows speed and
// tempo changes, pattern breaks, forward jumps and pattern delays; stops at a
// backward jump (the song loops there).
std::vector<std::vector<double>> song_row_times(const XmSong& song);

// The storyboard page: for every sync byte its time, order, row, byte and meaning.
std::string script_storyboard(const XmSong& song, const SyncScript& script);
