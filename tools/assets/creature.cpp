// Chains, tubes and legs for the animals, and turning a list of poses into model frames.
#include "creature.h"

#include <cmath>

#include "model_writer.h"

std::vector<int32_t> add_chain(Skeleton* skeleton, int32_t parent, const std::vector<V3>& points)
{
    std::vector<int32_t> bones;
    for (const V3& p : points) {
        parent = add_bone(skeleton, parent, p);
        bones.push_back(parent);
    }
    return bones;
}

void add_chain_tube(Mesh* mesh, const std::vector<V3>& points, const std::vector<int32_t>& bones,
                    const std::vector<float>& radii, float flatten, int32_t segments, float start_cap, float end_cap,
                    float v_step)
{
    std::vector<TubeRing> rings;
    for (size_t k = 0; k < points.size(); k++) {
        rings.push_back(TubeRing{points[k], radii[k] * flatten, radii[k], bones[k]});
    }
    add_tube(mesh, rings, segments, start_cap, end_cap, 0.0f, v_step);
}

Leg add_leg(Mesh* mesh, Skeleton* skeleton, int32_t parent, V3 hip, V3 knee, V3 foot, float top, float bottom,
            int32_t segments)
{
    Leg leg;
    leg.hip = add_bone(skeleton, parent, hip);
    leg.knee = add_bone(skeleton, leg.hip, knee);
    const float mid = (top + bottom) * 0.5f;
    const std::vector<TubeRing> rings = {
        {hip + V3{0, top * 0.3f, 0}, top, top, leg.hip},
        {lerp(hip, knee, 0.5f), top * 0.9f, top * 0.9f, leg.hip},
        {knee, mid, mid, leg.knee},
        {lerp(knee, foot, 0.6f), bottom, bottom, leg.knee},
        {foot + V3{0, bottom * 0.4f, 0}, bottom * 1.15f, bottom * 1.3f, leg.knee},
    };
    add_tube(mesh, rings, segments, 0.0f, 0.0f, 0.0f, 0.25f);
    return leg;
}

std::vector<std::vector<V3>> pose_frames(const Mesh& mesh, const Skeleton& skeleton, const std::vector<Pose>& poses,
                                         const Placement& placement)
{
    const float c = std::cos(placement.yaw);
    const float s = std::sin(placement.yaw);
    std::vector<std::vector<V3>> frames;
    for (const Pose& pose : poses) {
        std::vector<V3> frame = posed_vertices(mesh, skeleton, pose);
        for (V3& p : frame) {
            const V3 turned{p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
            p = (turned + placement.offset) * placement.factor;
        }
        frames.push_back(frame);
    }
    return frames;
}

void add_model_file(AssetSet* set, const std::string& name, const Mesh& mesh,
                    const std::vector<std::vector<V3>>& frames, bool animated)
{
    add_text_file(set, name, model_file_text(mesh, frames, animated));
}
