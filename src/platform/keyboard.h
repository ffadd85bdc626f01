// The keyboard: one non-blocking poll per frame.
#pragma once
#include <cstdint>

constexpr int32_t KEY_NONE = -1;
constexpr int32_t KEY_ESCAPE = 27;
constexpr int32_t KEY_OTHER = 256;  // a key that is not a single byte (arrows, Alt+key, ...)

// Reads what is waiting without blocking and returns at most one key:
// KEY_NONE when nothing is waiting, KEY_ESCAPE for a lone Escape, a byte
// value for a plain key, KEY_OTHER for a sequence that was consumed whole.
int32_t platform_key_poll();

// Headless back end and tests: queue bytes as if they had been typed.
void platform_key_inject(const char* bytes, int32_t length);
