// Terminal recordings in the asciicast v2 format: a header line, then one output event per frame.
#include "runtime/cast_writer.h"

#include <cstdio>
#include <cstring>

namespace {

// The longest piece put at once: an escaped byte or an event's opening.
constexpr int32_t PIECE_LIMIT = 64;

void flush(CastWriter* cast)
{
    output_file_write(&cast->file, cast->buffer, static_cast<size_t>(cast->used));
    cast->used = 0;
}

void put(CastWriter* cast, const char* text, int32_t length)
{
    if (cast->used + length > CAST_BUFFER_BYTES) {
        flush(cast);
    }
    std::memcpy(cast->buffer + cast->used, text, static_cast<size_t>(length));
    cast->used += length;
}

// JSON string escaping: the quote, the backslash and control bytes; UTF-8
// passes as it is.
void put_escaped(CastWriter* cast, const char* bytes, int32_t length)
{
    const char* hex = "0123456789abcdef";
    for (int32_t i = 0; i < length; i++) {
        auto byte = static_cast<uint8_t>(bytes[i]);
        if (cast->used + PIECE_LIMIT > CAST_BUFFER_BYTES) {
            flush(cast);
        }
        char* out = cast->buffer + cast->used;
        if (byte == '"' || byte == '\\') {
            out[0] = '\\';
            out[1] = static_cast<char>(byte);
            cast->used += 2;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::memcpy(out, "\\u00", 4);
            out[4] = hex[byte >> 4];
            out[5] = hex[byte & 15];
            cast->used += 6;
        } else {
            out[0] = static_cast<char>(byte);
            cast->used += 1;
        }
    }
}

}  // namespace

std::string cast_header(int32_t columns, int32_t rows)
{
    char line[160];
    std::snprintf(line, sizeof(line),
                  "{\"version\": 2, \"width\": %d, \"height\": %d, \"title\": \"korvel\", "
                  "\"env\": {\"TERM\": \"xterm-256color\"}}\n",
                  columns, rows);
    return line;
}

int32_t cast_open(CastWriter* cast, const char* path, int32_t columns, int32_t rows, std::string* why)
{
    cast->events = 0;
    cast->used = 0;
    if (!output_file_open(&cast->file, path, why)) {
        return 0;
    }
    std::string header = cast_header(columns, rows);
    put(cast, header.data(), static_cast<int32_t>(header.size()));
    return 1;
}

void cast_write_event(CastWriter* cast, int64_t time_ms, const char* bytes, int32_t length)
{
    char opening[PIECE_LIMIT];
    int32_t n = std::snprintf(opening, sizeof(opening), "[%lld.%03lld, \"o\", \"",
                              static_cast<long long>(time_ms / 1000), static_cast<long long>(time_ms % 1000));
    put(cast, opening, n);
    put_escaped(cast, bytes, length);
    put(cast, "\"]\n", 3);
    cast->events++;
}

int32_t cast_finish(CastWriter* cast, std::string* why)
{
    flush(cast);
    return output_file_commit(&cast->file, why);
}

void cast_abandon(CastWriter* cast)
{
    output_file_abandon(&cast->file);
}
