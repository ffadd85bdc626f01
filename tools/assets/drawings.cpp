// The graffiti: seventeen tags sized and paced for their slots, and the intro drawing for the command line.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "asset_files.h"
#include "gml_writer.h"
#include "pen_font.h"

namespace {

// Surface x units per y unit for letters that look as wide as they are tall.
constexpr float SQUARE = 0.625f;
// The intro replays a recorded second in 500 ms for 16 seconds.
constexpr float INTRO_SECONDS = 29.0f;

// Where and how a tag is written, by the slot's size and placement on screen.
struct TagPlan {
    const char* text;
    const char* second_line;  // or null
    float x, y, height;
    float slant;
    bool underline;
};

// Slots 0-6 sit 20 rows down at normal size, 7-9 at double size scroll
// left from x = 60, 10, 11, 15 and 16 cover the canvas, 12-14 rise from below.
// clang-format off
const TagPlan TAGS[17] = {
    {"RAWR!", nullptr, 0.12f, 0.08f, 0.42f, 0.12f, true},
    {"TPC", "CREW", 0.30f, 0.02f, 0.3f, 0.1f, false},
    {"DINO", nullptr, 0.14f, 0.12f, 0.4f, -0.08f, true},
    {"ROAR", nullptr, 0.46f, 0.1f, 0.26f, 0.15f, false},
    {"STOMP", nullptr, 0.1f, 0.1f, 0.36f, 0.1f, true},
    {"EGGS", nullptr, 0.08f, 0.3f, 0.26f, 0.1f, false},
    {"LAVA", nullptr, 0.5f, 0.05f, 0.26f, -0.1f, false},
    {"KORVEL", nullptr, 0.02f, 0.02f, 0.28f, 0.12f, true},
    {"EXTINCT", nullptr, 0.02f, 0.02f, 0.28f, 0.1f, true},
    {"BOOM!", nullptr, 0.02f, 0.02f, 0.28f, 0.14f, true},
    {"FOSSIL", "FUEL", 0.16f, 0.08f, 0.34f, 0.1f, false},
    {"T-REX", "RULZ", 0.2f, 0.08f, 0.34f, 0.12f, false},
    {"BONES", nullptr, 0.12f, 0.05f, 0.38f, 0.1f, true},
    {"MOSS", nullptr, 0.24f, 0.05f, 0.38f, -0.1f, true},
    {"AMBER", nullptr, 0.12f, 0.05f, 0.38f, 0.12f, true},
    {"JURA", "SSIC", 0.24f, 0.08f, 0.34f, 0.1f, false},
    {"20", "26", 0.3f, 0.08f, 0.34f, 0.15f, false},
};
// clang-format on

// The pen's pace sets the line width the replay gives it: these keep the
// coloured line of each slot group a few pixels wide inside its dark one.
float tag_pen_speed(int32_t index)
{
    if (index == 3 || index == 5 || index == 6) {
        return 1.4f;
    }
    return index >= 7 && index <= 9 ? 4.5f : 3.2f;
}

// Slots 7-9 are drawn at double size, so their drawings fill half the surface.
float tag_right_edge(int32_t index)
{
    return index >= 7 && index <= 9 ? 0.95f : 0.94f;
}

Hand tag_hand(const TagPlan& plan, int32_t index, float x, float y, float height)
{
    return Hand{x, y, height, SQUARE, plan.slant, 0.12f, tag_pen_speed(index), 0.25f};
}

PenDrawing make_tag(int32_t index)
{
    const TagPlan& plan = TAGS[index];
    Rng rng = rng_seeded(500 + static_cast<uint32_t>(index));
    PenDrawing d;
    const float height = fit_height(plan.text, plan.x, tag_right_edge(index), plan.height, SQUARE);
    float time = write_text(&d, plan.text, tag_hand(plan, index, plan.x, plan.y, height), 0.0f, &rng);
    float bottom = plan.y + height;
    if (plan.second_line != nullptr) {
        const float y = plan.y + height * 1.25f;
        const float x = plan.x + height * 0.3f;
        const float second = fit_height(plan.second_line, x, tag_right_edge(index), height, SQUARE);
        time = write_text(&d, plan.second_line, tag_hand(plan, index, x, y, second), time, &rng);
        bottom = y + second;
    }
    if (plan.underline) {
        // A flourish under the word, out and back.
        const float width = static_cast<float>(std::strlen(plan.text)) * height * 0.87f * SQUARE;
        const float y = bottom + height * 0.14f;
        write_path(
            &d, {{plan.x - 0.02f, y + 0.03f, 0}, {plan.x + width, y - 0.01f, 0}, {plan.x + width * 0.3f, y + 0.06f, 0}},
            tag_pen_speed(index) * 1.5f, time, &rng, 0.004f);
    }
    return d;
}

// A long-necked dinosaur outline, as one stroke around it, in surface units.
std::vector<PenPoint> dino_outline(float x, float y, float s)
{
    // clang-format off
    const float shape[][2] = {
        {0.00f, 0.50f}, {0.30f, 0.38f}, {0.52f, 0.30f}, {0.66f, 0.12f}, {0.72f, 0.00f}, {0.80f, 0.00f},
        {0.82f, 0.04f}, {0.74f, 0.08f}, {0.70f, 0.30f}, {0.66f, 0.50f}, {0.64f, 0.70f}, {0.60f, 0.70f},
        {0.58f, 0.56f}, {0.50f, 0.58f}, {0.48f, 0.72f}, {0.44f, 0.72f}, {0.42f, 0.58f}, {0.34f, 0.56f},
        {0.32f, 0.70f}, {0.28f, 0.70f}, {0.26f, 0.52f}, {0.00f, 0.50f}};
    // clang-format on
    std::vector<PenPoint> out;
    for (const auto& p : shape) {
        out.push_back(PenPoint{x + p[0] * s * SQUARE * 1.6f, y + p[1] * s, 0.0f});
    }
    return out;
}

PenDrawing make_intro()
{
    Rng rng = rng_seeded(2026);
    PenDrawing d;
    // The name large across the top, slowly, as if sprayed with care.
    Hand big{0.05f, 0.06f, fit_height("KORVEL", 0.05f, 0.95f, 0.36f, SQUARE), SQUARE, 0.1f, 0.08f, 2.0f, 0.35f};
    float time = write_text(&d, "KORVEL", big, 0.3f, &rng);
    time = write_path(&d, dino_outline(0.06f, 0.5f, 0.42f), 1.6f, time + 0.6f, &rng, 0.003f);
    Hand small{0.58f, 0.56f, fit_height("TAR PIT", 0.58f, 0.97f, 0.16f, SQUARE), SQUARE, 0.12f, 0.1f, 2.4f, 0.3f};
    time = write_text(&d, "TAR PIT", small, time + 0.5f, &rng);
    small.y = 0.78f;
    time = write_text(&d, "CREW", small, time, &rng);
    // Stars of a few quick flicks to end.
    const float stars[3][2] = {{0.5f, 0.5f}, {0.52f, 0.9f}, {0.94f, 0.9f}};
    for (const auto& s : stars) {
        time = write_path(&d, {{s[0] - 0.02f, s[1], 0}, {s[0] + 0.02f, s[1], 0}}, 1.5f, time + 0.3f, &rng, 0.0f);
        time = write_path(&d, {{s[0], s[1] - 0.03f, 0}, {s[0], s[1] + 0.03f, 0}}, 1.5f, time + 0.1f, &rng, 0.0f);
    }
    // Stretched or squeezed to fill the replay (the pen's pace, and with it
    // the line width, changes by the same factor).
    const float k = INTRO_SECONDS / time;
    for (PenStroke& stroke : d.strokes) {
        for (PenPoint& p : stroke.points) {
            p.time *= k;
        }
    }
    return d;
}

}  // namespace

void generate_drawings(AssetSet* set)
{
    for (int32_t i = 0; i < 17; i++) {
        char name[32];
        std::snprintf(name, sizeof name, "tag%02d.gml", i);
        add_text_file(set, name, gml_text(make_tag(i)));
    }
    add_text_file(set, "intro.gml", gml_text(make_intro()));
}
