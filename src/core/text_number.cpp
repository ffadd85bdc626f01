// Decimal text to floating point, whatever the locale.
#include "core/text_number.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Longer numbers are refused: they are no coordinate of any file we read.
constexpr size_t LONGEST_NUMBER = 127;

// The characters of decimal numbers and of "inf", "infinity" and "nan",
// which from_chars reads too; not those of hex.
bool is_number_char(char c)
{
    return (c >= '0' && c <= '9') || std::strchr(".eE+-iInNfFtTyYaA", c) != nullptr;
}

// strtod reads in the C locale only where nothing set another; the
// libraries that need this path run where nothing does. Only characters of
// a decimal number are handed to it, so hex stays refused as from_chars
// refuses it.
std::from_chars_result parse_double(const char* first, const char* last, double* value)
{
    char buffer[LONGEST_NUMBER + 1];
    size_t length = 0;
    while (first + length < last && length < LONGEST_NUMBER && is_number_char(first[length])) {
        length++;
    }
    if (length == 0 || first[0] == '+') {
        return {first, std::errc::invalid_argument};
    }
    std::memcpy(buffer, first, length);
    buffer[length] = '\0';
    errno = 0;
    char* end = nullptr;
    *value = std::strtod(buffer, &end);
    if (end == buffer) {
        return {first, std::errc::invalid_argument};
    }
    const char* stop = first + (end - buffer);
    return {stop, errno == ERANGE ? std::errc::result_out_of_range : std::errc()};
}

}  // namespace

std::from_chars_result text_to_real_by_strtod(const char* first, const char* last, double& value)
{
    double read = 0.0;
    std::from_chars_result result = parse_double(first, last, &read);
    if (result.ec == std::errc()) {
        value = read;
    }
    return result;
}

std::from_chars_result text_to_real_by_strtod(const char* first, const char* last, float& value)
{
    double read = 0.0;
    std::from_chars_result result = parse_double(first, last, &read);
    if (result.ec != std::errc()) {
        return result;
    }
    const float narrow = static_cast<float>(read);
    if ((std::isfinite(read) && std::fabs(read) > FLT_MAX) || (read != 0.0 && narrow == 0.0f)) {
        return {result.ptr, std::errc::result_out_of_range};
    }
    value = narrow;
    return result;
}

#if defined(__cpp_lib_to_chars)
std::from_chars_result text_to_real(const char* first, const char* last, double& value)
{
    return std::from_chars(first, last, value, std::chars_format::general);
}

std::from_chars_result text_to_real(const char* first, const char* last, float& value)
{
    return std::from_chars(first, last, value, std::chars_format::general);
}
#else
std::from_chars_result text_to_real(const char* first, const char* last, double& value)
{
    return text_to_real_by_strtod(first, last, value);
}

std::from_chars_result text_to_real(const char* first, const char* last, float& value)
{
    return text_to_real_by_strtod(first, last, value);
}
#endif
