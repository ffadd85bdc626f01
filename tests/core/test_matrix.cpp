// Matrix operations: identity, product order with row vectors, rotation directions, aliasing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/matrix.h"
#include "core/vector.h"

namespace {

constexpr float HALF_TURN_QUARTER = 1.57079637f;  // pi / 2

// v' = (x, y, z, 1) * m, the convention the pipeline transforms points by.
Vec3 transform(const Vec3& v, const Matrix4& m)
{
    Vec3 out;
    Fixed* dst[3] = {&out.x, &out.y, &out.z};
    for (int c = 0; c < 3; c++) {
        *dst[c] = fixed_mul(v.x, m.m[c]) + fixed_mul(v.y, m.m[4 + c]) + fixed_mul(v.z, m.m[8 + c]) + m.m[12 + c];
    }
    return out;
}

void expect_near(const Vec3& v, Fixed x, Fixed y, Fixed z)
{
    EXPECT_LE(std::abs(v.x - x), 1) << v.x;
    EXPECT_LE(std::abs(v.y - y), 1) << v.y;
    EXPECT_LE(std::abs(v.z - z), 1) << v.z;
}

Matrix4 odd_matrix()
{
    Matrix4 m;
    for (int i = 0; i < 16; i++) {
        m.m[i] = (i * 7919 - 50000) * (i % 3 == 0 ? -1 : 1);
    }
    return m;
}

}  // namespace

TEST(Mat4Identity, DiagonalOfOnes)
{
    Matrix4 m = odd_matrix();
    mat4_identity(m);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(m.m[i], i % 5 == 0 ? FIXED_ONE : 0) << i;
    }
}

TEST(Mat4Mul, IdentityOnEitherSideChangesNothing)
{
    const Matrix4 m = odd_matrix();
    Matrix4 id;
    mat4_identity(id);
    Matrix4 out;
    mat4_mul(out, id, m);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(out.m[i], m.m[i]) << i;
    }
    mat4_mul(out, m, id);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(out.m[i], m.m[i]) << i;
    }
}

TEST(Mat4Mul, LeftOperandAppliesFirst)
{
    Matrix4 move;
    Matrix4 turn;
    Matrix4 both;
    mat4_translation(move, FIXED_ONE, 0, 0);
    mat4_rotation_z(turn, HALF_TURN_QUARTER);
    mat4_mul(both, move, turn);
    // The origin is moved to (1, 0, 0), then turned a quarter to (0, 1, 0).
    expect_near(transform({0, 0, 0}, both), 0, FIXED_ONE, 0);
    mat4_mul(both, turn, move);
    expect_near(transform({0, 0, 0}, both), FIXED_ONE, 0, 0);
}

TEST(Mat4Mul, OutputMayAliasAnOperand)
{
    const Matrix4 a = odd_matrix();
    Matrix4 b;
    mat4_rotation_y(b, 0.7f);
    b.m[13] = 12345;
    Matrix4 expected;
    mat4_mul(expected, a, b);
    Matrix4 left = a;
    mat4_mul(left, left, b);
    Matrix4 right = b;
    mat4_mul(right, a, right);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(left.m[i], expected.m[i]) << i;
        EXPECT_EQ(right.m[i], expected.m[i]) << i;
    }
}

TEST(Mat4Translation, RowThree)
{
    Matrix4 m;
    mat4_translation(m, 1, -2, 3);
    EXPECT_EQ(m.m[12], 1);
    EXPECT_EQ(m.m[13], -2);
    EXPECT_EQ(m.m[14], 3);
    EXPECT_EQ(m.m[15], FIXED_ONE);
    EXPECT_EQ(m.m[3], 0);
    expect_near(transform({4096, 4096, 4096}, m), 4097, 4094, 4099);
}

TEST(Mat4Rotation, ElementsAreTableSineAndCosine)
{
    Matrix4 m;
    mat4_rotation_x(m, 0.5f);
    const Fixed c = fixed_from_float(0.87758f);
    const Fixed s = fixed_from_float(0.47943f);
    EXPECT_NEAR(m.m[5], c, 1);
    EXPECT_NEAR(m.m[6], s, 1);
    EXPECT_EQ(m.m[9], -m.m[6]);
    EXPECT_EQ(m.m[10], m.m[5]);
    EXPECT_EQ(m.m[0], FIXED_ONE);
    EXPECT_EQ(m.m[15], FIXED_ONE);
}

TEST(Mat4Rotation, QuarterTurnsMoveAxesTheRightWay)
{
    Matrix4 m;
    mat4_rotation_x(m, HALF_TURN_QUARTER);
    expect_near(transform({0, FIXED_ONE, 0}, m), 0, 0, FIXED_ONE);
    mat4_rotation_y(m, HALF_TURN_QUARTER);
    expect_near(transform({0, 0, FIXED_ONE}, m), FIXED_ONE, 0, 0);
    mat4_rotation_z(m, HALF_TURN_QUARTER);
    expect_near(transform({FIXED_ONE, 0, 0}, m), 0, FIXED_ONE, 0);
}
