// Three-component 20.12 vector operations.
#include "core/vector.h"

#include <cmath>

// Each operation reads all inputs into locals before writing, so `out` may
// alias an input.

void vec3_sub(Vec3& out, const Vec3& a, const Vec3& b)
{
    const Vec3 r = {fixed_sub(a.x, b.x), fixed_sub(a.y, b.y), fixed_sub(a.z, b.z)};
    out = r;
}

void vec3_add(Vec3& out, const Vec3& a, const Vec3& b)
{
    const Vec3 r = {fixed_add(a.x, b.x), fixed_add(a.y, b.y), fixed_add(a.z, b.z)};
    out = r;
}

void vec3_scale(Vec3& out, const Vec3& a, Fixed k)
{
    const Vec3 r = {fixed_mul(a.x, k), fixed_mul(a.y, k), fixed_mul(a.z, k)};
    out = r;
}

Fixed vec3_length_sq(const Vec3& a)
{
    const Fixed yy = fixed_mul(a.y, a.y);
    const Fixed zz = fixed_mul(a.z, a.z);
    const Fixed xx = fixed_mul(a.x, a.x);
    return fixed_add(fixed_add(yy, zz), xx);
}

void vec3_cross(Vec3& out, const Vec3& a, const Vec3& b)
{
    const Vec3 r = {
        fixed_sub(fixed_mul(a.y, b.z), fixed_mul(a.z, b.y)),
        fixed_sub(fixed_mul(a.z, b.x), fixed_mul(a.x, b.z)),
        fixed_sub(fixed_mul(a.x, b.y), fixed_mul(a.y, b.x)),
    };
    out = r;
}

void vec3_normalize(Vec3& v)
{
    // The squared length of a 20.12 vector overflows 32 bits above a length
    // of about 181, so it is formed in float; the division stays 20.12.
    const float x = fixed_to_float(v.x);
    const float y = fixed_to_float(v.y);
    const float z = fixed_to_float(v.z);
    const float len2 = x * x + y * y + z * z;
    if (len2 == 0.0f) {
        return;
    }
    const Fixed len = fixed_from_float(static_cast<float>(std::sqrt(static_cast<double>(len2))));
    if (len == 0) {
        return;  // shorter than 1/4096: the division would blow up
    }
    v.x = fixed_div(v.x, len);
    v.y = fixed_div(v.y, len);
    v.z = fixed_div(v.z, len);
}
