// The diplodocus: long neck and tail on four pillar legs; a walk cycle, rearing up and the laser-firing pose.
#include <cmath>

#include "creature.h"

namespace {

constexpr float PI = 3.14159265f;
// The scenes shrink this model to a quarter at start-up: it is built at its
// shown size and written four times larger.
constexpr float FILE_SCALE = 4.0f;
constexpr int32_t WALK_FRAMES = 20;  // frames 0 .. 20, frame 20 = frame 0
constexpr int32_t STAND_FRAME = 27;
constexpr int32_t REARED_FRAME = 31;
constexpr int32_t FRAME_COUNT = 35;

struct Diplo : Body {
    Leg legs[4];  // front left, front right, hind left, hind right
};

Diplo build_diplo()
{
    Diplo d;
    // The body turns about the hind hips, so rearing keeps the hind feet down.
    d.root = add_bone(&d.skeleton, -1, V3{0, 28, 16});
    const std::vector<V3> neck = {{0, 36, -12}, {0, 41, -20}, {0, 48, -27}, {0, 56, -32},
                                  {0, 64, -36}, {0, 72, -40}, {0, 79, -44}, {0, 83, -48}};
    d.neck = add_chain(&d.skeleton, d.root, neck);
    d.head = add_bone(&d.skeleton, d.neck.back(), V3{0, 84, -50});
    // The head comes first: its front pole, vertex 0, is the snout tip the framing check follows.
    add_ellipsoid(&d.mesh, V3{0, 83.5f, -54}, V3{3.6f, 3.4f, 6.5f}, 4, 8, d.head, 0.0f, 1.0f);
    add_ellipsoid(&d.mesh, V3{0, 31, 4}, V3{11, 12, 23}, 7, 12, d.root, 0.0f, 1.0f);
    add_chain_tube(&d.mesh, neck, d.neck, {8.5f, 7.0f, 5.8f, 5.0f, 4.4f, 3.9f, 3.5f, 3.2f}, 1.0f, 10, 0.0f, 0.0f,
                   0.25f);
    const std::vector<V3> tail = {{0, 31, 24}, {0, 30, 33}, {0, 27, 42}, {0, 24, 51}, {0, 21, 60},
                                  {0, 18, 69}, {0, 16, 78}, {0, 14, 87}, {0, 13, 96}, {0, 12, 104}};
    d.tail = add_chain(&d.skeleton, d.root, tail);
    add_chain_tube(&d.mesh, tail, d.tail, {9.0f, 7.5f, 6.2f, 5.1f, 4.1f, 3.3f, 2.6f, 2.0f, 1.5f, 1.1f}, 1.0f, 8, 0.0f,
                   4.0f, 0.25f);
    const float xs[4] = {-7.0f, 7.0f, -7.5f, 7.5f};
    const float zs[4] = {-10.0f, -10.0f, 17.0f, 17.0f};
    for (int32_t i = 0; i < 4; i++) {
        const float top = i < 2 ? 4.6f : 5.6f;
        const V3 hip{xs[i], 24, zs[i]};
        d.legs[i] = add_leg(&d.mesh, &d.skeleton, d.root, hip, V3{xs[i], 12, zs[i] + (i < 2 ? 0.5f : -0.5f)},
                            V3{xs[i], 0, zs[i]}, top, 3.8f, 8);
    }
    return d;
}

Pose walk_pose(const Diplo& d, float phase)
{
    Pose p = rest_pose(d.skeleton);
    const float offsets[4] = {0.0f, PI, PI, 0.0f};  // diagonal pairs step together
    for (int32_t i = 0; i < 4; i++) {
        const float a = phase + offsets[i];
        p[d.legs[i].hip].pitch = 0.38f * std::sin(a);
        // The knee folds while the foot swings forward.
        p[d.legs[i].knee].pitch = -0.55f * std::max(0.0f, std::cos(a));
    }
    p[d.root].shift = V3{0, 0.7f * std::cos(2.0f * phase), 0};
    p[d.root].roll = 0.03f * std::sin(phase);
    for (size_t k = 0; k < d.neck.size(); k++) {
        p[d.neck[k]].yaw = 0.035f * std::sin(phase + 0.3f * static_cast<float>(k));
        p[d.neck[k]].pitch = 0.02f * std::sin(2.0f * phase + 0.4f * static_cast<float>(k));
    }
    for (size_t k = 0; k < d.tail.size(); k++) {
        p[d.tail[k]].yaw = 0.07f * std::sin(phase - 0.5f * static_cast<float>(k));
    }
    return p;
}

Pose stand_pose(const Diplo& d)
{
    Pose p = rest_pose(d.skeleton);
    for (size_t k = 0; k < d.neck.size(); k++) {
        p[d.neck[k]].pitch = 0.03f;
    }
    return p;
}

// Every neck joint turned by neck, the head by head; the tail's root follows
// the body's lean, its tip droops.
void bend_neck_and_tail(Pose* p, const Diplo& d, float neck, float head, float lean)
{
    for (size_t k = 0; k < d.neck.size(); k++) {
        (*p)[d.neck[k]].pitch = neck;
    }
    (*p)[d.head].pitch = head;
    for (size_t k = 0; k < d.tail.size(); k++) {
        (*p)[d.tail[k]].pitch = k < 3 ? -lean * 0.3f : -0.04f;
    }
}

// On the hind legs, leaning on the tail, front legs pawing the air.
Pose reared_pose(const Diplo& d, float lean, float neck_lift, float head_dip, float paw)
{
    Pose p = rest_pose(d.skeleton);
    p[d.root].pitch = lean;
    for (int32_t i = 2; i < 4; i++) {
        p[d.legs[i].hip].pitch = -lean;
    }
    for (int32_t i = 0; i < 2; i++) {
        p[d.legs[i].hip].pitch = 0.9f + paw * (i == 0 ? 1.0f : -1.0f);
        p[d.legs[i].knee].pitch = -1.1f;
    }
    bend_neck_and_tail(&p, d, neck_lift, head_dip, lean);
    return p;
}

// Braced on all four legs, the front of the body slightly raised, the neck
// lowered forward by neck_dip at every joint.
Pose firing_pose(const Diplo& d, float lean, float neck_dip, float head_dip)
{
    Pose p = rest_pose(d.skeleton);
    p[d.root].pitch = lean;
    for (int32_t i = 0; i < 4; i++) {
        p[d.legs[i].hip].pitch = -lean;
    }
    bend_neck_and_tail(&p, d, neck_dip, head_dip, lean);
    return p;
}

std::vector<Pose> diplo_poses(const Diplo& d)
{
    std::vector<Pose> poses;
    for (int32_t f = 0; f <= WALK_FRAMES; f++) {
        poses.push_back(walk_pose(d, 2.0f * PI * static_cast<float>(f % WALK_FRAMES) / WALK_FRAMES));
    }
    // 21 .. 27: from the walk into a calm stance.
    for (int32_t f = WALK_FRAMES + 1; f <= STAND_FRAME; f++) {
        const float t = static_cast<float>(f - WALK_FRAMES) / static_cast<float>(STAND_FRAME - WALK_FRAMES);
        poses.push_back(blend_poses(walk_pose(d, 0.0f), stand_pose(d), ease(t)));
    }
    // 28 .. 31: up on the hind legs.
    // Half up, not upright: the herd's cameras from below keep the heads in the frame.
    const Pose reared = reared_pose(d, 0.42f, 0.0f, 0.3f, 0.3f);
    for (int32_t f = STAND_FRAME + 1; f <= REARED_FRAME; f++) {
        const float t = static_cast<float>(f - STAND_FRAME) / static_cast<float>(REARED_FRAME - STAND_FRAME);
        Pose p = blend_poses(stand_pose(d), reared, ease(t));
        poses.push_back(p);
    }
    // 32 .. 34: down onto all fours with the neck thrust forward to fire, and
    // held low: the herd's close cameras frame the animals at walking height.
    poses.push_back(firing_pose(d, 0.3f, -0.08f, 0.3f));
    poses.push_back(firing_pose(d, 0.1f, -0.14f, 0.2f));
    poses.push_back(firing_pose(d, 0.1f, -0.135f, 0.15f));
    return poses;
}

}  // namespace

void generate_diplo(AssetSet* set)
{
    const Diplo d = build_diplo();
    const std::vector<Pose> poses = diplo_poses(d);
    add_model_file(set, "diplo.baf", d.mesh,
                   pose_frames(d.mesh, d.skeleton, poses, Placement{0.0f, V3{0, 12, 0}, FILE_SCALE}), true);
    static_assert(FRAME_COUNT == 35);
}
