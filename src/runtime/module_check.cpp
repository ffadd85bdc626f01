// Doubts about a module file that loads: a file cut short, or headers that claim more than the file holds.
#include "runtime/module_check.h"

#include <cstring>

namespace {

// The XM layout: a fixed header, then every pattern (its header, then its
// packed rows), then every instrument (its header, its sample headers, then
// the samples' data). Offsets and sizes are little-endian.
constexpr char XM_MAGIC[] = "Extended Module: ";
constexpr size_t XM_HEADER_SIZE_AT = 60;
constexpr size_t XM_PATTERN_COUNT_AT = 70;
constexpr size_t XM_INSTRUMENT_COUNT_AT = 72;
constexpr size_t PATTERN_PACKED_SIZE_AT = 7;
constexpr size_t INSTRUMENT_SAMPLE_COUNT_AT = 27;
constexpr size_t INSTRUMENT_SAMPLE_HEADER_SIZE_AT = 29;

// Reads past the end give 0 and mark the walk as gone beyond the file.
struct XmWalk {
    const uint8_t* data;
    size_t size;
    uint64_t at;  // where the walk stands; may lie beyond the file
    bool beyond;  // a header the walk needed lies (partly) beyond the file
};

uint32_t read_le(XmWalk* walk, uint64_t offset, int32_t bytes)
{
    if (offset + static_cast<uint64_t>(bytes) > walk->size) {
        walk->beyond = true;
        return 0;
    }
    uint32_t value = 0;
    for (int32_t i = bytes - 1; i >= 0; i--) {
        value = value << 8 | walk->data[offset + static_cast<uint64_t>(i)];
    }
    return value;
}

void walk_patterns(XmWalk* walk, uint32_t count)
{
    for (uint32_t i = 0; i < count && !walk->beyond; i++) {
        uint32_t header = read_le(walk, walk->at, 4);
        uint32_t packed = read_le(walk, walk->at + PATTERN_PACKED_SIZE_AT, 2);
        walk->at += static_cast<uint64_t>(header) + packed;
    }
}

void walk_instruments(XmWalk* walk, uint32_t count)
{
    for (uint32_t i = 0; i < count && !walk->beyond; i++) {
        uint64_t start = walk->at;
        uint32_t header = read_le(walk, start, 4);
        uint32_t samples = read_le(walk, start + INSTRUMENT_SAMPLE_COUNT_AT, 2);
        uint32_t sample_header = samples > 0 ? read_le(walk, start + INSTRUMENT_SAMPLE_HEADER_SIZE_AT, 4) : 0;
        walk->at = start + header;
        uint64_t data = 0;
        for (uint32_t s = 0; s < samples && !walk->beyond; s++) {
            data += read_le(walk, walk->at + static_cast<uint64_t>(s) * sample_header, 4);
        }
        walk->at += static_cast<uint64_t>(samples) * sample_header + data;
    }
}

}  // namespace

std::string module_size_doubt(const uint8_t* data, size_t size)
{
    if (size < XM_INSTRUMENT_COUNT_AT + 2 || std::memcmp(data, XM_MAGIC, sizeof(XM_MAGIC) - 1) != 0) {
        return std::string();
    }
    XmWalk walk = {data, size, 0, false};
    uint32_t patterns = read_le(&walk, XM_PATTERN_COUNT_AT, 2);
    uint32_t instruments = read_le(&walk, XM_INSTRUMENT_COUNT_AT, 2);
    walk.at = XM_HEADER_SIZE_AT + read_le(&walk, XM_HEADER_SIZE_AT, 4);
    walk_patterns(&walk, patterns);
    walk_instruments(&walk, instruments);
    if (!walk.beyond && walk.at <= size) {
        return std::string();
    }
    return "the file is cut short or its headers claim more than it holds (" + std::to_string(patterns) +
           " patterns, " + std::to_string(instruments) + " instruments in " + std::to_string(size) +
           " bytes); the music plays what there is";
}
