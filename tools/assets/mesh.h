// The mesh-building kit: closed parts (ellipsoids, tubes, boxes, extruded quads) bound to bones, with texture
// coordinates.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct V3 {
    float x, y, z;
};
inline V3 operator+(V3 a, V3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, float k)
{
    return {a.x * k, a.y * k, a.z * k};
}
V3 cross(V3 a, V3 b);
float dot(V3 a, V3 b);
V3 normalized(V3 a);
V3 lerp(V3 a, V3 b, float t);

// A mesh in its rest pose. Every part is closed and wound so that
// (b - a) x (c - a) points out of it.
struct Mesh {
    std::vector<V3> rest;
    std::vector<int32_t> bone;  // the bone that moves each vertex
    std::vector<float> u, v;    // texture units (1.0 = one texture width or height)
    std::vector<std::array<int32_t, 3>> faces;
};

// One ring of a tube: its centre, radii (up and side) and the bone it follows.
struct TubeRing {
    V3 centre;
    float radius_up;
    float radius_side;
    int32_t bone;
};

// A tube through the rings, closed at both ends by cones of the given lengths
// (0 makes a flat cap). Around the ring u runs 0 on top to 1 underneath and
// back, so the texture's left edge is the back and its right edge the belly;
// v runs along the rings from v0 by v_step per ring.
void add_tube(Mesh* mesh, const std::vector<TubeRing>& rings, int32_t segments, float start_cap, float end_cap,
              float v0, float v_step);
// An ellipsoid with its poles along z: rings of segments vertices between the two poles.
void add_ellipsoid(Mesh* mesh, V3 centre, V3 radii, int32_t rings, int32_t segments, int32_t bone, float v0, float v1);
// A prism: the quad (four corners in the xy plane, any order around) extruded from z0 to z1.
// Texture coordinates are the x and y positions times uv_scale.
void add_quad_prism(Mesh* mesh, const std::array<float, 8>& corners, float z0, float z1, int32_t bone, float uv_scale);
// A box from its centre and half sizes.
void add_box(Mesh* mesh, V3 centre, V3 half, int32_t bone, float uv_scale);
// An icosahedron split `levels` times, on the unit sphere around the origin.
void add_geosphere(Mesh* mesh, int32_t levels, int32_t bone);

// Distinct undirected edges of the faces.
int32_t count_edges(const Mesh& mesh);
// Signed volume of the faces from first_face on (positive when they face outwards).
float signed_volume(const Mesh& mesh, size_t first_face);
