// Synthesised instruments of the show's module: drums from shaped noise and tones, band-limited waves.
#pragma once
#include "xm/xm_file.h"

// Instrument numbers (1-based, as patterns name them).
enum ShowInstrument {
    INSTRUMENT_KICK = 1,
    INSTRUMENT_SNARE,
    INSTRUMENT_CLOSED_HAT,
    INSTRUMENT_OPEN_HAT,
    INSTRUMENT_CRASH,
    INSTRUMENT_BASS,
    INSTRUMENT_LEAD,
    INSTRUMENT_ARP,
    INSTRUMENT_PAD,
    INSTRUMENT_ECHO,
    INSTRUMENT_COUNT = INSTRUMENT_ECHO
};

// The drums sound at their own pitch when played at this note (C-4).
constexpr uint8_t DRUM_NOTE = 49;

// All instruments in number order.
std::vector<XmInstrument> synth_instruments();
