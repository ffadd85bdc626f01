// Tokens and numbers of the text model formats, independent of the locale.
#include "render3d/model_text.h"

#include <charconv>
#include <limits>

#include "core/text_number.h"

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

TokenReader token_reader(const uint8_t* bytes, size_t size)
{
    const char* start = reinterpret_cast<const char*>(bytes);
    return TokenReader{start, start + size};
}

TokenResult next_token(TokenReader& reader, std::string_view* token)
{
    while (reader.at < reader.end && is_blank(*reader.at)) {
        reader.at++;
    }
    const char* first = reader.at;
    while (reader.at < reader.end && !is_blank(*reader.at)) {
        reader.at++;
    }
    if (first == reader.at) {
        return TOKEN_MISSING;
    }
    *token = std::string_view(first, static_cast<size_t>(reader.at - first));
    return TOKEN_OK;
}

namespace {

// The next token without one leading '+', which from_chars does not take.
TokenResult next_number_token(TokenReader& reader, std::string_view* token)
{
    const TokenResult result = next_token(reader, token);
    if (result == TOKEN_OK && token->size() > 1 && (*token)[0] == '+') {
        token->remove_prefix(1);
    }
    return result;
}

}  // namespace

TokenResult read_unsigned(TokenReader& reader, uint32_t* value)
{
    std::string_view token;
    if (next_number_token(reader, &token) != TOKEN_OK) {
        return TOKEN_MISSING;
    }
    const char* last = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), last, *value, 10);
    if (error != std::errc() || stop != last || token[0] == '-') {
        return TOKEN_BAD;
    }
    return TOKEN_OK;
}

TokenResult read_real(TokenReader& reader, float* value)
{
    std::string_view token;
    if (next_number_token(reader, &token) != TOKEN_OK) {
        return TOKEN_MISSING;
    }
    const char* last = token.data() + token.size();
    const auto [stop, error] = text_to_real(token.data(), last, *value);
    // Beyond float's range (1e99, 1e-99) is still a number: read it as a
    // double and let the conversion give infinity or zero, as a C reader would.
    if (error == std::errc::result_out_of_range) {
        double wide = 0.0;
        const auto [wide_stop, wide_error] = text_to_real(token.data(), last, wide);
        if (wide_error != std::errc() || wide_stop != last) {
            return TOKEN_BAD;
        }
        const double largest = std::numeric_limits<float>::max();
        const float infinity = std::numeric_limits<float>::infinity();
        *value = wide > largest ? infinity : (wide < -largest ? -infinity : static_cast<float>(wide));
        return TOKEN_OK;
    }
    if (error != std::errc() || stop != last) {
        return TOKEN_BAD;
    }
    return TOKEN_OK;
}
