// Posing: a rigid transform per bone, composed down the hierarchy and applied to the bone's vertices.
#include "skeleton.h"

#include <cmath>

namespace {

struct Transform {
    float m[3][3];
    V3 t;
};

Transform identity()
{
    return Transform{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}};
}

V3 apply(const Transform& a, V3 p)
{
    return V3{a.m[0][0] * p.x + a.m[0][1] * p.y + a.m[0][2] * p.z + a.t.x,
              a.m[1][0] * p.x + a.m[1][1] * p.y + a.m[1][2] * p.z + a.t.y,
              a.m[2][0] * p.x + a.m[2][1] * p.y + a.m[2][2] * p.z + a.t.z};
}

// a after b: apply b first.
Transform compose(const Transform& a, const Transform& b)
{
    Transform out = identity();
    for (int32_t i = 0; i < 3; i++) {
        for (int32_t j = 0; j < 3; j++) {
            out.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    out.t = apply(a, b.t);
    return out;
}

// Yaw after pitch after roll.
Transform rotation(const BonePose& p)
{
    const float cy = std::cos(p.yaw), sy = std::sin(p.yaw);
    const float cp = std::cos(p.pitch), sp = std::sin(p.pitch);
    const float cr = std::cos(p.roll), sr = std::sin(p.roll);
    Transform yaw = identity();
    yaw.m[0][0] = cy;
    yaw.m[0][2] = sy;
    yaw.m[2][0] = -sy;
    yaw.m[2][2] = cy;
    Transform pitch = identity();
    pitch.m[1][1] = cp;
    pitch.m[1][2] = -sp;
    pitch.m[2][1] = sp;
    pitch.m[2][2] = cp;
    Transform roll = identity();
    roll.m[0][0] = cr;
    roll.m[0][1] = -sr;
    roll.m[1][0] = sr;
    roll.m[1][1] = cr;
    return compose(yaw, compose(pitch, roll));
}

Transform translation(V3 t)
{
    Transform out = identity();
    out.t = t;
    return out;
}

}  // namespace

int32_t add_bone(Skeleton* skeleton, int32_t parent, V3 joint)
{
    skeleton->parent.push_back(parent);
    skeleton->joint.push_back(joint);
    return static_cast<int32_t>(skeleton->joint.size()) - 1;
}

Pose rest_pose(const Skeleton& skeleton)
{
    return Pose(skeleton.joint.size(), BonePose{0, 0, 0, {0, 0, 0}});
}

Pose blend_poses(const Pose& a, const Pose& b, float t)
{
    Pose out = a;
    for (size_t i = 0; i < a.size(); i++) {
        out[i].yaw = a[i].yaw + (b[i].yaw - a[i].yaw) * t;
        out[i].pitch = a[i].pitch + (b[i].pitch - a[i].pitch) * t;
        out[i].roll = a[i].roll + (b[i].roll - a[i].roll) * t;
        out[i].shift = lerp(a[i].shift, b[i].shift, t);
    }
    return out;
}

std::vector<V3> posed_vertices(const Mesh& mesh, const Skeleton& skeleton, const Pose& pose)
{
    std::vector<Transform> world(skeleton.joint.size(), identity());
    for (size_t b = 0; b < skeleton.joint.size(); b++) {
        const V3 j = skeleton.joint[b];
        // Turn about the rest joint, then move, then follow the parent.
        Transform local = compose(translation(j + pose[b].shift), compose(rotation(pose[b]), translation(j * -1.0f)));
        world[b] = skeleton.parent[b] < 0 ? local : compose(world[skeleton.parent[b]], local);
    }
    std::vector<V3> out(mesh.rest.size());
    for (size_t i = 0; i < mesh.rest.size(); i++) {
        out[i] = apply(world[mesh.bone[i]], mesh.rest[i]);
    }
    return out;
}

float ease(float t)
{
    return t * t * (3.0f - 2.0f * t);
}
