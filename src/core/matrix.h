// 4 x 4 matrices of 20.12 values for row vectors: identity, product, translation, rotations.
#pragma once
#include "core/fixed.h"

// Row-major, element index = row * 4 + column. Points are row vectors
// multiplied on the left (v' = v * M), so the translation sits in elements
// 12, 13, 14 and a * b applies a first, then b.
struct Matrix4 {
    Fixed m[16];
};

void mat4_identity(Matrix4& m);

// out = a * b, products with fixed_mul_quick, sums wrapping. `out` may be
// the same record as a or b.
void mat4_mul(Matrix4& out, const Matrix4& a, const Matrix4& b);

// Identity with (x, y, z) in row 3.
void mat4_translation(Matrix4& m, Fixed x, Fixed y, Fixed z);

// Rotations by an angle in radians, with c and s the table cosine and sine
// as 20.12. With row vectors: about x, (x, y, z) -> (x, y c - z s, y s + z c);
// about y, -> (x c + z s, y, z c - x s); about z, -> (x c - y s, x s + y c, z).
void mat4_rotation_x(Matrix4& m, float radians);
void mat4_rotation_y(Matrix4& m, float radians);
void mat4_rotation_z(Matrix4& m, float radians);
