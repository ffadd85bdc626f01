// A minimal XM module writer for tests: patterns of plain cells, one square-wave instrument.
#include "xm_writer.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t XM_HEADER_SIZE = 276;      // from the header-size field to the end of the order table
constexpr int32_t XM_INSTRUMENT_SIZE = 263;  // instrument header with its sample map and envelopes
constexpr int32_t XM_SAMPLE_HEADER_SIZE = 40;
constexpr int32_t SQUARE_LENGTH = 32;  // one period of the instrument's wave, 8-bit

void put8(std::vector<uint8_t>* out, int32_t value)
{
    out->push_back(static_cast<uint8_t>(value));
}

void put16(std::vector<uint8_t>* out, int32_t value)
{
    put8(out, value & 0xFF);
    put8(out, (value >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>* out, int32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, (value >> 16) & 0xFFFF);
}

void put_text(std::vector<uint8_t>* out, const char* text, int32_t size)
{
    int32_t length = static_cast<int32_t>(std::strlen(text));
    for (int32_t i = 0; i < size; i++)
        put8(out, i < length ? text[i] : 0);
}

void put_zeros(std::vector<uint8_t>* out, int32_t count)
{
    out->insert(out->end(), static_cast<size_t>(count), 0);
}

void put_header(std::vector<uint8_t>* out, const XmSong& song)
{
    put_text(out, "Extended Module: ", 17);
    put_text(out, "test song", 20);
    put8(out, 0x1A);
    put_text(out, "xm_writer", 20);
    put16(out, 0x0104);
    put32(out, XM_HEADER_SIZE);
    put16(out, static_cast<int32_t>(song.orders.size()));
    put16(out, song.restart);
    put16(out, song.channels);
    put16(out, static_cast<int32_t>(song.patterns.size()));
    put16(out, song.with_instrument ? 1 : 0);
    put16(out, 1);  // linear frequency table
    put16(out, song.speed);
    put16(out, song.bpm);
    for (int32_t i = 0; i < 256; i++)
        put8(out, i < static_cast<int32_t>(song.orders.size()) ? song.orders[i] : 0);
}

// Cells are written unpacked (five bytes each): simplest form every reader accepts.
void put_pattern(std::vector<uint8_t>* out, const XmPattern& pattern)
{
    put32(out, 9);  // pattern header length
    put8(out, 0);   // packing type
    put16(out, pattern.rows);
    put16(out, static_cast<int32_t>(pattern.cells.size()) * 5);
    for (const XmCell& cell : pattern.cells) {
        put8(out, cell.note);
        put8(out, cell.instrument);
        put8(out, cell.volume);
        put8(out, cell.effect);
        put8(out, cell.parameter);
    }
}

void put_instrument(std::vector<uint8_t>* out)
{
    size_t start = out->size();
    put32(out, XM_INSTRUMENT_SIZE);
    put_text(out, "square", 22);
    put8(out, 0);   // type
    put16(out, 1);  // samples
    put32(out, XM_SAMPLE_HEADER_SIZE);
    put_zeros(out, 96);             // every note plays sample 0
    put_zeros(out, 48 + 48);        // envelope points, unused
    put_zeros(out, 2 + 6 + 2 + 4);  // point counts, sustain/loop points, envelope types, vibrato
    put16(out, 0);                  // fade-out
    put_zeros(out, XM_INSTRUMENT_SIZE - static_cast<int32_t>(out->size() - start));

    put32(out, SQUARE_LENGTH);
    put32(out, 0);              // loop start
    put32(out, SQUARE_LENGTH);  // loop length
    put8(out, 48);              // volume
    put8(out, 0);               // finetune
    put8(out, 1);               // forward loop, 8-bit
    put8(out, 128);             // panning
    put8(out, 0);               // relative note
    put8(out, 0);
    put_text(out, "square", 22);

    // Delta-coded: only the two edges of the wave are non-zero steps.
    for (int32_t i = 0; i < SQUARE_LENGTH; i++) {
        int32_t delta = 0;
        if (i == 0)
            delta = 64;
        else if (i == SQUARE_LENGTH / 2)
            delta = -128;
        put8(out, delta & 0xFF);
    }
}

}  // namespace

XmSong xm_song(int32_t channels)
{
    XmSong song = {};
    song.channels = channels;
    song.speed = 6;
    song.bpm = 125;
    song.restart = 0;
    song.with_instrument = 1;
    return song;
}

int32_t xm_add_pattern(XmSong* song, int32_t rows)
{
    XmPattern pattern;
    pattern.rows = rows;
    pattern.cells.assign(static_cast<size_t>(rows * song->channels), XmCell{});
    song->patterns.push_back(pattern);
    return static_cast<int32_t>(song->patterns.size()) - 1;
}

XmCell* xm_cell(XmSong* song, int32_t pattern, int32_t row, int32_t channel)
{
    return &song->patterns[static_cast<size_t>(pattern)].cells[static_cast<size_t>(row * song->channels + channel)];
}

void xm_effect(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t effect, uint8_t parameter)
{
    XmCell* cell = xm_cell(song, pattern, row, channel);
    cell->effect = effect;
    cell->parameter = parameter;
}

void xm_sync(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t command)
{
    xm_effect(song, pattern, row, channel, XM_EFFECT_SYNC, command);
}

void xm_note(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t note)
{
    XmCell* cell = xm_cell(song, pattern, row, channel);
    cell->note = note;
    cell->instrument = 1;
}

std::vector<uint8_t> xm_build(const XmSong& song)
{
    std::vector<uint8_t> out;
    put_header(&out, song);
    for (const XmPattern& pattern : song.patterns)
        put_pattern(&out, pattern);
    if (song.with_instrument)
        put_instrument(&out);
    return out;
}

std::string xm_write_temp(const std::vector<uint8_t>& bytes, const char* name)
{
    const char* base = std::getenv("TMPDIR");
    std::string path = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/korvel-" +
                       std::to_string(static_cast<long>(getpid())) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}
