// Writers the terminal encoders share: raw bytes and decimal parameters of escape
// sequences, each returning the position after what it wrote (no bounds: callers size
// their buffers for a whole frame).
#pragma once

#include <cstdint>
#include <cstring>

inline char* put_text(char* out, const char* text, int32_t length)
{
    std::memcpy(out, text, static_cast<size_t>(length));
    return out + length;
}

// value >= 0
inline int32_t digit_count(int32_t value)
{
    int32_t count = 1;
    while (value >= 10) {
        value /= 10;
        count++;
    }
    return count;
}

// value >= 0
inline char* put_number(char* out, int32_t value)
{
    int32_t count = digit_count(value);
    for (int32_t i = count - 1; i >= 0; i--) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}
