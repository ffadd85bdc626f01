// The asteroid: a split icosahedron pushed in and out by noise into a lumpy rock of 10 to 12 units radius.
#include <cmath>

#include "creature.h"
#include "rng.h"

namespace {

constexpr float MIN_RADIUS = 10.0f;
constexpr float MAX_RADIUS = 12.0f;

// Lumps from a few random bumps on the sphere, then rescaled into the radius range.
std::vector<float> lumps(const std::vector<V3>& points)
{
    Rng rng = rng_seeded(1984);
    std::vector<V3> centres;
    std::vector<float> heights;
    for (int32_t i = 0; i < 14; i++) {
        centres.push_back(normalized(V3{rng_range(&rng, -1, 1), rng_range(&rng, -1, 1), rng_range(&rng, -1, 1)}));
        heights.push_back(rng_range(&rng, -1.0f, 1.0f));
    }
    std::vector<float> out;
    float low = 1e9f;
    float high = -1e9f;
    for (const V3& p : points) {
        float h = 0.0f;
        for (size_t i = 0; i < centres.size(); i++) {
            const float d = 1.0f - dot(p, centres[i]);
            h += heights[i] * std::exp(-d * 6.0f);
        }
        h += 0.15f * std::sin(p.x * 9.0f + p.y * 5.0f) * std::cos(p.z * 7.0f);
        low = std::min(low, h);
        high = std::max(high, h);
        out.push_back(h);
    }
    for (float& h : out) {
        h = MIN_RADIUS + (MAX_RADIUS - MIN_RADIUS) * (h - low) / (high - low);
    }
    return out;
}

}  // namespace

void generate_rock(AssetSet* set)
{
    Mesh mesh;
    add_geosphere(&mesh, 2, 0);
    const std::vector<float> radius = lumps(mesh.rest);
    for (size_t i = 0; i < mesh.rest.size(); i++) {
        // Texture repeats twice around, so the craters stay small.
        mesh.u[i] = 1.0f + mesh.rest[i].x + mesh.rest[i].z * 0.5f;
        mesh.v[i] = 1.0f + mesh.rest[i].y + mesh.rest[i].z * 0.5f;
        mesh.rest[i] = mesh.rest[i] * radius[i];
    }
    add_model_file(set, "rock.bof", mesh, {mesh.rest}, false);
}
