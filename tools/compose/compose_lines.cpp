// The bass line and the melodies: which line each section plays and how it is written.
#include "compose/compose_parts.h"
#include "compose/synth.h"

namespace {

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

}  // namespace

void write_bass(Writer* w, const Place& place)
{
    const BassStep* line = bass_line(place);
    if (line == nullptr) {
        return;
    }
    const Progression& progression = progression_of(place);
    // The last pattern ends on the chord of its third bar, let go in time to die away.
    bool final_chord = is_final_pattern(place);
    for (int32_t bar = 0; bar < (final_chord ? 3 : 4); bar++) {
        int32_t root = pitch_from(progression.bars[bar].root, 36);  // C2 to B2
        int32_t fifth = pitch_from(progression.bars[bar].fifth, root);
        for (const BassStep* step = line; step->row >= 0; step++) {
            int32_t pitch = step->interval == 7 ? fifth : root + step->interval;
            play(w, bar * BAR + step->row, BASS, pitch, INSTRUMENT_BASS, 44);
        }
        if (line == BASS_HELD) {
            key_off(w, final_chord && bar == 2 ? FINAL_CHORD_RELEASE_ROW : bar * BAR + 14, BASS);
        }
    }
}

namespace {

// The next tone of A minor above pitch.
int32_t scale_step_up(int32_t pitch)
{
    static const int32_t STEPS[] = {2, 1, 2, 2, 1, 2, 2};  // from A: B C D E F G A
    int32_t degree_pitch = 57;                             // A3
    for (int32_t i = 0; degree_pitch <= pitch; i = (i + 1) % 7) {
        degree_pitch += STEPS[i];
    }
    return degree_pitch;
}

// A line heard again: each note of a beat or longer turns to the scale
// tone above for its second half.
Melody ornamented(const Melody& melody)
{
    Melody result;
    for (const MelodyNote& note : melody) {
        if (note.length < 4 || note.length % 2 != 0) {
            result.push_back(note);
            continue;
        }
        int32_t half = note.length / 2;
        result.push_back({note.row, note.pitch, half});
        result.push_back({note.row + half, scale_step_up(note.pitch), half});
    }
    return result;
}

Melody octave_up(Melody melody)
{
    for (MelodyNote& note : melody) {
        note.pitch += 12;
    }
    return melody;
}

// The lead of each pattern. A statement comes back varied (ornamented, an
// octave higher in the finale), so no four-bar line is heard more than twice.
Melody lead_melody(const Place& place)
{
    bool last = place.index == place.count - 1;
    const Melody& theme = place.index % 2 == 0 ? MOTIF_A : MOTIF_A_ANSWER;
    switch (place.section) {
    case THEME:
        if (last) {
            return MOTIF_A_CADENCE;
        }
        return place.index == 2 || place.index == 3 ? ornamented(theme) : theme;
    case FINALE:
        if (last) {
            return MOTIF_A_CADENCE;
        }
        if (place.index == 4) {
            return ornamented(theme);
        }
        return octave_up(place.index >= 2 ? ornamented(theme) : theme);
    case SECOND: {
        const Melody& line = place.index % 2 == 0 ? MOTIF_B : MOTIF_B_ANSWER;
        return place.index >= 2 ? ornamented(line) : line;
    }
    case BREAK:
        return place.index == 1 || place.index == 2 ? MELODY_BREAK : Melody{};
    case OUTRO:
        return place.index == 1 ? MELODY_CLOSE : Melody{};
    default:
        return Melody{};
    }
}

// Notes run into the next one; a gap before the next note (or the pattern end) gets a key-off.
void write_line(Writer* w, const Melody& melody, int32_t channel, int32_t instrument, int32_t volume, int32_t delay,
                int32_t transpose)
{
    for (size_t i = 0; i < melody.size(); i++) {
        const MelodyNote& note = melody[i];
        int32_t row = note.row + delay;
        if (row >= SHOW_ROWS) {
            break;
        }
        play(w, row, channel, note.pitch + transpose, instrument, volume);
        int32_t end = row + note.length;
        int32_t next = i + 1 < melody.size() ? melody[i + 1].row + delay : SHOW_ROWS;
        if (end < next || (i + 1 == melody.size() && end < SHOW_ROWS)) {
            key_off(w, end - 1, channel);
        }
    }
}

}  // namespace

void write_melody(Writer* w, const Place& place)
{
    const Melody melody = lead_melody(place);
    if (melody.empty()) {
        return;
    }
    if (place.section == BREAK && place.index == 1) {
        write_line(w, melody, ECHO, INSTRUMENT_ECHO, 40, 0, 0);  // the line first sounds distant
        return;
    }
    write_line(w, melody, LEAD, INSTRUMENT_LEAD, place.section == BREAK ? 52 : 64, 0, 0);
    if (place.section == FINALE) {
        write_line(w, melody, ECHO, INSTRUMENT_ECHO, 40, 0, -12);  // doubled an octave down
    } else {
        write_line(w, melody, ECHO, INSTRUMENT_ECHO, 32, ECHO_DELAY, 0);
    }
}
