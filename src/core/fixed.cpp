// The out-of-line 20.12 operations: division and the exact int-by-float product.
#include "core/fixed.h"

Fixed fixed_div(Fixed a, Fixed b)
{
    if (b == 0) {
        // A trap here would take the terminal down with it; saturate instead.
        return a > 0 ? INT32_MAX : (a < 0 ? INT32_MIN : 0);
    }
    const int64_t scaled = static_cast<int64_t>(a) << FIXED_FRAC_BITS;  // 20.12 -> 40.24 numerator
    return static_cast<Fixed>(scaled / b);                              // low 32 bits, as the format wraps
}

int32_t mul_int_float(int32_t n, float x)
{
    // A 31-bit integer times a 24-bit mantissa fits the 64-bit mantissa of
    // long double exactly; double could round before the truncation.
    const long double product = static_cast<long double>(n) * static_cast<long double>(x);
    if (product > -2147483649.0L && product < 2147483648.0L) {
        return static_cast<int32_t>(product);
    }
    return INT32_MIN;
}
