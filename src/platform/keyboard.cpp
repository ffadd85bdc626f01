// The keyboard: one non-blocking read of the console driver per poll, into the key parser.
#include "platform/keyboard.h"

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/terminal_input.h"

namespace {

// Bytes typed (or injected) and not yet returned as keys; lives for the process.
KeyParser key_parser;

// Keys taken in one frame at most: far more than a terminal's input queue
// holds, yet a stream of input that never ends cannot keep a frame forever.
constexpr int32_t KEYS_PER_FRAME = 65536;

}  // namespace

int32_t platform_key_poll()
{
    uint8_t bytes[KEY_QUEUE_CAPACITY];
    int32_t count =
        console_driver->read_input == nullptr ? 0 : console_driver->read_input(bytes, key_parser_space(&key_parser));
    if (count > 0) {
        key_parser_feed(&key_parser, bytes, count);
    }
    // The real clock: a virtual clock standing still must not hold an Escape forever.
    return key_parser_next(&key_parser, platform_monotonic_ms());
}

int32_t platform_key_poll_all()
{
    int32_t seen = KEY_NONE;
    for (int32_t i = 0; i < KEYS_PER_FRAME; i++) {
        int32_t key = platform_key_poll();
        if (key == KEY_NONE || key == KEY_ESCAPE) {
            return key == KEY_ESCAPE ? key : seen;
        }
        seen = key;
    }
    return seen;
}

int32_t platform_keyboard_interactive()
{
    return console_driver->interactive == nullptr ? 0 : console_driver->interactive();
}

void platform_key_inject(const char* bytes, int32_t length)
{
    if (bytes == nullptr || length <= 0) {
        return;
    }
    key_parser_feed(&key_parser, reinterpret_cast<const uint8_t*>(bytes), length);
}
