// The show's arrangement: seven sections of four-bar patterns, every part written per section.
#include "compose/compose.h"

#include "compose/score.h"
#include "compose/synth.h"

namespace {

enum Channel { KICK, SNARE, HATS, BASS, LEAD, ECHO, ARP, PAD_LOW, PAD_MID, PAD_HIGH };

enum Section { INTRO, BUILD, THEME, BREAK, SECOND, FINALE, OUTRO };

// The arc: section and how many patterns it lasts (each pattern four bars,
// each pair of patterns an eight-bar phrase).
struct SectionLength {
    Section section;
    int32_t patterns;
};

constexpr SectionLength ARC[] = {
    {INTRO, 2}, {BUILD, 4}, {THEME, 6}, {BREAK, 4}, {SECOND, 4}, {FINALE, 6}, {OUTRO, 2},
};

constexpr int32_t BAR = 16;
constexpr int32_t ECHO_DELAY = 3;  // rows: a dotted eighth behind the lead

// One pattern's place in the arc.
struct Place {
    Section section;
    int32_t index;  // 0-based within its section
    int32_t count;  // patterns in the section
};

struct Writer {
    XmSong* song;
    int32_t pattern;
};

uint8_t xm_note_of(int32_t midi)
{
    return static_cast<uint8_t>(midi - 11);  // MIDI 60 (middle C) is XM C-4, note 49
}

void play(Writer* w, int32_t row, int32_t channel, int32_t midi, int32_t instrument, int32_t volume)
{
    if (row < 0 || row >= SHOW_ROWS)
        return;
    XmCell* cell = xm_cell(w->song, w->pattern, row, channel);
    cell->note = xm_note_of(midi);
    cell->instrument = static_cast<uint8_t>(instrument);
    cell->volume = static_cast<uint8_t>(0x10 + volume);
}

void drum(Writer* w, int32_t row, int32_t channel, int32_t instrument, int32_t volume)
{
    play(w, row, channel, DRUM_NOTE + 11, instrument, volume);  // back from XM to MIDI numbering
}

void key_off(Writer* w, int32_t row, int32_t channel)
{
    if (row < 0 || row >= SHOW_ROWS)
        return;
    XmCell* cell = xm_cell(w->song, w->pattern, row, channel);
    if (cell->note == 0)
        cell->note = XM_NOTE_OFF;
}

const Progression& progression_of(const Place& place)
{
    if (place.section == BREAK)
        return PROGRESSION_BREAK;
    if (place.section == SECOND)
        return PROGRESSION_SECOND;
    if (place.section == OUTRO && place.index == place.count - 1)
        return PROGRESSION_CLOSE;
    return PROGRESSION_MAIN;
}

// ---- drums ----

void four_on_the_floor(Writer* w, int32_t volume)
{
    for (int32_t row = 0; row < SHOW_ROWS; row += 4)
        drum(w, row, KICK, INSTRUMENT_KICK, volume);
}

void backbeat(Writer* w, int32_t volume)
{
    for (int32_t row = 4; row < SHOW_ROWS; row += 8)
        drum(w, row, SNARE, INSTRUMENT_SNARE, volume);
}

void offbeat_hats(Writer* w, int32_t volume)
{
    for (int32_t row = 2; row < SHOW_ROWS; row += 4)
        drum(w, row, HATS, INSTRUMENT_CLOSED_HAT, volume);
}

void sixteenth_hats(Writer* w, int32_t accent, int32_t soft)
{
    for (int32_t row = 0; row < SHOW_ROWS; row++)
        drum(w, row, HATS, INSTRUMENT_CLOSED_HAT, row % 4 == 2 ? accent : soft);
}

// A roll over the last `rows` rows that grows louder into the next section.
void snare_roll(Writer* w, int32_t rows, int32_t step_change)
{
    int32_t first = SHOW_ROWS - rows;
    for (int32_t row = first; row < SHOW_ROWS; row++) {
        int32_t step = row < SHOW_ROWS - step_change ? 2 : 1;
        if ((row - first) % step != 0)
            continue;
        drum(w, row, SNARE, INSTRUMENT_SNARE, 20 + 44 * (row - first) / rows);
    }
}

void crash(Writer* w)
{
    drum(w, 0, HATS, INSTRUMENT_CRASH, 56);
}

void broken_beat(Writer* w)
{
    static const int32_t KICKS[] = {0, 7, 10};
    for (int32_t bar = 0; bar < 4; bar++) {
        for (int32_t row : KICKS)
            drum(w, bar * BAR + row, KICK, INSTRUMENT_KICK, 60);
        drum(w, bar * BAR + 4, SNARE, INSTRUMENT_SNARE, 56);
        drum(w, bar * BAR + 12, SNARE, INSTRUMENT_SNARE, 60);
    }
    for (int32_t row = 0; row < SHOW_ROWS; row += 2)
        drum(w, row, HATS, row % BAR == 14 ? INSTRUMENT_OPEN_HAT : INSTRUMENT_CLOSED_HAT, row % 4 == 2 ? 40 : 28);
}

void write_drums(Writer* w, const Place& place)
{
    int32_t last = place.index == place.count - 1;
    switch (place.section) {
    case INTRO:
        if (place.index == 1)
            offbeat_hats(w, 30);
        break;
    case BUILD:
        four_on_the_floor(w, 40 + 6 * place.index);
        offbeat_hats(w, 34 + 4 * place.index);
        if (place.index == 0)
            crash(w);
        if (place.index >= 2)
            backbeat(w, 48);
        if (last)
            snare_roll(w, 16, 8);
        break;
    case THEME:
    case FINALE:
        four_on_the_floor(w, 62);
        backbeat(w, 60);
        sixteenth_hats(w, 40, 22);
        if (place.index % 2 == 0)
            crash(w);
        if (place.section == FINALE)
            for (int32_t row = 2; row < SHOW_ROWS; row += 4)
                drum(w, row, HATS, INSTRUMENT_OPEN_HAT, 34);
        if (place.index % 2 == 1)
            snare_roll(w, last ? 16 : 4, last ? 8 : 4);
        break;
    case BREAK:
        if (place.index == 2)
            offbeat_hats(w, 26);
        if (last) {
            offbeat_hats(w, 34);
            for (int32_t row = 0; row < SHOW_ROWS; row += 16)
                drum(w, row, KICK, INSTRUMENT_KICK, 50);
            snare_roll(w, 32, 12);
        }
        break;
    case SECOND:
        broken_beat(w);
        if (place.index == 0)
            crash(w);
        if (last)
            snare_roll(w, 8, 4);
        break;
    case OUTRO:
        if (place.index == 0) {
            four_on_the_floor(w, 56);
            offbeat_hats(w, 34);
            crash(w);
        } else {
            drum(w, 0, KICK, INSTRUMENT_KICK, 60);
            crash(w);
        }
        break;
    }
}

// ---- bass ----

// A bar's bass line as (row, interval above the root) pairs; -1 ends it.
struct BassStep {
    int32_t row;
    int32_t interval;
};

// clang-format off
constexpr BassStep BASS_EIGHTHS[] = {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {10, 0}, {12, 0}, {14, 0}, {-1, 0}};
constexpr BassStep BASS_THEME[] = {{0, 0}, {3, 0}, {6, 12}, {8, 0}, {10, 7}, {12, 12}, {14, 0}, {-1, 0}};
constexpr BassStep BASS_SECOND[] = {{0, 0}, {4, 12}, {6, 0}, {8, 7}, {11, 0}, {14, 12}, {-1, 0}};
constexpr BassStep BASS_OCTAVES[] = {{0, 0}, {2, 12}, {4, 0}, {6, 12}, {8, 0}, {10, 12}, {12, 0}, {14, 12}, {-1, 0}};
constexpr BassStep BASS_HELD[] = {{0, 0}, {-1, 0}};
// clang-format on

const BassStep* bass_line(const Place& place)
{
    switch (place.section) {
    case INTRO:
        return nullptr;
    case BUILD:
        return BASS_EIGHTHS;
    case THEME:
        return BASS_THEME;
    case BREAK:
        return place.index == place.count - 1 ? BASS_EIGHTHS : BASS_HELD;
    case SECOND:
        return BASS_SECOND;
    case FINALE:
        return BASS_OCTAVES;
    case OUTRO:
        return place.index == 0 ? BASS_EIGHTHS : BASS_HELD;
    }
    return nullptr;
}

void write_bass(Writer* w, const Place& place)
{
    const BassStep* line = bass_line(place);
    if (line == nullptr)
        return;
    const Progression& progression = progression_of(place);
    for (int32_t bar = 0; bar < 4; bar++) {
        int32_t root = pitch_from(progression.bars[bar].root, 36);  // C2 to B2
        int32_t fifth = pitch_from(progression.bars[bar].fifth, root);
        for (const BassStep* step = line; step->row >= 0; step++) {
            int32_t pitch = step->interval == 7 ? fifth : root + step->interval;
            play(w, bar * BAR + step->row, BASS, pitch, INSTRUMENT_BASS, 44);
        }
        if (line == BASS_HELD)
            key_off(w, bar * BAR + 14, BASS);
    }
}

// ---- melody ----

const Melody* lead_melody(const Place& place)
{
    switch (place.section) {
    case THEME:
        if (place.index == place.count - 1)
            return &MOTIF_A_CADENCE;
        return place.index % 2 == 0 ? &MOTIF_A : &MOTIF_A_ANSWER;
    case FINALE:
        if (place.index == place.count - 1)
            return &MOTIF_A_CADENCE;
        return place.index % 2 == 0 ? &MOTIF_A : &MOTIF_A_ANSWER;
    case SECOND:
        return place.index % 2 == 0 ? &MOTIF_B : &MOTIF_B_ANSWER;
    case BREAK:
        return place.index == 1 || place.index == 2 ? &MELODY_BREAK : nullptr;
    case OUTRO:
        return place.index == 1 ? &MELODY_CLOSE : nullptr;
    default:
        return nullptr;
    }
}

// Notes run into the next one; a gap before the next note (or the pattern end) gets a key-off.
void write_line(Writer* w, const Melody& melody, int32_t channel, int32_t instrument, int32_t volume, int32_t delay,
                int32_t transpose)
{
    for (size_t i = 0; i < melody.size(); i++) {
        const MelodyNote& note = melody[i];
        int32_t row = note.row + delay;
        if (row >= SHOW_ROWS)
            break;
        play(w, row, channel, note.pitch + transpose, instrument, volume);
        int32_t end = row + note.length;
        int32_t next = i + 1 < melody.size() ? melody[i + 1].row + delay : SHOW_ROWS;
        if (end < next || (i + 1 == melody.size() && end < SHOW_ROWS))
            key_off(w, end - 1, channel);
    }
}

void write_melody(Writer* w, const Place& place)
{
    const Melody* melody = lead_melody(place);
    if (melody == nullptr)
        return;
    if (place.section == BREAK && place.index == 1) {
        write_line(w, *melody, ECHO, INSTRUMENT_ECHO, 40, 0, 0);  // the line first sounds distant
        return;
    }
    write_line(w, *melody, LEAD, INSTRUMENT_LEAD, place.section == BREAK ? 52 : 64, 0, 0);
    if (place.section == FINALE)
        write_line(w, *melody, ECHO, INSTRUMENT_ECHO, 40, 0, -12);  // doubled an octave down
    else
        write_line(w, *melody, ECHO, INSTRUMENT_ECHO, 32, ECHO_DELAY, 0);
}

// ---- harmony ----

// Close triad voicing between G3 and F#4: neighbouring chords share tones.
void voicing(const Chord& chord, int32_t tones[3])
{
    tones[0] = pitch_from(chord.root, 55);
    tones[1] = pitch_from(chord.third, 55);
    tones[2] = pitch_from(chord.fifth, 55);
    for (int32_t i = 0; i < 2; i++)
        for (int32_t j = 0; j < 2 - i; j++)
            if (tones[j] > tones[j + 1]) {
                int32_t swap = tones[j];
                tones[j] = tones[j + 1];
                tones[j + 1] = swap;
            }
}

void write_pads(Writer* w, const Place& place, int32_t volume)
{
    const Progression& progression = progression_of(place);
    int32_t previous[3] = {-1, -1, -1};
    for (int32_t bar = 0; bar < 4; bar++) {
        int32_t tones[3];
        voicing(progression.bars[bar], tones);
        for (int32_t voice = 0; voice < 3; voice++) {
            if (tones[voice] == previous[voice])
                continue;  // a held common tone keeps sounding
            play(w, bar * BAR, PAD_LOW + voice, tones[voice], INSTRUMENT_PAD, volume);
            previous[voice] = tones[voice];
        }
    }
    if (place.section == OUTRO && place.index == place.count - 1)
        for (int32_t voice = 0; voice < 3; voice++)
            key_off(w, 56, PAD_LOW + voice);
}

// Sixteenth-note broken chord an octave above the pads; `every` 2 plays eighths.
void write_arp(Writer* w, const Place& place, int32_t every, int32_t first_row, int32_t volume, int32_t fade)
{
    static const int32_t ORDER[] = {0, 1, 2, 3, 2, 1, 2, 3};
    const Progression& progression = progression_of(place);
    for (int32_t row = first_row; row < SHOW_ROWS; row += every) {
        int32_t tones[3];
        voicing(progression.bars[row / BAR], tones);
        int32_t step = ORDER[(row / every) % 8];
        int32_t pitch = step == 3 ? tones[0] + 24 : tones[step] + 12;
        int32_t level = volume + fade * (row - first_row) / SHOW_ROWS;
        play(w, row, ARP, pitch, INSTRUMENT_ARP, level < 0 ? 0 : (level > 64 ? 64 : level));
    }
}

void write_harmony(Writer* w, const Place& place)
{
    switch (place.section) {
    case INTRO:
        write_pads(w, place, 40);
        write_arp(w, place, 1, place.index == 0 ? 32 : 0, place.index == 0 ? 16 : 30, place.index == 0 ? 30 : 12);
        break;
    case BUILD:
        if (place.index >= 2)
            write_pads(w, place, 30);
        write_arp(w, place, 1, 0, 40, 0);
        break;
    case THEME:
        write_pads(w, place, 28);
        write_arp(w, place, 1, 0, 36, 0);
        break;
    case BREAK:
        write_pads(w, place, 48);
        write_arp(w, place, 1, 0, 40, 0);
        break;
    case SECOND:
        write_pads(w, place, 36);
        write_arp(w, place, 2, 0, 44, 0);
        break;
    case FINALE:
        write_pads(w, place, 34);
        write_arp(w, place, 1, 0, 40, 0);
        break;
    case OUTRO:
        write_pads(w, place, 44);
        if (place.index == 0)
            write_arp(w, place, 1, 0, 40, -24);
        break;
    }
}

// Envelopes hold at their sustain point until a key-off: a part that rests for
// a whole pattern must let go of the note it held over from the one before.
void release_silent_channels(Writer* w)
{
    for (int32_t channel = BASS; channel <= PAD_HIGH; channel++) {
        int32_t notes = 0;
        for (int32_t row = 0; row < SHOW_ROWS; row++)
            notes += xm_cell(w->song, w->pattern, row, channel)->note != 0;
        if (notes == 0)
            key_off(w, 0, channel);
    }
}

}  // namespace

XmSong compose_show_song()
{
    XmSong song = xm_empty_song(SHOW_CHANNELS);
    song.name = "korvel: dino";
    song.speed = SHOW_SPEED;
    song.bpm = SHOW_BPM;
    song.instruments = synth_instruments();
    for (const SectionLength& part : ARC)
        for (int32_t index = 0; index < part.patterns; index++) {
            Writer w = {&song, xm_add_pattern(&song, SHOW_ROWS)};
            Place place = {part.section, index, part.patterns};
            write_drums(&w, place);
            write_bass(&w, place);
            write_melody(&w, place);
            write_harmony(&w, place);
            release_silent_channels(&w);
            song.orders.push_back(static_cast<uint8_t>(w.pattern));
        }
    return song;
}
