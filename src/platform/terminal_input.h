// Turns the bytes a terminal sends for keys into one key at a time: lone
// Escape, plain bytes, and whole escape sequences (arrows, F-keys, Alt+key).
// Pure: the caller feeds bytes and passes the time.
#pragma once
#include <cstdint>

constexpr int32_t KEY_QUEUE_CAPACITY = 64;
// An Escape with nothing after it for this long is the Escape key itself.
constexpr uint32_t KEY_ESCAPE_TIMEOUT_MS = 50;
// Longer control sequences are junk: they are dropped whole.
constexpr int32_t KEY_SEQUENCE_LIMIT = 32;

struct KeyParser {
    uint8_t queue[KEY_QUEUE_CAPACITY];  // bytes read and not yet turned into keys
    int32_t length;
    int32_t waiting;            // 1: the head is an unfinished sequence, since waiting_since_ms
    uint32_t waiting_since_ms;  // a millisecond reading of the caller's clock
};

// The byte count key_parser_feed would take now.
int32_t key_parser_space(const KeyParser* parser);

// Queues bytes; those beyond the free space are dropped. Returns the count taken.
int32_t key_parser_feed(KeyParser* parser, const uint8_t* bytes, int32_t length);

// The next key (values of platform/keyboard.h): KEY_NONE when the queue is
// empty or its head may still grow into a longer sequence (given until
// now_ms - waiting_since_ms reaches KEY_ESCAPE_TIMEOUT_MS, wrap-safe).
int32_t key_parser_next(KeyParser* parser, uint32_t now_ms);
