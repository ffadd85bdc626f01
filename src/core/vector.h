// Three-component 20.12 vectors: sums, differences, scaling, cross product, normalisation.
#pragma once
#include "core/fixed.h"

struct Vec3 {
    Fixed x;
    Fixed y;
    Fixed z;
};

// In every operation `out` may be the same record as an input.
void vec3_sub(Vec3& out, const Vec3& a, const Vec3& b);
void vec3_add(Vec3& out, const Vec3& a, const Vec3& b);

// Each component times k (20.12) with fixed_mul.
void vec3_scale(Vec3& out, const Vec3& a, Fixed k);

// y*y + z*z + x*x, each product with fixed_mul; wraps for lengths above
// about 181.
Fixed vec3_length_sq(const Vec3& a);

// a x b, each product with fixed_mul.
void vec3_cross(Vec3& out, const Vec3& a, const Vec3& b);

// Scales v to length FIXED_ONE in place. The length goes through float so it
// cannot overflow; a zero vector, or one shorter than 1/4096, is left as it is.
void vec3_normalize(Vec3& v);
