// The 20.12 conversions and arithmetic: rounding directions, wrapping, the division guard.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/fixed.h"

TEST(FixedConversion, FromFloatTruncatesTowardZero)
{
    EXPECT_EQ(fixed_from_float(-0.0001f), 0);
    EXPECT_EQ(fixed_from_float(-1.5f), -6144);
    EXPECT_EQ(fixed_from_float(1.5f), 6144);
    EXPECT_EQ(fixed_from_float(0.99999994f), 4095);
    EXPECT_EQ(fixed_from_float(-0.99999994f), -4095);
}

TEST(FixedConversion, FromFloatOutOfRangeIsDefined)
{
    EXPECT_EQ(fixed_from_float(1.0e10f), INT32_MIN);
    EXPECT_EQ(fixed_from_float(-1.0e10f), INT32_MIN);
    EXPECT_EQ(fixed_from_float(std::numeric_limits<float>::quiet_NaN()), INT32_MIN);
    EXPECT_EQ(fixed_from_float(-524288.0f), INT32_MIN);  // exactly -2^31 fits
}

TEST(FixedConversion, ToIntRoundsTowardMinusInfinity)
{
    EXPECT_EQ(fixed_to_int(-1), -1);
    EXPECT_EQ(fixed_to_int(-6144), -2);
    EXPECT_EQ(fixed_to_int(6144), 1);
    EXPECT_EQ(fixed_to_int(4095), 0);
}

TEST(FixedConversion, FromIntKeepsLow32Bits)
{
    EXPECT_EQ(fixed_from_int(-3), -12288);
    EXPECT_EQ(fixed_from_int(0x80000), INT32_MIN);
    EXPECT_EQ(fixed_from_int(0x100000), 0);
}

TEST(FixedConversion, ToFloat)
{
    EXPECT_EQ(fixed_to_float(-6144), -1.5f);
    EXPECT_EQ(fixed_to_float(1), 1.0f / 4096.0f);
    EXPECT_EQ(fixed_to_float(INT32_MIN), -524288.0f);
}

TEST(FixedArithmetic, SumsWrap)
{
    EXPECT_EQ(fixed_add(INT32_MAX, 1), INT32_MIN);
    EXPECT_EQ(fixed_sub(INT32_MIN, 1), INT32_MAX);
}

TEST(FixedMul, ShiftRoundsTowardMinusInfinity)
{
    EXPECT_EQ(fixed_mul(-1, 1), -1);
    EXPECT_EQ(fixed_mul(1, 1), 0);
    EXPECT_EQ(fixed_mul(6144, 6144), 9216);  // 1.5 * 1.5 = 2.25
    EXPECT_EQ(fixed_mul(-6144, 6144), -9216);
    EXPECT_EQ(fixed_mul(-2048, 1), -1);  // -0.5 * tiny rounds down, not to 0
}

TEST(FixedMul, ProductKeepsLow32Bits)
{
    // 2^30 * 2^14 >> 12 = 2^32: only the low 32 bits remain.
    EXPECT_EQ(fixed_mul(1 << 30, 1 << 14), 0);
    EXPECT_EQ(fixed_mul(1 << 30, 1 << 13), INT32_MIN);
}

TEST(FixedMul, QuickMatchesFullMultiply)
{
    const Fixed values[] = {0, 1, -1, 4096, -4096, 4095, 6144, -6144, 123456, INT32_MIN, INT32_MAX};
    for (Fixed a : values) {
        for (Fixed b : values) {
            EXPECT_EQ(fixed_mul_quick(a, b), fixed_mul(a, b)) << a << " * " << b;
        }
    }
    EXPECT_EQ(fixed_mul_quick(-77777, FIXED_ONE), -77777);
    EXPECT_EQ(fixed_mul_quick(FIXED_ONE, -77777), -77777);
}

TEST(FixedDiv, TruncatesTowardZero)
{
    EXPECT_EQ(fixed_div(4096, 0x20000), 128);  // 1 / 32
    EXPECT_EQ(fixed_div(-12288, 8192), -6144);
    EXPECT_EQ(fixed_div(1, 3), 1365);
    EXPECT_EQ(fixed_div(-1, 3), -1365);
    EXPECT_EQ(fixed_div(-1, 12288), 0);  // an arithmetic shift would give -1
}

TEST(FixedDiv, QuotientKeepsLow32Bits)
{
    EXPECT_EQ(fixed_div(0x100000, 1), 0);  // 256.0 / (1/4096) = 2^20: 2^32 units
}

TEST(FixedDiv, DivisionByZeroSaturatesInsteadOfTrapping)
{
    EXPECT_EQ(fixed_div(5, 0), INT32_MAX);
    EXPECT_EQ(fixed_div(-5, 0), INT32_MIN);
    EXPECT_EQ(fixed_div(0, 0), 0);
}

TEST(FixedScale, WholeCountProductWraps)
{
    EXPECT_EQ(fixed_scale(6144, 3), 18432);
    EXPECT_EQ(fixed_scale(-6144, 3), -18432);
    EXPECT_EQ(fixed_scale(0x40000000, 4), 0);
}

TEST(MulIntFloat, TruncatesTowardZero)
{
    EXPECT_EQ(mul_int_float(3, 0.5f), 1);
    EXPECT_EQ(mul_int_float(-3, 0.5f), -1);
    EXPECT_EQ(mul_int_float(160, 0.1f), 16);  // 0.1f is slightly above 0.1
}

TEST(MulIntFloat, ProductIsExactBeforeTruncation)
{
    // The exact product is 2130706306 - 2^-24; a double product rounds it up
    // to 2130706306 before the truncation.
    EXPECT_EQ(mul_int_float(2130706433, 0.99999994f), 2130706305);
    EXPECT_EQ(mul_int_float(-2130706433, 0.99999994f), -2130706305);
}

TEST(MulIntFloat, OutOfRangeIsDefined)
{
    EXPECT_EQ(mul_int_float(INT32_MAX, 2.0f), INT32_MIN);
    EXPECT_EQ(mul_int_float(1, std::numeric_limits<float>::quiet_NaN()), INT32_MIN);
}
