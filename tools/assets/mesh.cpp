// The closed parts of the mesh kit. Each part checks its own winding by its signed volume and turns it outwards.
#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace {

constexpr float PI = 3.14159265f;

int32_t add_vertex(Mesh* mesh, V3 p, int32_t bone, float u, float v)
{
    mesh->rest.push_back(p);
    mesh->bone.push_back(bone);
    mesh->u.push_back(u);
    mesh->v.push_back(v);
    return static_cast<int32_t>(mesh->rest.size()) - 1;
}

void add_face(Mesh* mesh, int32_t a, int32_t b, int32_t c)
{
    mesh->faces.push_back({a, b, c});
}

// The part just added faces outwards whatever order its builder chose.
void face_outwards(Mesh* mesh, size_t first_face)
{
    if (signed_volume(*mesh, first_face) < 0.0f) {
        for (size_t i = first_face; i < mesh->faces.size(); i++) {
            std::swap(mesh->faces[i][1], mesh->faces[i][2]);
        }
    }
}

// u around a ring: 0 on top, 1 underneath, the same on both flanks.
float around_u(int32_t s, int32_t segments)
{
    const int32_t half = segments / 2;
    const int32_t k = s <= half ? s : segments - s;
    return static_cast<float>(k) / static_cast<float>(half);
}

// Joins ring a (segments vertices from first_a) to ring b.
void stitch_rings(Mesh* mesh, int32_t first_a, int32_t first_b, int32_t segments)
{
    for (int32_t s = 0; s < segments; s++) {
        const int32_t n = (s + 1) % segments;
        add_face(mesh, first_a + s, first_b + s, first_b + n);
        add_face(mesh, first_a + s, first_b + n, first_a + n);
    }
}

// Closes a ring with a cone to tip. The first ring of a part and its last
// one need opposite turns to match the faces stitched between the rings.
void fan(Mesh* mesh, int32_t tip, int32_t first, int32_t segments, bool last_ring)
{
    for (int32_t s = 0; s < segments; s++) {
        const int32_t a = first + s;
        const int32_t b = first + (s + 1) % segments;
        if (last_ring) {
            add_face(mesh, tip, b, a);
        } else {
            add_face(mesh, tip, a, b);
        }
    }
}

// Up and side directions across a tube whose axis is `along`.
void ring_frame(V3 along, V3* up, V3* side)
{
    const V3 reference = std::fabs(along.y) < 0.9f ? V3{0, 1, 0} : V3{0, 0, -1};
    *side = normalized(cross(along, reference));
    *up = normalized(cross(*side, along));
}

}  // namespace

V3 cross(V3 a, V3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(V3 a, V3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

V3 normalized(V3 a)
{
    const float length = std::sqrt(dot(a, a));
    return length > 0.0f ? a * (1.0f / length) : V3{0, 0, 0};
}

V3 lerp(V3 a, V3 b, float t)
{
    return a + (b - a) * t;
}

void add_tube(Mesh* mesh, const std::vector<TubeRing>& rings, int32_t segments, float start_cap, float end_cap,
              float v0, float v_step)
{
    const size_t first_face = mesh->faces.size();
    const auto count = static_cast<int32_t>(rings.size());
    std::vector<int32_t> starts;
    V3 first_axis{0, 0, 1};
    V3 last_axis{0, 0, 1};
    for (int32_t r = 0; r < count; r++) {
        const V3 before = rings[std::max(r - 1, 0)].centre;
        const V3 after = rings[std::min(r + 1, count - 1)].centre;
        const V3 along = normalized(after - before);
        first_axis = r == 0 ? along : first_axis;
        last_axis = along;
        V3 up;
        V3 side;
        ring_frame(along, &up, &side);
        starts.push_back(static_cast<int32_t>(mesh->rest.size()));
        for (int32_t s = 0; s < segments; s++) {
            const float a = 2.0f * PI * static_cast<float>(s) / static_cast<float>(segments);
            const V3 p =
                rings[r].centre + up * (std::cos(a) * rings[r].radius_up) + side * (std::sin(a) * rings[r].radius_side);
            add_vertex(mesh, p, rings[r].bone, around_u(s, segments), v0 + v_step * static_cast<float>(r));
        }
    }
    for (int32_t r = 0; r + 1 < count; r++) {
        stitch_rings(mesh, starts[r], starts[r + 1], segments);
    }
    const int32_t start_tip = add_vertex(mesh, rings[0].centre - first_axis * start_cap, rings[0].bone, 0.5f, v0);
    fan(mesh, start_tip, starts[0], segments, false);
    const int32_t end_tip = add_vertex(mesh, rings[count - 1].centre + last_axis * end_cap, rings[count - 1].bone, 0.5f,
                                       v0 + v_step * static_cast<float>(count));
    fan(mesh, end_tip, starts[count - 1], segments, true);
    face_outwards(mesh, first_face);
}

void add_ellipsoid(Mesh* mesh, V3 centre, V3 radii, int32_t rings, int32_t segments, int32_t bone, float v0, float v1)
{
    const size_t first_face = mesh->faces.size();
    const int32_t front = add_vertex(mesh, centre - V3{0, 0, radii.z}, bone, 0.5f, v0);
    std::vector<int32_t> starts;
    for (int32_t r = 1; r <= rings; r++) {
        const float t = static_cast<float>(r) / static_cast<float>(rings + 1);
        const float polar = PI * t;
        const float z = -std::cos(polar) * radii.z;
        const float k = std::sin(polar);
        starts.push_back(static_cast<int32_t>(mesh->rest.size()));
        for (int32_t s = 0; s < segments; s++) {
            const float a = 2.0f * PI * static_cast<float>(s) / static_cast<float>(segments);
            const V3 p = centre + V3{std::sin(a) * radii.x * k, std::cos(a) * radii.y * k, z};
            add_vertex(mesh, p, bone, around_u(s, segments), v0 + (v1 - v0) * t);
        }
    }
    const int32_t back = add_vertex(mesh, centre + V3{0, 0, radii.z}, bone, 0.5f, v1);
    fan(mesh, front, starts.front(), segments, false);
    for (size_t r = 0; r + 1 < starts.size(); r++) {
        stitch_rings(mesh, starts[r], starts[r + 1], segments);
    }
    fan(mesh, back, starts.back(), segments, true);
    face_outwards(mesh, first_face);
}

void add_quad_prism(Mesh* mesh, const std::array<float, 8>& corners, float z0, float z1, int32_t bone, float uv_scale)
{
    const size_t first_face = mesh->faces.size();
    int32_t near[4];
    int32_t far[4];
    for (int32_t i = 0; i < 4; i++) {
        const float x = corners[2 * i];
        const float y = corners[2 * i + 1];
        near[i] = add_vertex(mesh, V3{x, y, z0}, bone, x * uv_scale, -y * uv_scale);
        far[i] = add_vertex(mesh, V3{x, y, z1}, bone, x * uv_scale + 0.5f, -y * uv_scale);
    }
    add_face(mesh, near[0], near[1], near[2]);
    add_face(mesh, near[0], near[2], near[3]);
    add_face(mesh, far[0], far[2], far[1]);
    add_face(mesh, far[0], far[3], far[2]);
    for (int32_t i = 0; i < 4; i++) {
        const int32_t n = (i + 1) % 4;
        add_face(mesh, near[i], far[i], far[n]);
        add_face(mesh, near[i], far[n], near[n]);
    }
    face_outwards(mesh, first_face);
}

void add_box(Mesh* mesh, V3 centre, V3 half, int32_t bone, float uv_scale)
{
    const std::array<float, 8> quad = {centre.x - half.x, centre.y - half.y, centre.x + half.x, centre.y - half.y,
                                       centre.x + half.x, centre.y + half.y, centre.x - half.x, centre.y + half.y};
    add_quad_prism(mesh, quad, centre.z - half.z, centre.z + half.z, bone, uv_scale);
}

void add_geosphere(Mesh* mesh, int32_t levels, int32_t bone)
{
    const size_t first_face = mesh->faces.size();
    const auto base = static_cast<int32_t>(mesh->rest.size());
    const float g = 1.6180340f;
    // clang-format off
    const V3 corners[12] = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                            {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
    std::vector<std::array<int32_t, 3>> tris = {
        {0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4}, {11, 10, 2}, {10, 7, 6},
        {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8}, {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10},
        {8, 6, 7}, {9, 8, 1}};
    // clang-format on
    std::vector<V3> points(corners, corners + 12);
    for (V3& p : points) {
        p = normalized(p);
    }
    for (int32_t level = 0; level < levels; level++) {
        std::map<std::pair<int32_t, int32_t>, int32_t> middle;
        auto midpoint = [&](int32_t a, int32_t b) {
            const auto key = std::minmax(a, b);
            auto found = middle.find(key);
            if (found != middle.end()) {
                return found->second;
            }
            points.push_back(normalized(lerp(points[a], points[b], 0.5f)));
            const auto index = static_cast<int32_t>(points.size()) - 1;
            middle[key] = index;
            return index;
        };
        std::vector<std::array<int32_t, 3>> finer;
        for (const auto& t : tris) {
            const int32_t ab = midpoint(t[0], t[1]);
            const int32_t bc = midpoint(t[1], t[2]);
            const int32_t ca = midpoint(t[2], t[0]);
            finer.push_back({t[0], ab, ca});
            finer.push_back({t[1], bc, ab});
            finer.push_back({t[2], ca, bc});
            finer.push_back({ab, bc, ca});
        }
        tris = finer;
    }
    for (const V3& p : points) {
        add_vertex(mesh, p, bone, 0.5f + 0.5f * p.x, 0.5f - 0.5f * p.y);
    }
    for (const auto& t : tris) {
        add_face(mesh, base + t[0], base + t[1], base + t[2]);
    }
    face_outwards(mesh, first_face);
}

int32_t count_edges(const Mesh& mesh)
{
    std::set<std::pair<int32_t, int32_t>> edges;
    for (const auto& f : mesh.faces) {
        for (int32_t i = 0; i < 3; i++) {
            edges.insert(std::minmax(f[i], f[(i + 1) % 3]));
        }
    }
    return static_cast<int32_t>(edges.size());
}

float signed_volume(const Mesh& mesh, size_t first_face)
{
    float volume = 0.0f;
    for (size_t i = first_face; i < mesh.faces.size(); i++) {
        const V3 a = mesh.rest[mesh.faces[i][0]];
        const V3 b = mesh.rest[mesh.faces[i][1]];
        const V3 c = mesh.rest[mesh.faces[i][2]];
        volume += dot(a, cross(b, c));
    }
    return volume / 6.0f;
}
