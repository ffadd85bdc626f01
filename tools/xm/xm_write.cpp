// Writes an XM module's file image: header, packed patterns, instruments with 16-bit samples.
#include <cstring>

#include "xm/xm_file.h"

namespace {

constexpr int32_t XM_HEADER_SIZE = 276;      // from the header-size field to the end of the order table
constexpr int32_t XM_INSTRUMENT_SIZE = 263;  // instrument header with its sample map and envelopes
constexpr int32_t XM_SAMPLE_HEADER_SIZE = 40;
constexpr int32_t XM_ENVELOPE_POINTS = 12;
constexpr uint8_t XM_SAMPLE_16BIT = 0x10;

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

void put_text(std::vector<uint8_t>* out, const std::string& text, int32_t size)
{
    for (int32_t i = 0; i < size; i++) {
        put8(out, i < static_cast<int32_t>(text.size()) ? text[static_cast<size_t>(i)] : 0);
    }
}

void put_zeros(std::vector<uint8_t>* out, int32_t count)
{
    out->insert(out->end(), static_cast<size_t>(count), 0);
}

int32_t size32(size_t size)
{
    return static_cast<int32_t>(size);
}

void put_header(std::vector<uint8_t>* out, const XmSong& song)
{
    int32_t instruments = song.instrument_count > 0 ? song.instrument_count : size32(song.instruments.size());
    put_text(out, "Extended Module: ", 17);
    put_text(out, song.name, 20);
    put8(out, 0x1A);
    put_text(out, "korvel xm", 20);
    put16(out, 0x0104);
    put32(out, XM_HEADER_SIZE);
    put16(out, size32(song.orders.size()));
    put16(out, song.restart);
    put16(out, song.channels);
    put16(out, size32(song.patterns.size()));
    put16(out, instruments);
    put16(out, song.flags);
    put16(out, song.speed);
    put16(out, song.bpm);
    for (int32_t i = 0; i < XM_MAX_ORDERS; i++) {
        put8(out, i < size32(song.orders.size()) ? song.orders[static_cast<size_t>(i)] : 0);
    }
}

// Packed cell: a flag byte says which of the five fields follow; an empty cell is one byte.
void put_cell(std::vector<uint8_t>* out, const XmCell& cell)
{
    int32_t flags = 0x80;
    if (cell.note) {
        flags |= 1;
    }
    if (cell.instrument) {
        flags |= 2;
    }
    if (cell.volume) {
        flags |= 4;
    }
    if (cell.effect) {
        flags |= 8;
    }
    if (cell.parameter) {
        flags |= 16;
    }
    put8(out, flags);
    if (flags & 1) {
        put8(out, cell.note);
    }
    if (flags & 2) {
        put8(out, cell.instrument);
    }
    if (flags & 4) {
        put8(out, cell.volume);
    }
    if (flags & 8) {
        put8(out, cell.effect);
    }
    if (flags & 16) {
        put8(out, cell.parameter);
    }
}

void put_pattern(std::vector<uint8_t>* out, const XmPattern& pattern)
{
    std::vector<uint8_t> packed;
    for (const XmCell& cell : pattern.cells) {
        put_cell(&packed, cell);
    }
    put32(out, 9);  // pattern header length
    put8(out, 0);   // packing type
    put16(out, pattern.rows);
    put16(out, size32(packed.size()));
    out->insert(out->end(), packed.begin(), packed.end());
}

void put_envelope_points(std::vector<uint8_t>* out, const XmEnvelope& envelope)
{
    for (int32_t i = 0; i < XM_ENVELOPE_POINTS; i++) {
        XmEnvelopePoint point = {0, 0};
        if (i < size32(envelope.points.size())) {
            point = envelope.points[static_cast<size_t>(i)];
        }
        put16(out, point.tick);
        put16(out, point.value);
    }
}

void put_sample_header(std::vector<uint8_t>* out, const XmSample& sample)
{
    put32(out, size32(sample.data.size()) * 2);
    put32(out, sample.loop_start * 2);
    put32(out, sample.loop_length * 2);
    put8(out, sample.volume);
    put8(out, sample.finetune);
    put8(out, (sample.loop_type & 3) | XM_SAMPLE_16BIT);
    put8(out, sample.panning);
    put8(out, sample.relative_note);
    put8(out, 0);
    put_text(out, sample.name, 22);
}

// 16-bit sample data is stored as differences from the previous value.
void put_sample_data(std::vector<uint8_t>* out, const XmSample& sample)
{
    int16_t previous = 0;
    for (int16_t value : sample.data) {
        put16(out, static_cast<uint16_t>(value - previous));
        previous = value;
    }
}

void put_instrument(std::vector<uint8_t>* out, const XmInstrument& instrument)
{
    size_t start = out->size();
    const XmEnvelope& volume = instrument.volume_envelope;
    put32(out, XM_INSTRUMENT_SIZE);
    put_text(out, instrument.name, 22);
    put8(out, 0);   // type
    put16(out, 1);  // samples
    put32(out, XM_SAMPLE_HEADER_SIZE);
    put_zeros(out, 96);  // every note plays sample 0
    put_envelope_points(out, volume);
    put_envelope_points(out, XmEnvelope{});
    put8(out, size32(volume.points.size()));
    put8(out, 0);  // panning envelope points
    put8(out, volume.sustain);
    put8(out, volume.loop_start);
    put8(out, volume.loop_end);
    put_zeros(out, 3);  // panning envelope sustain and loop
    put8(out, volume.flags);
    put8(out, 0);  // panning envelope off
    put8(out, instrument.vibrato_type);
    put8(out, instrument.vibrato_sweep);
    put8(out, instrument.vibrato_depth);
    put8(out, instrument.vibrato_rate);
    put16(out, instrument.fadeout);
    put_zeros(out, XM_INSTRUMENT_SIZE - size32(out->size() - start));
    put_sample_header(out, instrument.sample);
    put_sample_data(out, instrument.sample);
}

}  // namespace

XmSong xm_empty_song(int32_t channels)
{
    XmSong song = {};
    song.channels = channels;
    song.speed = 6;
    song.bpm = 125;
    song.flags = 1;
    return song;
}

int32_t xm_add_pattern(XmSong* song, int32_t rows)
{
    XmPattern pattern;
    pattern.rows = rows;
    pattern.cells.assign(static_cast<size_t>(rows * song->channels), XmCell{});
    song->patterns.push_back(pattern);
    return size32(song->patterns.size()) - 1;
}

XmCell* xm_cell(XmSong* song, int32_t pattern, int32_t row, int32_t channel)
{
    return &song->patterns[static_cast<size_t>(pattern)].cells[static_cast<size_t>(row * song->channels + channel)];
}

const XmCell& xm_cell_at(const XmSong& song, int32_t pattern, int32_t row, int32_t channel)
{
    return song.patterns[static_cast<size_t>(pattern)].cells[static_cast<size_t>(row * song.channels + channel)];
}

void xm_add_channels(XmSong* song, int32_t count)
{
    int32_t wider = song->channels + count;
    for (XmPattern& pattern : song->patterns) {
        std::vector<XmCell> cells(static_cast<size_t>(pattern.rows * wider), XmCell{});
        for (int32_t row = 0; row < pattern.rows; row++) {
            for (int32_t channel = 0; channel < song->channels; channel++) {
                cells[static_cast<size_t>(row * wider + channel)] =
                    pattern.cells[static_cast<size_t>(row * song->channels + channel)];
            }
        }
        pattern.cells.swap(cells);
    }
    song->channels = wider;
}

std::vector<uint8_t> xm_build(const XmSong& song)
{
    std::vector<uint8_t> out;
    put_header(&out, song);
    for (const XmPattern& pattern : song.patterns) {
        put_pattern(&out, pattern);
    }
    if (song.instrument_count > 0) {
        out.insert(out.end(), song.instrument_bytes.begin(), song.instrument_bytes.end());
        return out;
    }
    for (const XmInstrument& instrument : song.instruments) {
        put_instrument(&out, instrument);
    }
    return out;
}
