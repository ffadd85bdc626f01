// Note writers of the arrangement and the progression each section plays.
#include "compose/compose_parts.h"
#include "compose/synth.h"

uint8_t xm_note_of(int32_t midi)
{
    return static_cast<uint8_t>(midi - 11);  // MIDI 60 (middle C) is XM C-4, note 49
}

void play(Writer* w, int32_t row, int32_t channel, int32_t midi, int32_t instrument, int32_t volume)
{
    if (row < 0 || row >= SHOW_ROWS) {
        return;
    }
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
    if (row < 0 || row >= SHOW_ROWS) {
        return;
    }
    XmCell* cell = xm_cell(w->song, w->pattern, row, channel);
    if (cell->note == 0) {
        cell->note = XM_NOTE_OFF;
    }
}

const Progression& progression_of(const Place& place)
{
    if (place.section == BREAK) {
        return PROGRESSION_BREAK;
    }
    if (place.section == SECOND) {
        return PROGRESSION_SECOND;
    }
    if (place.section == OUTRO && place.index == place.count - 1) {
        return PROGRESSION_CLOSE;
    }
    return PROGRESSION_MAIN;
}
