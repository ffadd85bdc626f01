// The drum parts of each section: grooves, fills and crashes on phrase starts.
#include "compose/compose_parts.h"
#include "compose/synth.h"

namespace {

void four_on_the_floor(Writer* w, int32_t volume)
{
    for (int32_t row = 0; row < SHOW_ROWS; row += 4) {
        drum(w, row, KICK, INSTRUMENT_KICK, volume);
    }
}

void backbeat(Writer* w, int32_t volume)
{
    for (int32_t row = 4; row < SHOW_ROWS; row += 8) {
        drum(w, row, SNARE, INSTRUMENT_SNARE, volume);
    }
}

void offbeat_hats(Writer* w, int32_t volume)
{
    for (int32_t row = 2; row < SHOW_ROWS; row += 4) {
        drum(w, row, HATS, INSTRUMENT_CLOSED_HAT, volume);
    }
}

void sixteenth_hats(Writer* w, int32_t accent, int32_t soft)
{
    for (int32_t row = 0; row < SHOW_ROWS; row++) {
        drum(w, row, HATS, INSTRUMENT_CLOSED_HAT, row % 4 == 2 ? accent : soft);
    }
}

// A roll over the last `rows` rows that grows louder into the next section.
void snare_roll(Writer* w, int32_t rows, int32_t step_change)
{
    int32_t first = SHOW_ROWS - rows;
    for (int32_t row = first; row < SHOW_ROWS; row++) {
        int32_t step = row < SHOW_ROWS - step_change ? 2 : 1;
        if ((row - first) % step != 0) {
            continue;
        }
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
        for (int32_t row : KICKS) {
            drum(w, bar * BAR + row, KICK, INSTRUMENT_KICK, 60);
        }
        drum(w, bar * BAR + 4, SNARE, INSTRUMENT_SNARE, 56);
        drum(w, bar * BAR + 12, SNARE, INSTRUMENT_SNARE, 60);
    }
    for (int32_t row = 0; row < SHOW_ROWS; row += 2) {
        drum(w, row, HATS, row % BAR == 14 ? INSTRUMENT_OPEN_HAT : INSTRUMENT_CLOSED_HAT, row % 4 == 2 ? 40 : 28);
    }
}

}  // namespace

void write_drums(Writer* w, const Place& place)
{
    int32_t last = place.index == place.count - 1;
    switch (place.section) {
    case INTRO:
        if (place.index == 1) {
            offbeat_hats(w, 30);
        }
        break;
    case BUILD:
        four_on_the_floor(w, 40 + 6 * place.index);
        offbeat_hats(w, 34 + 4 * place.index);
        if (place.index == 0) {
            crash(w);
        }
        if (place.index >= 2) {
            backbeat(w, 48);
        }
        if (last) {
            snare_roll(w, 16, 8);
        }
        break;
    case THEME:
    case FINALE:
        four_on_the_floor(w, 62);
        backbeat(w, 60);
        sixteenth_hats(w, 40, 22);
        if (place.index % 2 == 0) {
            crash(w);
        }
        if (place.section == FINALE) {
            for (int32_t row = 2; row < SHOW_ROWS; row += 4) {
                drum(w, row, HATS, INSTRUMENT_OPEN_HAT, 34);
            }
        }
        if (place.index % 2 == 1) {
            snare_roll(w, last ? 16 : 4, last ? 8 : 4);
        }
        break;
    case BREAK:
        if (place.index == 2) {
            offbeat_hats(w, 26);
        }
        if (last) {
            offbeat_hats(w, 34);
            for (int32_t row = 0; row < SHOW_ROWS; row += 16) {
                drum(w, row, KICK, INSTRUMENT_KICK, 50);
            }
            snare_roll(w, 32, 12);
        }
        break;
    case SECOND:
        broken_beat(w);
        if (place.index == 0) {
            crash(w);
        }
        if (last) {
            snare_roll(w, 8, 4);
        }
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
