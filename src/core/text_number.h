// Decimal text to floating point, whatever the locale: std::from_chars where
// the C++ library has it for floating point, else a checked strtod.
#pragma once
#include <charconv>

// As std::from_chars with the general format: no leading blanks, '+' or hex;
// on result_out_of_range the value is left as it was.
std::from_chars_result text_to_real(const char* first, const char* last, double& value);
std::from_chars_result text_to_real(const char* first, const char* last, float& value);

// The strtod path on its own (the libraries without a floating-point
// from_chars take it), so that it can be held to from_chars where both exist.
std::from_chars_result text_to_real_by_strtod(const char* first, const char* last, double& value);
std::from_chars_result text_to_real_by_strtod(const char* first, const char* last, float& value);
