// A minimal XM module writer for tests: patterns of plain cells, one square-wave instrument.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Effect numbers as stored in the file.
constexpr uint8_t XM_EFFECT_JUMP = 0x0B;      // Bxx: continue at order xx
constexpr uint8_t XM_EFFECT_BREAK = 0x0D;     // Dxy: next order, row 10x + y (decimal digits)
constexpr uint8_t XM_EFFECT_EXTENDED = 0x0E;  // E6x pattern loop, EEx pattern delay
constexpr uint8_t XM_EFFECT_SPEED = 0x0F;     // Fxx: ticks per row below 0x20, else BPM
constexpr uint8_t XM_EFFECT_SYNC = 0x20;      // Wxx: the demo's sync byte

struct XmCell {
    uint8_t note;        // 0 none, 1..96 C-0..B-7, 97 key off
    uint8_t instrument;  // 0 none, else 1-based
    uint8_t volume;      // volume column byte, 0 none
    uint8_t effect;
    uint8_t parameter;
};

struct XmPattern {
    int32_t rows;
    std::vector<XmCell> cells;  // rows x channels, row-major
};

struct XmSong {
    int32_t channels;
    int32_t speed;    // ticks per row at start
    int32_t bpm;      // tempo at start
    int32_t restart;  // order the song continues at after the last one
    std::vector<uint8_t> orders;
    std::vector<XmPattern> patterns;
    int32_t with_instrument;  // 1: one looping square-wave instrument (audible notes)
};

// A song of `channels` channels at speed 6, 125 BPM, with the instrument.
XmSong xm_song(int32_t channels);

// Appends an empty pattern of `rows` rows and returns its index.
int32_t xm_add_pattern(XmSong* song, int32_t rows);

XmCell* xm_cell(XmSong* song, int32_t pattern, int32_t row, int32_t channel);
void xm_effect(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t effect, uint8_t parameter);
void xm_sync(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t command);
void xm_note(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t note);

// The file image of the song.
std::vector<uint8_t> xm_build(const XmSong& song);

// Writes bytes to a fresh file under the system's temporary directory and returns its path.
std::string xm_write_temp(const std::vector<uint8_t>& bytes, const char* name);
