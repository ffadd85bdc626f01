// The demo's emblem: the extruded letters of its name stacked into a tall sign, flying apart and assembling again.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "creature.h"
#include "rng.h"

namespace {

constexpr int32_t FRAME_COUNT = 84;
constexpr int32_t SCATTERED_FRAME = 13;  // frame 0 assembled, 13 scattered, 83 assembled again
constexpr float UNIT = 5.5f;             // one cell of the letter grid
constexpr float STROKE = 1.3f;           // stroke width in cells
constexpr float DEPTH = 9.0f;
constexpr float ENGRAVE = 100.0f;  // how deep the name is cut into the slab
// The grids the cuts follow: the model format allows 2048 edges in all.
constexpr float NAME_CELL = 2.8f;
constexpr float PRINT_CELL = 4.0f;
constexpr float LETTER_PITCH = 28.0f;  // from one letter to the next
constexpr float LETTER_BASE = 22.0f;   // height of the name's baseline
// The slab under the name.
constexpr float SLAB_HALF_WIDTH = 100.0f;
constexpr float SLAB_HALF_HEIGHT = 3 * UNIT + 16;
constexpr float SLAB_CENTRE_Y = LETTER_BASE + 3 * UNIT;
// The footprint above the name, its centre and size.
constexpr float PRINT_X = 0.0f;
constexpr float PRINT_Y = 150.0f;
constexpr float PRINT_SIZE = 34.0f;

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

// A stroke's outline in the xy plane: a rectangle around its centre line, ends squared off by half a stroke.
std::array<float, 8> stroke_quad(const Stroke& s, V3 origin)
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
    return quad;
}

// Whether (x, y) lies inside the convex quad, whichever way round its corners run.
bool inside_quad(const std::array<float, 8>& q, float x, float y)
{
    int32_t positive = 0;
    int32_t negative = 0;
    for (int32_t i = 0; i < 4; i++) {
        const int32_t j = (i + 1) % 4;
        const float side = (q[2 * j] - q[2 * i]) * (y - q[2 * i + 1]) - (q[2 * j + 1] - q[2 * i + 1]) * (x - q[2 * i]);
        positive += side > 0 ? 1 : 0;
        negative += side < 0 ? 1 : 0;
    }
    return positive == 0 || negative == 0;
}

struct Sign {
    Mesh mesh;
    Skeleton skeleton;
    std::vector<int32_t> bones;  // one per letter, plus the plinth
};

// A plate of the given centre and half sizes, ENGRAVE deep from its face at
// z = -DEPTH / 2, with the holes cut through it: the plate is split into a
// grid of cells, every cell whose centre lies off the holes is solid, and the
// solid cells become boxes, one per run along a row, runs that repeat on the
// rows above merged into one box.
void add_engraved_plate(Mesh* mesh, const std::vector<std::array<float, 8>>& holes, V3 centre, V3 half, float cell,
                        int32_t bone)
{
    const int32_t columns = static_cast<int32_t>(2 * half.x / cell);
    const int32_t rows = static_cast<int32_t>(2 * half.y / cell);
    const float cell_width = 2 * half.x / static_cast<float>(columns);
    const float cell_height = 2 * half.y / static_cast<float>(rows);
    const float left = centre.x - half.x;
    const float bottom = centre.y - half.y;
    const float z0 = -DEPTH * 0.5f;
    auto solid = [&](int32_t column, int32_t row) {
        const float x = left + (static_cast<float>(column) + 0.5f) * cell_width;
        const float y = bottom + (static_cast<float>(row) + 0.5f) * cell_height;
        return std::none_of(holes.begin(), holes.end(), [&](const auto& q) { return inside_quad(q, x, y); });
    };
    // Open boxes by their run of columns, with the row each began on.
    std::map<std::pair<int32_t, int32_t>, int32_t> open;
    for (int32_t row = 0; row <= rows; row++) {
        std::map<std::pair<int32_t, int32_t>, int32_t> next;
        for (int32_t c = 0; row < rows && c < columns;) {
            if (!solid(c, row)) {
                c++;
                continue;
            }
            int32_t end = c;
            while (end < columns && solid(end, row)) {
                end++;
            }
            auto found = open.find({c, end});
            next[{c, end}] = found == open.end() ? row : found->second;
            c = end;
        }
        for (const auto& [run, first_row] : open) {
            if (next.count(run) != 0 && next[run] == first_row) {
                continue;
            }
            const float x0 = left + static_cast<float>(run.first) * cell_width;
            const float x1 = left + static_cast<float>(run.second) * cell_width;
            const float y0 = bottom + static_cast<float>(first_row) * cell_height;
            const float y1 = bottom + static_cast<float>(row) * cell_height;
            add_box(mesh, V3{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f, z0 + ENGRAVE * 0.5f},
                    V3{(x1 - x0) * 0.5f, (y1 - y0) * 0.5f, ENGRAVE * 0.5f}, bone, 1.0f / 64.0f);
        }
        open = next;
    }
    // The floor of the holes.
    add_box(mesh, V3{centre.x, centre.y, ENGRAVE + DEPTH}, V3{half.x, half.y, DEPTH * 0.5f}, bone, 1.0f / 64.0f);
}

// A three-toed footprint cut into a square plate, a heel and three toes
// spreading upwards, each a tapered prism lying in its groove; the plate
// stands on a post on the name.
void add_footprint(Mesh* mesh, int32_t bone)
{
    const float k = PRINT_SIZE;
    std::vector<std::array<float, 8>> holes;
    auto quad = [&](float ax, float ay, float bx, float by, float cx, float cy, float dx, float dy) {
        holes.push_back({PRINT_X + ax * k, PRINT_Y + ay * k, PRINT_X + bx * k, PRINT_Y + by * k, PRINT_X + cx * k,
                         PRINT_Y + cy * k, PRINT_X + dx * k, PRINT_Y + dy * k});
        add_quad_prism(mesh, holes.back(), ENGRAVE - DEPTH * 0.5f, ENGRAVE + DEPTH * 0.5f, bone, 1.0f / 64.0f);
    };
    quad(-0.35f, -0.55f, 0.35f, -0.55f, 0.42f, -0.05f, -0.42f, -0.05f);  // heel
    quad(-0.2f, -0.1f, 0.2f, -0.1f, 0.1f, 1.0f, -0.1f, 1.0f);            // middle toe
    quad(-0.42f, -0.2f, -0.12f, 0.0f, -0.62f, 0.72f, -0.8f, 0.6f);       // left toe
    quad(0.12f, 0.0f, 0.42f, -0.2f, 0.8f, 0.6f, 0.62f, 0.72f);           // right toe
    const float r = k * 1.0f;
    const float plate_bottom = PRINT_Y + 0.2f * k - r;
    add_box(mesh, V3{PRINT_X, (SLAB_CENTRE_Y + plate_bottom) * 0.5f, 9},
            V3{4.0f, (plate_bottom - SLAB_CENTRE_Y) * 0.5f, 4.0f}, bone, 1.0f / 64.0f);
    add_engraved_plate(mesh, holes, V3{PRINT_X, PRINT_Y + 0.2f * k, 0}, V3{r, r, 0}, PRINT_CELL, bone);
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
    std::vector<std::array<float, 8>> strokes;
    for (int32_t i = 0; i < count; i++) {
        const float left = -0.5f * (LETTER_PITCH * static_cast<float>(count - 1) + 4 * UNIT);
        const V3 origin{left + LETTER_PITCH * static_cast<float>(i), LETTER_BASE, 0.0f};
        // Each letter tumbles about its own middle, at the bottom of its groove.
        const int32_t bone = add_bone(&s.skeleton, -1, origin + V3{2 * UNIT, 3 * UNIT, ENGRAVE});
        s.bones.push_back(bone);
        // Each letter lies at the bottom of its groove in the slab.
        const float z0 = ENGRAVE - DEPTH * 0.5f;
        for (const Stroke& stroke : LETTERS[i].strokes) {
            strokes.push_back(stroke_quad(stroke, origin));
            add_quad_prism(&s.mesh, strokes.back(), z0, z0 + DEPTH, bone, 1.0f / 64.0f);
        }
    }
    const int32_t print = add_bone(&s.skeleton, -1, V3{PRINT_X, PRINT_Y, 0});
    s.bones.push_back(print);
    add_footprint(&s.mesh, print);
    add_claw_marks(&s.mesh, print);
    // The slab the name is cut into. White on the white ground, only the depth
    // shading draws it: it greys what lies deeper than its surroundings, so
    // the deep grooves of the name read dark on the light face, and when the
    // letters fly out the plate at the grooves' bottom keeps them dark.
    const int32_t slab = add_bone(&s.skeleton, -1, V3{0, 38, 9});
    s.bones.push_back(slab);
    add_engraved_plate(&s.mesh, strokes, V3{0, SLAB_CENTRE_Y, 0}, V3{SLAB_HALF_WIDTH, SLAB_HALF_HEIGHT, 0}, NAME_CELL,
                       slab);
    return s;
}

// Every letter's place when the sign has burst: far off, turned over.
Pose scattered_pose(const Sign& s)
{
    Pose p = rest_pose(s.skeleton);
    Rng rng = rng_seeded(84);
    for (size_t i = 0; i + 2 < s.bones.size(); i++) {
        BonePose& b = p[s.bones[i]];
        // Out of the grooves to before the slab's face, drawn together towards the middle:
        // so near the camera the whole name would be wider than the picture.
        const float middle = s.skeleton.joint[static_cast<size_t>(s.bones[i])].x;
        b.shift =
            V3{-0.55f * middle + rng_range(&rng, 2, 12), rng_range(&rng, -20, -4), -ENGRAVE - rng_range(&rng, 8, 30)};
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
