// The show's arrangement: seven sections of four-bar patterns, every part written per section.
#include "compose/compose.h"

#include "compose/compose_parts.h"
#include "compose/synth.h"

namespace {

// The arc: section and how many patterns it lasts (each pattern four bars,
// each pair of patterns an eight-bar phrase).
struct SectionLength {
    Section section;
    int32_t patterns;
};

constexpr SectionLength ARC[] = {
    {INTRO, 2}, {BUILD, 4}, {THEME, 6}, {BREAK, 4}, {SECOND, 4}, {FINALE, 6}, {OUTRO, 2},
};

void release_silent_channels(Writer* w)
{
    for (int32_t channel = BASS; channel <= PAD_HIGH; channel++) {
        int32_t notes = 0;
        for (int32_t row = 0; row < SHOW_ROWS; row++) {
            notes += xm_cell(w->song, w->pattern, row, channel)->note != 0;
        }
        if (notes == 0) {
            key_off(w, 0, channel);
        }
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
    for (const SectionLength& part : ARC) {
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
    }
    return song;
}
