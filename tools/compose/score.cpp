// Musical material of the show: chords, progressions and melodic motifs, in MIDI note numbers.
#include "compose/score.h"

namespace {

// Pitch classes.
constexpr int32_t C = 0, D = 2, E = 4, F = 5, G = 7, GS = 8, A = 9, B = 11;

// MIDI pitches of the melodies (middle C = 60).
constexpr int32_t G4 = 67, GS4 = 68, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83,
                  C6 = 84;

constexpr Chord AM = {A, C, E};
constexpr Chord FM = {F, A, C};
constexpr Chord CM = {C, E, G};
constexpr Chord GM = {G, B, D};
constexpr Chord EM = {E, G, B};
constexpr Chord EMAJ = {E, GS, B};

}  // namespace

const Progression PROGRESSION_MAIN = {{AM, FM, CM, GM}};
const Progression PROGRESSION_BREAK = {{AM, EM, FM, EMAJ}};
const Progression PROGRESSION_SECOND = {{FM, GM, EM, AM}};
const Progression PROGRESSION_CLOSE = {{FM, GM, AM, AM}};

// clang-format off
// Bars 1-2 are the motif proper (a rising A minor figure, then its fall over F);
// bars 3-4 repeat the figure a third higher over C and lean on G back to Am.
const Melody MOTIF_A = {
    {0, A4, 3}, {3, C5, 3}, {6, E5, 2}, {8, D5, 2}, {10, C5, 2}, {12, E5, 4},
    {16, F5, 6}, {22, E5, 2}, {24, C5, 4}, {28, A4, 4},
    {32, G4, 3}, {35, C5, 3}, {38, E5, 2}, {40, D5, 2}, {42, C5, 2}, {44, G5, 4},
    {48, F5, 4}, {52, E5, 2}, {54, D5, 2}, {56, B4, 4}, {60, D5, 4},
};
// The answer keeps bars 1-2 and turns the figure downwards, reaching up to A5.
const Melody MOTIF_A_ANSWER = {
    {0, A4, 3}, {3, C5, 3}, {6, E5, 2}, {8, D5, 2}, {10, C5, 2}, {12, E5, 4},
    {16, F5, 6}, {22, E5, 2}, {24, C5, 4}, {28, A4, 4},
    {32, G5, 3}, {35, E5, 3}, {38, C5, 2}, {40, D5, 2}, {42, E5, 2}, {44, G5, 4},
    {48, A5, 6}, {54, G5, 2}, {56, D5, 4}, {60, B4, 4},
};
// The cadence ends the phrase on a long E over G, leading home.
const Melody MOTIF_A_CADENCE = {
    {0, A4, 3}, {3, C5, 3}, {6, E5, 2}, {8, D5, 2}, {10, C5, 2}, {12, E5, 4},
    {16, F5, 6}, {22, E5, 2}, {24, C5, 4}, {28, A4, 4},
    {32, G5, 3}, {35, E5, 3}, {38, C5, 2}, {40, D5, 2}, {42, E5, 2}, {44, G5, 4},
    {48, B4, 4}, {52, D5, 4}, {56, E5, 8},
};
// Second theme: longer notes climbing through each chord to A5.
const Melody MOTIF_B = {
    {0, C5, 6}, {6, A4, 2}, {8, C5, 4}, {12, F5, 4},
    {16, D5, 6}, {22, B4, 2}, {24, D5, 4}, {28, G5, 4},
    {32, E5, 6}, {38, G5, 2}, {40, B5, 4}, {44, G5, 4},
    {48, A5, 12}, {60, E5, 4},
};
const Melody MOTIF_B_ANSWER = {
    {0, C5, 6}, {6, A4, 2}, {8, C5, 4}, {12, F5, 4},
    {16, D5, 6}, {22, B4, 2}, {24, D5, 4}, {28, G5, 4},
    {32, E5, 6}, {38, G5, 2}, {40, B5, 4}, {44, G5, 4},
    {48, C6, 4}, {52, B5, 4}, {56, A5, 8},
};
// The break's line: one or two notes a bar, E falling to the leading tone G#.
const Melody MELODY_BREAK = {
    {0, E5, 16},
    {16, D5, 8}, {24, B4, 8},
    {32, C5, 8}, {40, A4, 8},
    {48, GS4, 8}, {56, B4, 8},
};
const Melody MELODY_CLOSE = {
    {0, C5, 6}, {6, A4, 2}, {8, C5, 4}, {12, F5, 4},
    {16, D5, 6}, {22, B4, 2}, {24, D5, 4}, {28, G4, 4},
    {32, A4, 12},
};
// clang-format on

int32_t pitch_from(int32_t pitch_class, int32_t low)
{
    int32_t pitch = low + ((pitch_class - low) % 12 + 12) % 12;
    return pitch;
}
