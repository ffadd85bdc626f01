// Text tokens to numbers the way the reader stores them, whatever the locale.
#include "graffiti/gml_number.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/text_number.h"

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Tokens hold at most 63 bytes, so a number can leave the double range only
// through its exponent: a negative one means it underflowed to zero. Only the
// number's own characters count ("9e900e-" overflows: its "e-" is trailing text).
double out_of_range_value(const char* first, const char* number_end, bool negative)
{
    for (const char* p = first; p + 1 < number_end; p++) {
        if ((*p == 'e' || *p == 'E') && p[1] == '-') {
            return negative ? -0.0 : 0.0;
        }
    }
    return negative ? -HUGE_VAL : HUGE_VAL;
}

}  // namespace

float gml_text_to_float(const char* text, int32_t length)
{
    const char* p = text;
    const char* last = text + length;
    while (p < last && is_blank(*p)) {
        p++;
    }
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        p++;
    }
    // A second sign is no number; from_chars would take a "-" here.
    if (p < last && (*p == '+' || *p == '-')) {
        return 0.0f;
    }
    double value = 0.0;
    std::from_chars_result result = text_to_real(p, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        return static_cast<float>(out_of_range_value(p, result.ptr, negative));
    }
    if (result.ec != std::errc()) {
        return 0.0f;
    }
    return static_cast<float>(negative ? -value : value);
}
