// Vector operations: aliasing, wrapping, normalisation of long, short and zero vectors.
#include <gtest/gtest.h>

#include "core/vector.h"

namespace {
void expect_vec(const Vec3& v, Fixed x, Fixed y, Fixed z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}
}  // namespace

TEST(Vec3Arithmetic, AddSubScale)
{
    const Vec3 a = {4096, -6144, 1};
    const Vec3 b = {1, 2, 3};
    Vec3 out;
    vec3_add(out, a, b);
    expect_vec(out, 4097, -6142, 4);
    vec3_sub(out, a, b);
    expect_vec(out, 4095, -6146, -2);
    vec3_scale(out, a, 2048);
    expect_vec(out, 2048, -3072, 0);
}

TEST(Vec3Arithmetic, OutputMayAliasAnInput)
{
    Vec3 a = {10, 20, 30};
    const Vec3 b = {1, 2, 3};
    vec3_sub(a, a, b);
    expect_vec(a, 9, 18, 27);
    Vec3 c = {0, 0, 4096};
    vec3_add(c, b, c);
    expect_vec(c, 1, 2, 4099);
}

TEST(Vec3Arithmetic, SumsWrap)
{
    const Vec3 a = {INT32_MAX, 0, 0};
    const Vec3 b = {1, 0, 0};
    Vec3 out;
    vec3_add(out, a, b);
    EXPECT_EQ(out.x, INT32_MIN);
}

TEST(Vec3Cross, RightHandedAxes)
{
    const Vec3 x = {4096, 0, 0};
    const Vec3 y = {0, 4096, 0};
    Vec3 out;
    vec3_cross(out, x, y);
    expect_vec(out, 0, 0, 4096);
    vec3_cross(out, y, x);
    expect_vec(out, 0, 0, -4096);
}

TEST(Vec3Cross, OutputMayAliasAnInput)
{
    Vec3 a = {4096, 8192, 12288};          // (1, 2, 3)
    const Vec3 b = {16384, 20480, 24576};  // (4, 5, 6)
    vec3_cross(a, a, b);
    expect_vec(a, -12288, 24576, -12288);  // (-3, 6, -3)
}

TEST(Vec3LengthSq, SumOfSquaresWraps)
{
    const Vec3 a = {4096, 8192, -12288};
    EXPECT_EQ(vec3_length_sq(a), 14 * 4096);
    const Vec3 big = {0x200000, 0x200000, 0x200000};  // 512 each: 3 * 2^30 wraps
    EXPECT_EQ(vec3_length_sq(big), -1073741824);
}

TEST(Vec3Normalize, ZeroVectorStaysZero)
{
    Vec3 v = {0, 0, 0};
    vec3_normalize(v);
    expect_vec(v, 0, 0, 0);
}

TEST(Vec3Normalize, QuotientsTruncate)
{
    Vec3 v = {3 * 4096, 0, 4 * 4096};
    vec3_normalize(v);
    expect_vec(v, 2457, 0, 3276);
    Vec3 n = {-3 * 4096, 0, -4 * 4096};
    vec3_normalize(n);
    expect_vec(n, -2457, 0, -3276);
}

TEST(Vec3Normalize, LongVectorsDoNotOverflow)
{
    // Length 500: its squared length does not fit the 20.12 range.
    Vec3 v = {300 * 4096, 400 * 4096, 0};
    vec3_normalize(v);
    expect_vec(v, 2457, 3276, 0);
}

TEST(Vec3Normalize, ShortestVector)
{
    Vec3 v = {0, -1, 0};
    vec3_normalize(v);
    expect_vec(v, 0, -4096, 0);
}
