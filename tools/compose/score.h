// Musical material of the show: chords, progressions and melodic motifs, in MIDI note numbers.
#pragma once
#include <cstdint>
#include <vector>

// A triad by pitch classes (0 = C); the root is the bass note.
struct Chord {
    int32_t root;
    int32_t third;
    int32_t fifth;
};

// One bar per chord, four bars per pattern.
struct Progression {
    Chord bars[4];
};

// A melody note: start row within the pattern, MIDI pitch, length in rows.
struct MelodyNote {
    int32_t row;
    int32_t pitch;
    int32_t length;
};

using Melody = std::vector<MelodyNote>;

extern const Progression PROGRESSION_MAIN;    // Am F C G
extern const Progression PROGRESSION_BREAK;   // Am Em F E
extern const Progression PROGRESSION_SECOND;  // F G Em Am
extern const Progression PROGRESSION_CLOSE;   // F G Am Am

// Main theme: its statement, the answer that turns its second half, the cadence.
extern const Melody MOTIF_A;
extern const Melody MOTIF_A_ANSWER;
extern const Melody MOTIF_A_CADENCE;
// Second theme and its answer, over the second progression.
extern const Melody MOTIF_B;
extern const Melody MOTIF_B_ANSWER;
// The slow line of the break and the closing phrase.
extern const Melody MELODY_BREAK;
extern const Melody MELODY_CLOSE;

// MIDI pitch of a pitch class in the octave that starts at `low`.
int32_t pitch_from(int32_t pitch_class, int32_t low);
