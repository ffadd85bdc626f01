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

namespace {

const Melody* lead_melody(const Place& place)
{
    switch (place.section) {
    case THEME:
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

}  // namespace

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
