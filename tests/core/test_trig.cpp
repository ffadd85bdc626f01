// Table sine, cosine and arctangent, and the square roots: exact values and accuracy.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/trig.h"

namespace {
constexpr float PI_F = 3.14159265f;
constexpr float HALF_PI_F = 1.5707963705f;
}  // namespace

TEST(TrigTables, SineTableKeyEntriesAndSymmetry)
{
    EXPECT_EQ(SineTable[0], 0.0f);
    EXPECT_EQ(SineTable[64], 1.0f);
    EXPECT_EQ(SineTable[128], 0.0f);
    EXPECT_EQ(SineTable[192], -1.0f);
    for (int i = 1; i < TRIG_TABLE_SIZE; i++) {
        EXPECT_EQ(SineTable[TRIG_TABLE_SIZE - i], -SineTable[i]) << i;
        EXPECT_NEAR(SineTable[i], std::sin(2.0 * M_PI * i / 256.0), 6e-8) << i;
    }
}

TEST(TrigTables, AtanTableEntries)
{
    EXPECT_EQ(AtanTable[0], 0.0f);
    EXPECT_NEAR(AtanTable[255], 0.78344f, 1e-5f);
    for (int i = 0; i < TRIG_TABLE_SIZE; i++) {
        EXPECT_EQ(AtanTable[i], static_cast<float>(std::atan(i / 256.0))) << i;
    }
}

TEST(FastSin, ExactAtTableSamples)
{
    EXPECT_EQ(fast_sin(0.0f), 0.0f);
    EXPECT_EQ(fast_cos(0.0f), 1.0f);
    EXPECT_NEAR(fast_sin(PI_F / 2), 1.0f, 1e-4f);
    EXPECT_NEAR(fast_cos(PI_F), -1.0f, 1e-4f);
}

TEST(FastSin, PinnedInterpolatedValues)
{
    // The interpolation is evaluated in double and rounded to float once.
    EXPECT_EQ(fast_sin(1.0f), 0x1.aecef8p-1f);
    EXPECT_EQ(fast_cos(1.0f), 0x1.149e6cp-1f);
    EXPECT_EQ(fast_sin(0.3f), 0x1.2e98bep-2f);
    EXPECT_EQ(fast_cos(2.5f), -0x1.9a2baep-1f);
    EXPECT_EQ(fast_sin(-7.25f), -0x1.a5631ap-1f);
    EXPECT_EQ(fast_cos(100.0f), 0x1.b979ccp-1f);
}

TEST(FastSin, FollowsTheCurveForNegativeArguments)
{
    // Negative arguments must interpolate between floor(t) and floor(t) + 1;
    // truncating toward zero would extrapolate and drift near the peaks.
    for (float x = -20.0f; x <= 20.0f; x += 0.01f) {
        EXPECT_NEAR(fast_sin(x), std::sin(x), 1.2e-4f) << x;
        EXPECT_NEAR(fast_cos(x), std::cos(x), 1.2e-4f) << x;
        EXPECT_NEAR(fast_sin(-x), -fast_sin(x), 1e-6f) << x;
    }
}

TEST(FastSin, HugeAndNonFiniteArgumentsAreDefined)
{
    EXPECT_EQ(fast_sin(1.0e30f), 0.0f);
    EXPECT_EQ(fast_cos(-1.0e30f), 1.0f);
    EXPECT_TRUE(std::isnan(fast_sin(std::numeric_limits<float>::infinity())));
}

TEST(FastAtan, TableLookupWithoutInterpolation)
{
    EXPECT_EQ(fast_atan(0.0f), 0.0f);
    EXPECT_EQ(fast_atan(0.5f), AtanTable[128]);
    EXPECT_EQ(fast_atan(0.501f), AtanTable[128]);
    EXPECT_EQ(fast_atan(0.99999994f), AtanTable[255]);
}

TEST(FastAtan, ArgumentsFromOneUpUseTheReciprocal)
{
    EXPECT_EQ(fast_atan(2.0f), HALF_PI_F - AtanTable[128]);
    EXPECT_EQ(fast_atan(-2.0f), -(HALF_PI_F - AtanTable[128]));
    EXPECT_EQ(fast_atan(1.0f), HALF_PI_F - AtanTable[255]);
    EXPECT_EQ(fast_atan(-1.0f), -(HALF_PI_F - AtanTable[255]));
    EXPECT_EQ(fast_atan(1.0e30f), HALF_PI_F);
    EXPECT_EQ(fast_atan(-std::numeric_limits<float>::infinity()), -HALF_PI_F);
}

TEST(FastAtan, NaNGivesAFiniteAngle)
{
    EXPECT_EQ(fast_atan(std::numeric_limits<float>::quiet_NaN()), HALF_PI_F - AtanTable[255]);
}

TEST(IntSqrt, FloorOfTheRoot)
{
    const int32_t roots[][2] = {{0x7FFFFFFF, 46340}, {15, 3}, {16, 4}, {0, 0}, {1, 1}, {-5, 0}, {INT32_MIN, 0}};
    for (const auto& [n, root] : roots) {
        EXPECT_EQ(int_sqrt(n), root) << n;
    }
}

TEST(IntSqrt, EveryPerfectSquareBoundary)
{
    for (int32_t k = 1; k <= 46340; k++) {
        const int32_t square = k * k;
        ASSERT_EQ(int_sqrt(square), k);
        ASSERT_EQ(int_sqrt(square - 1), k - 1);
    }
}

TEST(FastSqrt, ResolutionIsOneSixteenth)
{
    EXPECT_EQ(fast_sqrt(2.0f), 1.375f);
    EXPECT_EQ(fast_sqrt(4.0f), 2.0f);
    EXPECT_EQ(fast_sqrt(1.0f / 256.0f), 0.0625f);
    EXPECT_EQ(fast_sqrt(0.0039f), 0.0f);
    EXPECT_EQ(fast_sqrt(25.0f * 25.0f + 24.0f * 24.0f), 34.625f);  // sqrt(1201) = 34.655...
}

TEST(FastSqrt, AgreesWithIntSqrtAtEveryBoundary)
{
    // Up to 2^24 the scaled argument k / 256 is exact in float.
    for (int32_t k = 1; k <= 4096; k++) {
        const int32_t square = k * k;
        ASSERT_EQ(fast_sqrt(static_cast<float>(square) / 256.0f), static_cast<float>(int_sqrt(square)) / 16.0f);
        ASSERT_EQ(fast_sqrt(static_cast<float>(square - 1) / 256.0f), static_cast<float>(int_sqrt(square - 1)) / 16.0f);
    }
    EXPECT_EQ(fast_sqrt(8388607.5f), 2896.25f);  // x * 256 = 2^31 - 128
}

TEST(FastSqrt, BadAndHugeArguments)
{
    EXPECT_EQ(fast_sqrt(-1.0f), 0.0f);
    EXPECT_EQ(fast_sqrt(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    // Beyond int_sqrt's range (x * 256 >= 2^31) the root is still right.
    EXPECT_EQ(fast_sqrt(1.0e8f), 10000.0f);
    EXPECT_EQ(fast_sqrt(8388608.0f), 2896.25f);  // x * 256 = 2^31, root 46340.95
}
