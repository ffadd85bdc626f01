// Reading the whitespace-separated numbers of the text model formats.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The unread rest of a model file.
struct TokenReader {
    const char* at;
    const char* end;
};

enum TokenResult : int32_t {
    TOKEN_OK = 0,
    TOKEN_MISSING = 1,  // the text ended first
    TOKEN_BAD = 2,      // a token that is not a number of the asked kind
};

TokenReader token_reader(const uint8_t* bytes, size_t size);

// The next run of non-blank characters; TOKEN_MISSING at the end.
TokenResult next_token(TokenReader& reader, std::string_view* token);

// An unsigned decimal number (digits with an optional '+') up to 2^32 - 1.
// A sign '-' makes the token bad rather than wrapping round.
TokenResult read_unsigned(TokenReader& reader, uint32_t* value);

// A decimal real with optional sign, fraction and exponent (also "inf" and
// "nan"), read the same whatever the program's locale.
TokenResult read_real(TokenReader& reader, float* value);
