// The demo's emblem: the extruded letters of its name stacked into a tall sign, flying apart and assembling again.
#include <algorithm>
#include <cmath>

#include "creature.h"
#include "rng.h"

namespace {

constexpr int32_t FRAME_COUNT = 84;
constexpr int32_t SCATTERED_FRAME = 13;  // frame 0 assembled, 13 scattered, 83 assembled again
constexpr float UNIT = 5.5f;             // one cell of the letter grid
constexpr float STROKE = 1.3f;           // stroke width in cells
constexpr float DEPTH = 9.0f;
constexpr float LETTER_PITCH = 28.0f;  // from one letter to the next
constexpr float LETTER_BASE = 22.0f;   // height of the name's baseline
// The footprint above the name, its centre and size.
constexpr float PRINT_X = 22.0f;
constexpr float PRINT_Y = 140.0f;
constexpr float PRINT_SIZE = 36.0f;

struct Stroke {
    float x0, y0, x1, y1;
};

// Letters on a 4 x 6 grid, y up.
struct Letter {
    char code;
    std::vector<Stroke> strokes;
};

// clang-format off
const Letter LETTERS[] = {
    {'K', {{0, 0, 0, 6}, {0, 2.6f, 4, 6}, {1.2f, 3.4f, 4, 0}}},
    {'O', {{0, 0, 0, 6}, {4, 0, 4, 6}, {0, 0, 4, 0}, {0, 6, 4, 6}}},
    {'R', {{0, 0, 0, 6}, {0, 6, 4, 6}, {4, 6, 4, 3}, {0, 3, 4, 3}, {1.5f, 3, 4, 0}}},
    {'V', {{0, 6, 2, 0}, {4, 6, 2, 0}}},
    {'E', {{0, 0, 0, 6}, {0, 6, 4, 6}, {0, 3, 3, 3}, {0, 0, 4, 0}}},
    {'L', {{0, 0, 0, 6}, {0, 0, 4, 0}}},
};
// clang-format on

// A stroke as a prism around its centre line, ends squared off by half a stroke.
void add_stroke(Mesh* mesh, const Stroke& s, V3 origin, int32_t bone)
{
    const float dx = s.x1 - s.x0;
    const float dy = s.y1 - s.y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    const float ux = dx / length * STROKE * 0.5f;
    const float uy = dy / length * STROKE * 0.5f;
    const float ax = s.x0 - ux;
    const float ay = s.y0 - uy;
    const float bx = s.x1 + ux;
    const float by = s.y1 + uy;
    const std::array<float, 8> quad = {origin.x + (ax + uy) * UNIT, origin.y + (ay - ux) * UNIT,
                                       origin.x + (bx + uy) * UNIT, origin.y + (by - ux) * UNIT,
                                       origin.x + (bx - uy) * UNIT, origin.y + (by + ux) * UNIT,
                                       origin.x + (ax - uy) * UNIT, origin.y + (ay + ux) * UNIT};
    add_quad_prism(mesh, quad, origin.z - DEPTH * 0.5f, origin.z + DEPTH * 0.5f, bone, 1.0f / 64.0f);
}

struct Sign {
    Mesh mesh;
    Skeleton skeleton;
    std::vector<int32_t> bones;  // one per letter, plus the plinth
};

// A three-toed footprint: a heel and three toes spreading upwards, each a
// tapered prism, on a post that stands on the name.
void add_footprint(Mesh* mesh, int32_t bone)
{
    const float k = PRINT_SIZE;
    auto quad = [&](float ax, float ay, float bx, float by, float cx, float cy, float dx, float dy) {
        const std::array<float, 8> q = {PRINT_X + ax * k, PRINT_Y + ay * k, PRINT_X + bx * k, PRINT_Y + by * k,
                                        PRINT_X + cx * k, PRINT_Y + cy * k, PRINT_X + dx * k, PRINT_Y + dy * k};
        add_quad_prism(mesh, q, -DEPTH * 0.5f, DEPTH * 0.5f, bone, 1.0f / 64.0f);
    };
    quad(-0.35f, -0.55f, 0.35f, -0.55f, 0.42f, -0.05f, -0.42f, -0.05f);  // heel
    quad(-0.2f, -0.1f, 0.2f, -0.1f, 0.1f, 1.0f, -0.1f, 1.0f);            // middle toe
    quad(-0.42f, -0.2f, -0.12f, 0.0f, -0.62f, 0.72f, -0.8f, 0.6f);       // left toe
    quad(0.12f, 0.0f, 0.42f, -0.2f, 0.8f, 0.6f, 0.62f, 0.72f);           // right toe
    add_box(mesh, V3{PRINT_X, (LETTER_BASE + 6 * UNIT + PRINT_Y - 0.55f * k) * 0.5f, 9},
            V3{4.0f, (PRINT_Y - 0.55f * k - LETTER_BASE - 6 * UNIT) * 0.5f + 6.0f, 4.0f}, bone, 1.0f / 64.0f);
    // The plate behind the print: large and flat, so the depth shading
    // greys it and the raised print stands out light against it.
    const float r = k * 1.05f;
    const float c = r * 0.41f;
    const std::array<float, 8> top = {PRINT_X - r, PRINT_Y + c + 8, PRINT_X - c, PRINT_Y + r + 8,
                                      PRINT_X + c, PRINT_Y + r + 8, PRINT_X + r, PRINT_Y + c + 8};
    const std::array<float, 8> bottom = {PRINT_X - r, PRINT_Y - c + 8, PRINT_X + r, PRINT_Y - c + 8,
                                         PRINT_X + c, PRINT_Y - r + 8, PRINT_X - c, PRINT_Y - r + 8};
    const std::array<float, 8> middle = {PRINT_X - r, PRINT_Y - c + 8, PRINT_X + r, PRINT_Y - c + 8,
                                         PRINT_X + r, PRINT_Y + c + 8, PRINT_X - r, PRINT_Y + c + 8};
    for (const auto& q : {top, bottom, middle}) {
        add_quad_prism(mesh, q, DEPTH * 0.5f, DEPTH * 1.5f, bone, 1.0f / 64.0f);
    }
}

// Three claw slashes to the footprint's upper left, on a plate of their own.
void add_claw_marks(Mesh* mesh, int32_t bone)
{
    for (int32_t i = 0; i < 3; i++) {
        const float x = -126.0f + 14.0f * static_cast<float>(i);
        const std::array<float, 8> slash = {x, 180, x + 6, 184, x + 34, 122, x + 30, 118};
        add_quad_prism(mesh, slash, -DEPTH * 0.5f, DEPTH * 0.5f, bone, 1.0f / 64.0f);
    }
    add_box(mesh, V3{-102, 151, DEPTH}, V3{30, 38, DEPTH * 0.5f}, bone, 1.0f / 64.0f);
}

Sign build_sign()
{
    Sign s;
    const int32_t count = static_cast<int32_t>(std::size(LETTERS));
    for (int32_t i = 0; i < count; i++) {
        const float left = -0.5f * (LETTER_PITCH * static_cast<float>(count - 1) + 4 * UNIT);
        const V3 origin{left + LETTER_PITCH * static_cast<float>(i), LETTER_BASE, 0.0f};
        const int32_t bone = add_bone(&s.skeleton, -1, origin + V3{2 * UNIT, 3 * UNIT, 0});
        s.bones.push_back(bone);
        for (const Stroke& stroke : LETTERS[i].strokes) {
            add_stroke(&s.mesh, stroke, origin, bone);
        }
    }
    const int32_t print = add_bone(&s.skeleton, -1, V3{PRINT_X, PRINT_Y, 0});
    s.bones.push_back(print);
    add_footprint(&s.mesh, print);
    add_claw_marks(&s.mesh, print);
    // The slab the name stands on, flat behind the letters for the same reason as the footprint's plate.
    const int32_t slab = add_bone(&s.skeleton, -1, V3{0, 38, 9});
    s.bones.push_back(slab);
    add_box(&s.mesh, V3{0, LETTER_BASE + 3 * UNIT, DEPTH}, V3{94, 3 * UNIT + 14, DEPTH * 0.5f}, slab, 1.0f / 64.0f);
    return s;
}

// Every letter's place when the sign has burst: far off, turned over.
Pose scattered_pose(const Sign& s)
{
    Pose p = rest_pose(s.skeleton);
    Rng rng = rng_seeded(84);
    for (size_t i = 0; i + 2 < s.bones.size(); i++) {
        BonePose& b = p[s.bones[i]];
        const float side = (i % 2 == 0) ? 1.0f : -1.0f;
        b.shift = V3{side * rng_range(&rng, 30, 70), rng_range(&rng, -10, 45), rng_range(&rng, -90, -30)};
        b.yaw = rng_range(&rng, -2.5f, 2.5f);
        b.pitch = rng_range(&rng, -1.5f, 1.5f);
        b.roll = rng_range(&rng, -2.0f, 2.0f);
    }
    BonePose& print = p[s.bones[s.bones.size() - 2]];
    print.shift = V3{-40, 120, 80};
    print.yaw = 3.0f;
    print.roll = 1.0f;
    // The slab stays: the flying letters show light against its grey, where
    // against the white ground alone they would not show at all.
    return p;
}

std::vector<Pose> sign_poses(const Sign& s)
{
    const Pose whole = rest_pose(s.skeleton);
    const Pose burst = scattered_pose(s);
    std::vector<Pose> poses;
    for (int32_t f = 0; f < FRAME_COUNT; f++) {
        Pose p = whole;
        if (f <= SCATTERED_FRAME) {
            p = blend_poses(whole, burst, ease(static_cast<float>(f) / SCATTERED_FRAME));
        } else {
            // The letters come home from left to right, the footprint last.
            const float t =
                static_cast<float>(f - SCATTERED_FRAME) / static_cast<float>(FRAME_COUNT - 1 - SCATTERED_FRAME);
            for (size_t i = 0; i < s.bones.size(); i++) {
                const float order = i + 1 == s.bones.size() ? 0.0f : static_cast<float>(i + 1);
                const float start = order * 0.04f;
                const float local = std::clamp((t - start) / 0.4f, 0.0f, 1.0f);
                p[s.bones[i]] = blend_poses(burst, whole, ease(local))[s.bones[i]];
            }
        }
        poses.push_back(p);
    }
    return poses;
}

}  // namespace

void generate_blz(AssetSet* set)
{
    const Sign s = build_sign();
    add_model_file(set, "blz.baf", s.mesh, pose_frames(s.mesh, s.skeleton, sign_poses(s), Placement{0, V3{0, 0, 0}, 1}),
                   true);
}
