// The keyboard: everything typed is read each frame, without blocking.
#pragma once
#include <cstdint>

constexpr int32_t KEY_NONE = -1;
constexpr int32_t KEY_ESCAPE = 27;
constexpr int32_t KEY_OTHER = 256;  // a key that is not a single byte (arrows, Alt+key, ...)

// Reads what is waiting without blocking and returns at most one key:
// KEY_NONE when nothing is waiting, KEY_ESCAPE for a lone Escape, a byte
// value for a plain key, KEY_OTHER for a sequence that was consumed whole.
int32_t platform_key_poll();

// Reads every key waiting (a long paste included) without blocking: KEY_ESCAPE
// when one of them was Escape, else the last one, KEY_NONE when none.
int32_t platform_key_poll_all();

// Whether standard input is a terminal: a wait for a key makes sense only
// then (an unattended run, with input from a file or nothing, would hang).
int32_t platform_keyboard_interactive();

// Headless back end and tests: queue bytes as if they had been typed.
void platform_key_inject(const char* bytes, int32_t length);
