// The XM module as records: header, order list, patterns of plain cells and instruments.
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

constexpr uint8_t XM_NOTE_OFF = 97;
constexpr int32_t XM_MAX_CHANNELS = 32;
constexpr int32_t XM_MAX_PATTERNS = 256;
constexpr int32_t XM_MAX_ORDERS = 256;

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

struct XmEnvelopePoint {
    uint16_t tick;
    uint16_t value;  // 0..64
};

// Envelope flags: 1 on, 2 sustain, 4 loop.
struct XmEnvelope {
    std::vector<XmEnvelopePoint> points;  // at most 12
    uint8_t sustain;
    uint8_t loop_start;
    uint8_t loop_end;
    uint8_t flags;
};

// A 16-bit sample; loop positions and lengths count samples, not bytes.
struct XmSample {
    std::string name;
    std::vector<int16_t> data;
    int32_t loop_start;
    int32_t loop_length;
    uint8_t loop_type;  // 0 none, 1 forward, 2 ping-pong
    uint8_t volume;     // 0..64
    int8_t finetune;    // -128..127, 1/128 semitone
    uint8_t panning;    // 0..255
    int8_t relative_note;
};

// An instrument of one sample that every note plays.
struct XmInstrument {
    std::string name;
    XmSample sample;
    XmEnvelope volume_envelope;
    uint16_t fadeout;
    uint8_t vibrato_type;
    uint8_t vibrato_sweep;
    uint8_t vibrato_depth;
    uint8_t vibrato_rate;
};

struct XmSong {
    std::string name;
    int32_t channels;
    int32_t speed;    // ticks per row at start
    int32_t bpm;      // tempo at start
    int32_t restart;  // order the song continues at after the last one
    int32_t flags;    // bit 0: linear frequency table
    std::vector<uint8_t> orders;
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
    // A read module keeps its instruments as the file held them, untouched:
    // when instrument_count > 0 these bytes are written instead of `instruments`.
    int32_t instrument_count;
    std::vector<uint8_t> instrument_bytes;
};

// An empty song of `channels` channels at speed 6, 125 BPM, linear frequencies.
XmSong xm_empty_song(int32_t channels);

// Appends an empty pattern of `rows` rows and returns its index.
int32_t xm_add_pattern(XmSong* song, int32_t rows);

XmCell* xm_cell(XmSong* song, int32_t pattern, int32_t row, int32_t channel);
const XmCell& xm_cell_at(const XmSong& song, int32_t pattern, int32_t row, int32_t channel);

// Adds `count` empty channels after the last one, in every pattern.
void xm_add_channels(XmSong* song, int32_t count);

// The file image of the song. Patterns are packed.
std::vector<uint8_t> xm_build(const XmSong& song);

// Reads a file image. Returns 1, or 0 with a one-line reason in *why.
int32_t xm_parse(const std::vector<uint8_t>& bytes, XmSong* song, std::string* why);

// Whole-file helpers: return 1, or 0 with the reason (and the path) in *why.
int32_t xm_read_file(const char* path, std::vector<uint8_t>* bytes, std::string* why);
int32_t xm_write_file(const char* path, const std::vector<uint8_t>& bytes, std::string* why);
