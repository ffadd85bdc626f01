// The t-rex: big head and jaw, tiny arms, heavy legs and tail; sixteen short actions of three frames each.
#include <cmath>

#include "creature.h"

namespace {

constexpr int32_t FRAME_COUNT = 48;
constexpr int32_t ACTION_COUNT = 16;

struct Rex : Body {
    int32_t jaw;
    Leg legs[2];  // left (+x), right
    int32_t arms[2];
};

// One moment of an action, in a few numbers that drive every bone.
struct Act {
    float body_pitch;  // + lifts the chest
    float body_drop;   // units the body sinks
    float body_yaw;
    float neck_pitch;  // + raises the head, spread over the neck
    float neck_yaw;    // + turns the head to the animal's right (the cameras' side)
    float head_pitch;
    float jaw;         // opening, radians
    float tail_yaw;    // spread over the tail, growing towards the tip
    float tail_pitch;  // + lifts the tail
    float step;        // + left foot forward, - right foot forward
    float arms;
};

Rex build_rex()
{
    Rex r;
    r.root = add_bone(&r.skeleton, -1, V3{0, 32, 8});
    const std::vector<V3> neck = {{0, 39, -15}, {0, 44, -21}, {0, 48, -25}};
    r.neck = add_chain(&r.skeleton, r.root, neck);
    r.head = add_bone(&r.skeleton, r.neck.back(), V3{0, 51, -27});
    // The head comes first: its front pole, vertex 0, is the snout tip the framing check follows.
    add_ellipsoid(&r.mesh, V3{0, 53, -36}, V3{6.5f, 6.5f, 12}, 6, 10, r.head, 0.0f, 1.0f);
    add_ellipsoid(&r.mesh, V3{0, 34, 0}, V3{10, 12.5f, 19}, 7, 12, r.root, 0.0f, 1.0f);
    add_chain_tube(&r.mesh, neck, r.neck, {8.0f, 6.8f, 6.0f}, 1.1f, 10, 0.0f, 0.0f, 0.25f);
    add_ellipsoid(&r.mesh, V3{0, 56.5f, -33}, V3{5.5f, 3.5f, 5}, 3, 8, r.head, 0.0f, 0.5f);  // brow
    r.jaw = add_bone(&r.skeleton, r.head, V3{0, 49, -28});
    add_ellipsoid(&r.mesh, V3{0, 47.5f, -37}, V3{5.5f, 2.8f, 10.5f}, 5, 8, r.jaw, 0.0f, 1.0f);
    const std::vector<V3> tail = {{0, 36, 17}, {0, 35, 26}, {0, 33, 35}, {0, 31, 44},
                                  {0, 29, 53}, {0, 27, 62}, {0, 25, 70}, {0, 23, 78}};
    r.tail = add_chain(&r.skeleton, r.root, tail);
    add_chain_tube(&r.mesh, tail, r.tail, {10.5f, 9.0f, 7.4f, 5.9f, 4.6f, 3.4f, 2.4f, 1.6f}, 1.05f, 10, 0.0f, 4.0f,
                   0.25f);
    for (int32_t side = 0; side < 2; side++) {
        const float x = side == 0 ? 8.5f : -8.5f;
        r.legs[side] = add_leg(&r.mesh, &r.skeleton, r.root, V3{x, 30, 6}, V3{x, 16, 0}, V3{x, 0, 6}, 7.0f, 3.0f, 8);
        add_ellipsoid(&r.mesh, V3{x, 1.8f, 2}, V3{3.6f, 2.0f, 6.5f}, 3, 8, r.legs[side].knee, 0.8f, 1.0f);
        r.arms[side] = add_bone(&r.skeleton, r.root, V3{x * 0.75f, 31, -13});
        const std::vector<TubeRing> arm = {{V3{x * 0.75f, 31, -13}, 2.2f, 2.2f, r.arms[side]},
                                           {V3{x * 0.8f, 26, -17}, 1.6f, 1.6f, r.arms[side]},
                                           {V3{x * 0.8f, 24, -21}, 1.2f, 1.4f, r.arms[side]}};
        add_tube(&r.mesh, arm, 6, 0.0f, 1.5f, 0.0f, 0.3f);
    }
    return r;
}

Pose act_pose(const Rex& r, const Act& a)
{
    Pose p = rest_pose(r.skeleton);
    p[r.root].pitch = a.body_pitch;
    p[r.root].yaw = a.body_yaw;
    p[r.root].shift = V3{0, -a.body_drop, 0};
    const auto neck_count = static_cast<float>(r.neck.size());
    for (int32_t k : r.neck) {
        p[k].pitch = a.neck_pitch / neck_count;
        p[k].yaw = a.neck_yaw / neck_count;
    }
    p[r.head].pitch = a.head_pitch;
    p[r.jaw].pitch = -a.jaw;
    for (size_t k = 0; k < r.tail.size(); k++) {
        const float grow = 0.5f + static_cast<float>(k) / static_cast<float>(r.tail.size());
        p[r.tail[k]].yaw = a.tail_yaw * grow / static_cast<float>(r.tail.size());
        p[r.tail[k]].pitch = -(a.tail_pitch + a.body_pitch * 0.8f) * grow / static_cast<float>(r.tail.size()) * 2.0f;
    }
    for (int32_t side = 0; side < 2; side++) {
        const float forward = side == 0 ? a.step : -a.step;
        // Legs stay under the body when it pitches or sinks.
        p[r.legs[side].hip].pitch = -a.body_pitch + forward * 0.8f + a.body_drop * 0.05f;
        p[r.legs[side].knee].pitch = -std::max(0.0f, forward) * 0.9f - a.body_drop * 0.1f;
        p[r.arms[side]].pitch = a.arms * (side == 0 ? 1.0f : 0.7f);
    }
    return p;
}

// The start, peak and end of each action: frames 0-2 for the first, 3p-1 to
// 3p+1 for action p.
// clang-format off
const Act ACTIONS[ACTION_COUNT][3] = {
    // crouched, rising, alert with the head held low and turned to the camera: the
    // rising camera that plays this action finds the head at once and keeps it
    {{-0.12f, 5, 0, -0.3f, 0, -0.1f, 0, 0, 0.1f, 0, 0}, {0.0f, 3, 0, -0.1f, 0.1f, 0, 0.1f, 0, 0, 0, 0.3f},
     {0.0f, 2, 0, -0.12f, 0.2f, 0, 0.15f, 0, 0, 0, 0.2f}},
    // roar: the head goes up and the jaw opens wide
    {{0.0f, 2, 0, -0.12f, 0.2f, 0, 0.15f, 0, 0, 0, 0.2f}, {0.15f, 0, 0, 0.45f, 0, 0.1f, 0.55f, 0, 0, 0, 0.4f},
     {0.18f, 0, 0, 0.55f, 0, 0.15f, 0.75f, 0, 0.1f, 0, 0.5f}},
    // bite: back, lunge, snap shut
    {{0.05f, 0, 0, 0.3f, 0, 0.1f, 0.6f, 0, 0, 0, 0}, {-0.12f, 2, 0, -0.45f, 0, -0.2f, 0.75f, 0, 0.1f, 0.1f, 0.3f},
     {-0.1f, 2, 0, -0.4f, 0, -0.15f, 0, 0, 0.1f, 0.1f, 0}},
    // step with the left foot
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0.02f, -1, 0.05f, 0.05f, 0, 0, 0.05f, -0.2f, 0, 0.55f, 0},
     {0, 1, 0.08f, 0, 0, 0, 0, -0.3f, 0, 0.4f, 0}},
    // look to the left
    {{0, 0, 0, 0.05f, 0, 0, 0, 0, 0, 0, 0}, {0, 0, -0.05f, 0.15f, -0.55f, 0, 0.1f, 0.2f, 0, 0, 0},
     {0, 0, -0.08f, 0.1f, -0.75f, 0, 0, 0.3f, 0, 0, 0}},
    // look to the right, towards the camera
    {{0, 0, 0, 0.05f, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0.05f, 0.15f, 0.55f, 0, 0.1f, -0.2f, 0, 0, 0},
     {0, 0, 0.08f, 0.1f, 0.75f, 0, 0, -0.3f, 0, 0, 0}},
    // the tail swings left
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0.12f, 0, -0.2f, 0, 0, 1.1f, 0.2f, 0, 0},
     {0, 0, 0.1f, 0, -0.15f, 0, 0, 1.4f, 0.1f, 0, 0}},
    // the tail swings right
    {{0, 0, 0.1f, 0, -0.15f, 0, 0, 1.4f, 0.1f, 0, 0}, {0, 0, -0.1f, 0, 0.2f, 0, 0, -1.1f, 0.2f, 0, 0},
     {0, 0, -0.1f, 0, 0.15f, 0, 0, -1.4f, 0.1f, 0, 0}},
    // roars at the camera
    {{0, 0, 0, 0, 0.3f, 0, 0.1f, 0, 0, 0, 0}, {-0.05f, 1, 0.1f, -0.1f, 0.7f, 0, 0.65f, -0.3f, 0.15f, 0, 0.5f},
     {-0.08f, 1.5f, 0.12f, -0.15f, 0.8f, 0, 0.85f, -0.4f, 0.2f, 0, 0.6f}},
    // crouches low, ready to spring
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {-0.2f, 6, 0, -0.3f, 0, 0, 0.2f, 0, 0.3f, 0, 0.2f},
     {-0.22f, 7, 0, -0.35f, 0, 0.05f, 0.3f, 0, 0.35f, 0, 0.3f}},
    // roars at the sky
    {{0, 0, 0, 0.1f, 0, 0, 0.1f, 0, 0, 0, 0}, {0.3f, -1, 0, 0.7f, 0, 0.25f, 0.6f, 0, -0.2f, 0, 0.6f},
     {0.35f, -1, 0, 0.85f, 0, 0.3f, 0.85f, 0, -0.25f, 0, 0.7f}},
    // step with the right foot
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0.02f, -1, -0.05f, 0.05f, 0, 0, 0.05f, 0.2f, 0, -0.55f, 0},
     {0, 1, -0.08f, 0, 0, 0, 0, 0.3f, 0, -0.4f, 0}},
    // bites at the ground
    {{0, 0, 0, 0.1f, 0, 0, 0.4f, 0, 0, 0, 0}, {-0.25f, 3, 0, -0.7f, 0.1f, -0.3f, 0.7f, 0, 0.4f, 0, 0.3f},
     {-0.25f, 3, 0, -0.75f, 0.1f, -0.35f, 0, 0, 0.4f, 0, 0.3f}},
    // shakes its head
    {{0, 0, 0, 0.1f, -0.5f, 0, 0.3f, 0.3f, 0, 0, 0.4f}, {0, 0, 0, 0.1f, 0.55f, 0.1f, 0.4f, -0.4f, 0, 0, -0.4f},
     {0, 0, 0, 0.05f, -0.15f, 0, 0.2f, 0.1f, 0, 0, 0.2f}},
    // whips the tail up
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {-0.08f, 1, 0, -0.15f, 0, 0, 0.3f, 0.3f, 0.7f, 0, 0},
     {-0.1f, 1, 0, -0.1f, 0, 0, 0.2f, -0.2f, 0.9f, 0, 0}},
    // stamps: up, then down hard
    {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0.12f, -5, 0, 0.2f, 0, 0, 0.4f, 0, -0.2f, 0.45f, 0.6f},
     {-0.12f, 3, 0, -0.2f, 0, 0, 0.6f, 0, 0.2f, -0.1f, 0.3f}},
};
// clang-format on

std::vector<Pose> rex_poses(const Rex& r)
{
    std::vector<Pose> poses(FRAME_COUNT, act_pose(r, Act{}));
    for (int32_t p = 0; p < ACTION_COUNT; p++) {
        const int32_t first = p == 0 ? 0 : 3 * p - 1;
        for (int32_t k = 0; k < 3; k++) {
            // Frame 2 ends the first action and starts the second: the second's start is made equal to it.
            if (p == 1 && k == 0) {
                continue;
            }
            poses[first + k] = act_pose(r, ACTIONS[p][k]);
        }
    }
    return poses;
}

}  // namespace

void generate_trex(AssetSet* set)
{
    const Rex r = build_rex();
    add_model_file(set, "trex.baf", r.mesh,
                   pose_frames(r.mesh, r.skeleton, rex_poses(r), Placement{0, V3{0, 6, 0}, 0.94f}), true);
}
