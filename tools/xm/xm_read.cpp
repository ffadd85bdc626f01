// Reads an XM module's file image into records; the instruments stay as raw bytes.
#include <cstdio>

#include "xm/xm_file.h"

namespace {

constexpr int32_t XM_FIXED_HEADER = 60;  // signature, name, tracker name, version
constexpr int32_t XM_MAX_ROWS = 256;

struct Reader {
    const std::vector<uint8_t>* bytes;
    size_t at;
    int32_t short_read;  // 1 once a read ran past the end
};

int32_t get8(Reader* reader)
{
    if (reader->at >= reader->bytes->size()) {
        reader->short_read = 1;
        return 0;
    }
    return (*reader->bytes)[reader->at++];
}

int32_t get16(Reader* reader)
{
    int32_t low = get8(reader);
    return low | (get8(reader) << 8);
}

int64_t get32(Reader* reader)
{
    int64_t low = get16(reader);
    return low | (static_cast<int64_t>(get16(reader)) << 16);
}

int32_t fail(std::string* why, const char* reason)
{
    *why = reason;
    return 0;
}

void read_packed_cell(Reader* reader, XmCell* cell)
{
    int32_t first = get8(reader);
    if (!(first & 0x80)) {
        cell->note = static_cast<uint8_t>(first);
        cell->instrument = static_cast<uint8_t>(get8(reader));
        cell->volume = static_cast<uint8_t>(get8(reader));
        cell->effect = static_cast<uint8_t>(get8(reader));
        cell->parameter = static_cast<uint8_t>(get8(reader));
        return;
    }
    cell->note = static_cast<uint8_t>(first & 1 ? get8(reader) : 0);
    cell->instrument = static_cast<uint8_t>(first & 2 ? get8(reader) : 0);
    cell->volume = static_cast<uint8_t>(first & 4 ? get8(reader) : 0);
    cell->effect = static_cast<uint8_t>(first & 8 ? get8(reader) : 0);
    cell->parameter = static_cast<uint8_t>(first & 16 ? get8(reader) : 0);
}

int32_t read_pattern(Reader* reader, XmSong* song, std::string* why)
{
    size_t start = reader->at;
    int64_t header_length = get32(reader);
    get8(reader);  // packing type, always 0
    int32_t rows = get16(reader);
    int32_t packed_size = get16(reader);
    if (reader->short_read || header_length < 9 || rows < 1 || rows > XM_MAX_ROWS) {
        return fail(why, "a pattern header is damaged");
    }
    reader->at = start + static_cast<size_t>(header_length);
    int32_t pattern = xm_add_pattern(song, rows);
    if (packed_size == 0) {
        return 1;  // an empty pattern stores no cells
    }
    size_t end = reader->at + static_cast<size_t>(packed_size);
    for (XmCell& cell : song->patterns[static_cast<size_t>(pattern)].cells) {
        read_packed_cell(reader, &cell);
    }
    if (reader->short_read || reader->at != end) {
        return fail(why, "a pattern's cells do not fill its stated size");
    }
    return 1;
}

}  // namespace

int32_t xm_parse(const std::vector<uint8_t>& bytes, XmSong* song, std::string* why)
{
    static const char SIGNATURE[] = "Extended Module: ";
    Reader reader = {&bytes, 0, 0};
    *song = XmSong{};
    if (bytes.size() < XM_FIXED_HEADER + 20 || std::string(bytes.begin(), bytes.begin() + 17) != SIGNATURE) {
        return fail(why, "not an XM module (no \"Extended Module: \" signature)");
    }
    song->name.assign(bytes.begin() + 17, bytes.begin() + 37);
    song->name.resize(song->name.find('\0') == std::string::npos ? song->name.size() : song->name.find('\0'));
    reader.at = XM_FIXED_HEADER;
    int64_t header_size = get32(&reader);
    int32_t length = get16(&reader);
    song->restart = get16(&reader);
    song->channels = get16(&reader);
    int32_t patterns = get16(&reader);
    song->instrument_count = get16(&reader);
    song->flags = get16(&reader);
    song->speed = get16(&reader);
    song->bpm = get16(&reader);
    if (reader.short_read || header_size < 20 + length || length > XM_MAX_ORDERS || patterns > XM_MAX_PATTERNS ||
        song->channels < 1 || song->channels > XM_MAX_CHANNELS) {
        return fail(why, "the module header is damaged");
    }
    for (int32_t i = 0; i < length; i++) {
        song->orders.push_back(static_cast<uint8_t>(get8(&reader)));
    }
    reader.at = XM_FIXED_HEADER + static_cast<size_t>(header_size);
    for (int32_t i = 0; i < patterns; i++) {
        if (!read_pattern(&reader, song, why)) {
            return 0;
        }
    }
    for (uint8_t order : song->orders) {
        if (order >= patterns) {
            return fail(why, "the order list names a pattern that does not exist");
        }
    }
    if (reader.at > bytes.size()) {
        return fail(why, "the module ends inside its patterns");
    }
    song->instrument_bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(reader.at), bytes.end());
    return 1;
}

int32_t xm_read_file(const char* path, std::vector<uint8_t>* bytes, std::string* why)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        *why = std::string(path) + ": cannot be opened";
        return 0;
    }
    bytes->clear();
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes->insert(bytes->end(), buffer, buffer + got);
    }
    int32_t failed = std::ferror(file);
    std::fclose(file);
    if (failed) {
        *why = std::string(path) + ": read error";
        return 0;
    }
    return 1;
}

int32_t xm_write_file(const char* path, const std::vector<uint8_t>& bytes, std::string* why)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        *why = std::string(path) + ": cannot be created";
        return 0;
    }
    size_t wrote = std::fwrite(bytes.data(), 1, bytes.size(), file);
    int32_t closed = std::fclose(file) == 0;
    if (wrote != bytes.size() || !closed) {
        *why = std::string(path) + ": write error";
        return 0;
    }
    return 1;
}
