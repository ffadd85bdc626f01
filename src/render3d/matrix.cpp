// 4 x 4 20.12 matrix construction and product.
#include "render3d/matrix.h"

#include "render3d/trig.h"

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

void mat4_rotation_x(Matrix4& m, float radians)
{
    const Fixed c = fixed_from_float(fast_cos(radians));
    const Fixed s = fixed_from_float(fast_sin(radians));
    mat4_identity(m);
    m.m[5] = c;
    m.m[6] = s;
    m.m[9] = -s;
    m.m[10] = c;
}

void mat4_rotation_y(Matrix4& m, float radians)
{
    const Fixed c = fixed_from_float(fast_cos(radians));
    const Fixed s = fixed_from_float(fast_sin(radians));
    mat4_identity(m);
    m.m[0] = c;
    m.m[2] = -s;
    m.m[8] = s;
    m.m[10] = c;
}

void mat4_rotation_z(Matrix4& m, float radians)
{
    const Fixed c = fixed_from_float(fast_cos(radians));
    const Fixed s = fixed_from_float(fast_sin(radians));
    mat4_identity(m);
    m.m[0] = c;
    m.m[1] = s;
    m.m[4] = -s;
    m.m[5] = c;
}
