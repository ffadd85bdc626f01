// Pads and arpeggios: close triad voicings and broken chords over each bar.
#include "compose/compose_parts.h"
#include "compose/synth.h"

namespace {

// Close triad voicing between G3 and F#4: neighbouring chords share tones.
void voicing(const Chord& chord, int32_t tones[3])
{
    tones[0] = pitch_from(chord.root, 55);
    tones[1] = pitch_from(chord.third, 55);
    tones[2] = pitch_from(chord.fifth, 55);
    for (int32_t i = 0; i < 2; i++) {
        for (int32_t j = 0; j < 2 - i; j++) {
            if (tones[j] > tones[j + 1]) {
                int32_t swap = tones[j];
                tones[j] = tones[j + 1];
                tones[j + 1] = swap;
            }
        }
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
            if (tones[voice] == previous[voice]) {
                continue;  // a held common tone keeps sounding
            }
            play(w, bar * BAR, PAD_LOW + voice, tones[voice], INSTRUMENT_PAD, volume);
            previous[voice] = tones[voice];
        }
    }
    if (is_final_pattern(place)) {
        for (int32_t voice = 0; voice < 3; voice++) {
            key_off(w, FINAL_CHORD_RELEASE_ROW, PAD_LOW + voice);
        }
    }
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

// What backs the tune in one pattern: pad volume (0: no pads) and the
// arpeggio's step (0: no arpeggio), first row, volume and fade.
struct Backing {
    int32_t pads;
    int32_t every;
    int32_t first_row;
    int32_t volume;
    int32_t fade;
};

Backing backing_of(const Place& place)
{
    const bool first = place.index == 0;
    switch (place.section) {
    case INTRO:
        return {40, 1, first ? 32 : 0, first ? 16 : 30, first ? 30 : 12};
    case BUILD:
        return {place.index >= 2 ? 30 : 0, 1, 0, 40, 0};
    case THEME:
        return {28, 1, 0, 36, 0};
    case BREAK:
        return {48, 1, 0, 40, 0};
    case SECOND:
        return {36, 2, 0, 44, 0};
    case FINALE:
        return {34, 1, 0, 40, 0};
    case OUTRO:
        return {44, first ? 1 : 0, 0, 40, -24};
    }
    return {0, 0, 0, 0, 0};
}

}  // namespace

void write_harmony(Writer* w, const Place& place)
{
    const Backing b = backing_of(place);
    if (b.pads > 0) {
        write_pads(w, place, b.pads);
    }
    if (b.every > 0) {
        write_arp(w, place, b.every, b.first_row, b.volume, b.fade);
    }
}

// Envelopes hold at their sustain point until a key-off: a part that rests for
// a whole pattern must let go of the note it held over from the one before.
