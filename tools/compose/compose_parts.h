// Shared pieces of the arrangement: channels, sections, a pattern's place and the note writers.
#pragma once
#include "compose/compose.h"
#include "compose/score.h"

enum Channel { KICK, SNARE, HATS, BASS, LEAD, ECHO, ARP, PAD_LOW, PAD_MID, PAD_HIGH };

enum Section { INTRO, BUILD, THEME, BREAK, SECOND, FINALE, OUTRO };

constexpr int32_t BAR = 16;
constexpr int32_t ECHO_DELAY = 3;  // rows: a dotted eighth behind the lead

// One pattern's place in the arc.
struct Place {
    Section section;
    int32_t index;  // 0-based within its section
    int32_t count;  // patterns in the section
};

// The show's last pattern lets every part go at this row, so the closing
// chord dies away before the end.
constexpr int32_t FINAL_CHORD_RELEASE_ROW = 44;

constexpr bool is_final_pattern(const Place& place)
{
    return place.section == OUTRO && place.index == place.count - 1;
}

// The pattern being written.
struct Writer {
    XmSong* song;
    int32_t pattern;
};

uint8_t xm_note_of(int32_t midi);

// A note by MIDI pitch with its volume (0..64); rows outside the pattern are ignored.
void play(Writer* w, int32_t row, int32_t channel, int32_t midi, int32_t instrument, int32_t volume);
void drum(Writer* w, int32_t row, int32_t channel, int32_t instrument, int32_t volume);
// A key-off, unless the cell already holds a note.
void key_off(Writer* w, int32_t row, int32_t channel);

const Progression& progression_of(const Place& place);

void write_drums(Writer* w, const Place& place);
void write_bass(Writer* w, const Place& place);
void write_melody(Writer* w, const Place& place);
void write_harmony(Writer* w, const Place& place);
