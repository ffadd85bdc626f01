// 4 x 4 20.12 matrix construction and product.
#include "core/matrix.h"

#include "core/trig.h"

void mat4_identity(Matrix4& m)
{
    for (int i = 0; i < 16; i++) {
        m.m[i] = 0;
    }
    m.m[0] = FIXED_ONE;
    m.m[5] = FIXED_ONE;
    m.m[10] = FIXED_ONE;
    m.m[15] = FIXED_ONE;
}

void mat4_mul(Matrix4& out, const Matrix4& a, const Matrix4& b)
{
    // Built in a local so that out may be a or b.
    Matrix4 r;
    for (int row = 0; row < 4; row++) {
        for (int col = 0; col < 4; col++) {
            Fixed sum = 0;
            for (int k = 0; k < 4; k++) {
                sum = fixed_add(sum, fixed_mul_quick(a.m[row * 4 + k], b.m[k * 4 + col]));
            }
            r.m[row * 4 + col] = sum;
        }
    }
    out = r;
}

void mat4_translation(Matrix4& m, Fixed x, Fixed y, Fixed z)
{
    mat4_identity(m);
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
}

namespace {

// A turn in the plane of axes a and b (row vectors): a picks up s of b, b
// loses s of a. Every rotation is this with its own pair of axes.
void mat4_plane_rotation(Matrix4& m, float radians, int32_t a, int32_t b)
{
    const Fixed c = fixed_from_float(fast_cos(radians));
    const Fixed s = fixed_from_float(fast_sin(radians));
    mat4_identity(m);
    m.m[a * 4 + a] = c;
    m.m[a * 4 + b] = s;
    m.m[b * 4 + a] = -s;
    m.m[b * 4 + b] = c;
}

}  // namespace

void mat4_rotation_x(Matrix4& m, float radians)
{
    mat4_plane_rotation(m, radians, 1, 2);  // m[5] c, m[6] s, m[9] -s, m[10] c
}

void mat4_rotation_y(Matrix4& m, float radians)
{
    mat4_plane_rotation(m, radians, 2, 0);  // m[0] c, m[2] -s, m[8] s, m[10] c
}

void mat4_rotation_z(Matrix4& m, float radians)
{
    mat4_plane_rotation(m, radians, 0, 1);  // m[0] c, m[1] s, m[4] -s, m[5] c
}
