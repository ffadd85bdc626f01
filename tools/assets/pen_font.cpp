// The stroke font's glyphs and the pen that writes them: resampled, wobbling, timed like a hand.
#include "pen_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Pen strokes of each letter, "|" between strokes, points "x,y" with y down.
// clang-format off
const char* const PEN_GLYPHS[][2] = {
    {"A", "0,6 1,3 2,0 3,3 4,6|0.8,4 3.2,4"},
    {"B", "0,6 0,0 2.8,0 3.8,0.8 3.8,2.2 2.8,3 0,3|2.8,3 4,3.8 4,5.2 3,6 0,6"},
    {"C", "4,0.8 3,0 1,0 0,1.2 0,4.8 1,6 3,6 4,5.2"},
    {"D", "0,0 0,6 2.5,6 4,4.5 4,1.5 2.5,0 0,0"},
    {"E", "4,0 0,0 0,6 4,6|0,3 3,3"},
    {"F", "4,0 0,0 0,6|0,3 3,3"},
    {"G", "4,0.8 3,0 1,0 0,1.2 0,4.8 1,6 3,6 4,5 4,3.4 2.2,3.4"},
    {"H", "0,0 0,6|4,0 4,6|0,3 4,3"},
    {"I", "0.5,0 3.5,0|2,0 2,6|0.5,6 3.5,6"},
    {"J", "4,0 4,4.8 3,6 1,6 0,4.8"},
    {"K", "0,0 0,6|4,0 0,3.4|1.2,2.6 4,6"},
    {"L", "0,0 0,6 4,6"},
    {"M", "0,6 0,0 2,3 4,0 4,6"},
    {"N", "0,6 0,0 4,6 4,0"},
    {"O", "1,0 0,1.2 0,4.8 1,6 3,6 4,4.8 4,1.2 3,0 1,0"},
    {"P", "0,6 0,0 3,0 4,0.8 4,2.2 3,3 0,3"},
    {"R", "0,6 0,0 3,0 4,0.8 4,2.2 3,3 0,3|1.6,3 4,6"},
    {"S", "4,0.8 3,0 1,0 0,0.8 0,2.2 1,3 3,3 4,3.8 4,5.2 3,6 1,6 0,5.2"},
    {"T", "0,0 4,0|2,0 2,6"},
    {"U", "0,0 0,4.8 1,6 3,6 4,4.8 4,0"},
    {"V", "0,0 2,6 4,0"},
    {"W", "0,0 1,6 2,2.5 3,6 4,0"},
    {"X", "0,0 4,6|4,0 0,6"},
    {"Y", "0,0 2,3 4,0|2,3 2,6"},
    {"Z", "0,0 4,0 0,6 4,6"},
    {"!", "2,0 2,4.2|2,5.6 2.1,6"},
    {"-", "0.5,3.2 3.5,3"},
    {"*", "2,0.5 2,5.5|0,1.5 4,4.5|4,1.5 0,4.5"},
    {"2", "0,1 1,0 3,0 4,1 4,2.4 0,6 4,6"},
    {"0", "1,0 0,1.2 0,4.8 1,6 3,6 4,4.8 4,1.2 3,0 1,0|3.6,0.8 0.4,5.2"},
    {"6", "3.6,0 1.4,0 0,1.5 0,4.8 1,6 3,6 4,4.8 4,3.8 3,3 0,3"},
};
// clang-format on

const char* glyph_strokes(char c)
{
    for (const auto& g : PEN_GLYPHS) {
        if (g[0][0] == c) {
            return g[1];
        }
    }
    return nullptr;
}

// Splits "x,y x,y|x,y ..." into strokes of grid points.
std::vector<std::vector<PenPoint>> parse_glyph(const char* text)
{
    std::vector<std::vector<PenPoint>> strokes(1);
    const char* p = text;
    while (*p != '\0') {
        if (*p == '|') {
            strokes.emplace_back();
            p++;
            continue;
        }
        if (*p == ' ') {
            p++;
            continue;
        }
        char* end = nullptr;
        const float x = std::strtof(p, &end);
        const float y = std::strtof(end + 1, &end);
        strokes.back().push_back(PenPoint{x, y, 0.0f});
        p = end;
    }
    return strokes;
}

float distance(const PenPoint& a, const PenPoint& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The distance the replay measures a segment by: canvas pixels at 160 per
// unit on both axes, across plus down.
float replay_distance(const PenPoint& a, const PenPoint& b)
{
    return 160.0f * (std::fabs(a.x - b.x) + std::fabs(a.y - b.y));
}

constexpr float LETTER_ADVANCE = 5.2f;  // grid cells from one letter to the next

}  // namespace

float write_path(PenDrawing* drawing, const std::vector<PenPoint>& path, float speed, float start, Rng* rng,
                 float jitter)
{
    PenStroke stroke;
    float time = start;
    stroke.points.push_back(path.front());
    stroke.points.back().time = time;
    // Points about every 0.02 surface units, the pen fast in the middle of a
    // run and slow into its corners, so the line's width breathes.
    for (size_t i = 0; i + 1 < path.size(); i++) {
        const float length = distance(path[i], path[i + 1]);
        const auto steps = std::max(1, static_cast<int32_t>(length / 0.02f));
        for (int32_t k = 1; k <= steps; k++) {
            const float t = static_cast<float>(k) / static_cast<float>(steps);
            const float pace = 0.6f + 0.4f * std::sin(3.14159265f * (t - 0.5f / static_cast<float>(steps)));
            PenPoint p{path[i].x + (path[i + 1].x - path[i].x) * t + rng_range(rng, -jitter, jitter),
                       path[i].y + (path[i + 1].y - path[i].y) * t + rng_range(rng, -jitter, jitter), 0.0f};
            time += replay_distance(stroke.points.back(), p) / (50.0f * speed * std::max(pace, 0.2f));
            p.time = time;
            stroke.points.push_back(p);
            if (stroke.points.size() >= 500) {
                break;
            }
        }
    }
    drawing->strokes.push_back(stroke);
    return time;
}

float write_text(PenDrawing* drawing, const std::string& text, const Hand& hand, float start, Rng* rng)
{
    const float cell = hand.height / 6.0f;
    float pen_x = hand.x;
    float time = start;
    for (char c : text) {
        const char* strokes = glyph_strokes(c);
        if (strokes != nullptr) {
            for (const std::vector<PenPoint>& grid : parse_glyph(strokes)) {
                std::vector<PenPoint> path;
                for (const PenPoint& g : grid) {
                    const float up = (6.0f - g.y) * cell;
                    path.push_back(PenPoint{pen_x + (g.x * cell + up * hand.slant) * hand.aspect +
                                                rng_range(rng, -hand.jitter, hand.jitter) * cell * hand.aspect,
                                            hand.y + g.y * cell + rng_range(rng, -hand.jitter, hand.jitter) * cell,
                                            0.0f});
                }
                time = write_path(drawing, path, hand.speed, time, rng, cell * 0.05f) + hand.lift;
            }
        }
        pen_x += LETTER_ADVANCE * cell * hand.aspect;
    }
    return time;
}

float fit_height(const std::string& text, float x, float right, float height, float aspect)
{
    const float cells = LETTER_ADVANCE * static_cast<float>(text.size()) - 1.2f + 1.0f;  // slant allowance
    const float fit = (right - x) * 6.0f / (cells * aspect);
    return std::min(height, fit);
}
