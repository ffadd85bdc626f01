// Text tokens to numbers the way the reader stores them, whatever the locale.
#pragma once
#include <cstdint>

// The longest decimal number at the start of text (leading blanks skipped,
// an optional sign, "inf" and "nan" included), as a float; 0.0 when there is
// none. The decimal point is always ".", whatever locale the program runs in.
float gml_text_to_float(const char* text, int32_t length);
