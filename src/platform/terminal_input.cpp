// Turns the bytes a terminal sends for keys into one key at a time: lone
// Escape, plain bytes, and whole escape sequences (arrows, F-keys, Alt+key).
#include "platform/terminal_input.h"

#include <cstring>

#include "platform/keyboard.h"

namespace {

constexpr uint8_t ESC = 0x1b;

// The length of a key's bytes at the head of the queue. 0: the bytes so far
// may still be the start of a longer sequence.
struct Measure {
    int32_t length;
    int32_t key;
};

int32_t is_parameter(uint8_t byte)
{
    return byte >= 0x20 && byte <= 0x3f;  // parameter and intermediate bytes
}

int32_t is_final(uint8_t byte)
{
    return byte >= 0x40 && byte <= 0x7e;
}

// ESC [ params final, and the Linux console's F1-F5 as ESC [ [ letter.
// A control byte inside ends the sequence early (it belongs to the next key).
Measure measure_csi(const uint8_t* queue, int32_t length, int32_t start)
{
    int32_t i = start + 2;
    if (i < length && queue[i] == '[') {
        return i + 1 < length ? Measure{i + 2, KEY_OTHER} : Measure{0, KEY_NONE};
    }
    for (; i < length; i++) {
        if (i - start >= KEY_SEQUENCE_LIMIT) {
            return Measure{i, KEY_OTHER};
        }
        if (is_final(queue[i]) != 0) {
            return Measure{i + 1, KEY_OTHER};
        }
        if (is_parameter(queue[i]) == 0) {
            return Measure{i, KEY_OTHER};
        }
    }
    return Measure{0, KEY_NONE};
}

// ESC O final, with the parameters some terminals put before the final (ESC O 2 P).
Measure measure_ss3(const uint8_t* queue, int32_t length, int32_t start)
{
    for (int32_t i = start + 2; i < length; i++) {
        if (is_final(queue[i]) != 0) {
            return Measure{i + 1, KEY_OTHER};
        }
        if (queue[i] < 0x30 || queue[i] > 0x3f || i - start >= KEY_SEQUENCE_LIMIT) {
            return Measure{i, KEY_OTHER};
        }
    }
    return Measure{0, KEY_NONE};
}

Measure measure_escape(const uint8_t* queue, int32_t length)
{
    if (length < 2) {
        return Measure{0, KEY_NONE};
    }
    uint8_t next = queue[1];
    if (next == '[') {
        return measure_csi(queue, length, 0);
    }
    if (next == 'O') {
        return measure_ss3(queue, length, 0);
    }
    if (next != ESC) {
        return Measure{2, KEY_OTHER};  // Alt+key
    }
    // ESC ESC [ ... is Alt+arrow on some terminals; any other ESC ESC is the
    // Escape key pressed twice, and the first one counts.
    if (length < 3) {
        return Measure{0, KEY_NONE};
    }
    if (queue[2] == '[' || queue[2] == 'O') {
        Measure inner = queue[2] == '[' ? measure_csi(queue, length, 1) : measure_ss3(queue, length, 1);
        return inner;
    }
    return Measure{1, KEY_ESCAPE};
}

// The head did not complete in time: a lone (or doubled) Escape is the
// Escape key; anything longer is an unfinished sequence, dropped whole.
Measure resolve_timeout(const uint8_t* queue, int32_t length)
{
    if (length == 1 || (length == 2 && queue[1] == ESC)) {
        return Measure{1, KEY_ESCAPE};
    }
    return Measure{length, KEY_OTHER};
}

void consume(KeyParser* parser, int32_t count)
{
    parser->length -= count;
    std::memmove(parser->queue, parser->queue + count, static_cast<size_t>(parser->length));
    parser->waiting = 0;
}

}  // namespace

int32_t key_parser_space(const KeyParser* parser)
{
    return KEY_QUEUE_CAPACITY - parser->length;
}

int32_t key_parser_feed(KeyParser* parser, const uint8_t* bytes, int32_t length)
{
    int32_t take = length < key_parser_space(parser) ? length : key_parser_space(parser);
    if (take <= 0) {
        return 0;
    }
    std::memcpy(parser->queue + parser->length, bytes, static_cast<size_t>(take));
    parser->length += take;
    return take;
}

int32_t key_parser_next(KeyParser* parser, uint32_t now_ms)
{
    if (parser->length == 0) {
        return KEY_NONE;
    }
    if (parser->queue[0] != ESC) {
        int32_t key = parser->queue[0];
        consume(parser, 1);
        return key;
    }
    Measure measure = measure_escape(parser->queue, parser->length);
    if (measure.length == 0) {
        if (parser->waiting == 0) {
            parser->waiting = 1;
            parser->waiting_since_ms = now_ms;
            return KEY_NONE;
        }
        if (now_ms - parser->waiting_since_ms < KEY_ESCAPE_TIMEOUT_MS) {
            return KEY_NONE;
        }
        measure = resolve_timeout(parser->queue, parser->length);
    }
    consume(parser, measure.length);
    return measure.key;
}
