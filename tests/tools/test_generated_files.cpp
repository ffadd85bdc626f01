// Every generated file loads through the show's own loaders without a message and has the shape its scene relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "asset_files.h"
#include "gfx2d/image_files.h"
#include "graffiti/gml.h"
#include "model_marks.h"
#include "platform/console.h"
#include "render3d/model.h"
#include "render3d/model_load.h"

namespace {

constexpr int32_t EDGE_LIMIT = 2048;

// The generated set, made once and written once into a temporary folder.
class GeneratedFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        set_ = new AssetSet;
        generate_all_assets(set_);
        // A folder of this process's own: ctest runs each case as a process
        // of its own, two at a time, and one must not rewrite what another reads.
        folder_ =
            new std::string(::testing::TempDir() + "korvel_generated_data_" + std::to_string(std::random_device{}()));
        std::string reason;
        ASSERT_TRUE(write_asset_set(*set_, *folder_, &reason)) << reason;
    }
    static void TearDownTestSuite()
    {
        std::error_code ignored;
        std::filesystem::remove_all(*folder_, ignored);
        delete set_;
        delete folder_;
    }
    void SetUp() override
    {
        platform_console_close();  // messages go straight to standard error
    }
    static std::string path(const std::string& name) { return *folder_ + "/" + name; }

    // Each load runs with both output streams captured: a loader that says
    // anything has found a fault in the file.
    static void start_listening()
    {
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
    }
    static void expect_silence(const std::string& name)
    {
        const std::string said = ::testing::internal::GetCapturedStderr() + ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(said, "") << name << ": the loader reported a problem";
    }
    static void load_picture(const std::string& name, Image* image)
    {
        start_listening();
        load_image(path(name).c_str(), image);
        expect_silence(name);
    }
    static void load_model(const std::string& name, bool animated, Model* model)
    {
        start_listening();
        (animated ? load_baf_model : load_bof_model)(path(name).c_str(), model);
        expect_silence(name);
    }
    static GmlLoad load_drawing(const std::string& name, GmlDrawing* drawing)
    {
        start_listening();
        const GmlLoad got = load_gml(path(name).c_str(), drawing);
        expect_silence(name);
        return got;
    }

    static AssetSet* set_;
    static std::string* folder_;
};

AssetSet* GeneratedFiles::set_ = nullptr;
std::string* GeneratedFiles::folder_ = nullptr;

bool power_of_two(int32_t n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

bool has_clear_pixels(const Image& image)
{
    for (int32_t i = 0; i < image.width * image.height; i++) {
        if ((image.pixels[i] >> 24) < 255) {
            return true;
        }
    }
    return false;
}

// Every edge of a closed, consistently wound mesh is met once in each direction.
void expect_closed_and_wound(const Model& m, const std::string& name)
{
    std::map<std::pair<int32_t, int32_t>, int32_t> directed;
    for (int32_t f = 0; f < m.face_count; f++) {
        const int32_t v[3] = {m.faces[f].a, m.faces[f].b, m.faces[f].c};
        for (int32_t i = 0; i < 3; i++) {
            directed[{v[i], v[(i + 1) % 3]}]++;
        }
    }
    int32_t open = 0;
    int32_t doubled = 0;
    for (const auto& [edge, count] : directed) {
        doubled += count > 1 ? 1 : 0;
        open += directed.count({edge.second, edge.first}) == 0 ? 1 : 0;
    }
    EXPECT_EQ(open, 0) << name << ": edges without a face on the other side";
    EXPECT_EQ(doubled, 0) << name << ": faces wound against their neighbours";
}

}  // namespace

TEST_F(GeneratedFiles, PicturesLoadWithTheSizesTheirScenesUse)
{
    struct Case {
        const char* name;
        bool texture;  // power-of-two sides
        bool bands;    // a strip of 100-row bands
        bool clear;    // laid over other pictures: carries alpha
    };
    const Case cases[] = {
        {"dino_tile.tga", true, false, true},     {"tilePurple.tga", true, false, false},
        {"texWht.tga", true, false, false},       {"diploTex.tga", true, false, false},
        {"trexTex.tga", true, false, false},      {"lighting.tga", true, false, false},
        {"astTex.tga", true, false, false},       {"row_model.tga", true, false, false},
        {"spare_texture.tga", true, false, true}, {"spare_backdrop.tga", false, true, false},
        {"title.tga", false, true, false},        {"credz.tga", false, true, true},
        {"promotext.tga", false, true, true},     {"boomb.tga", false, true, false},
        {"greets.tga", false, true, true},        {"ending1.tga", false, true, false},
        {"slides.tga", false, true, false},       {"bubble.tga", false, true, true},
        {"lasers.tga", false, true, true},        {"vw0.tga", false, false, true},
        {"vw1.tga", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = {};
        load_picture(c.name, &image);
        ASSERT_NE(image.pixels, nullptr);
        if (c.texture) {
            EXPECT_TRUE(power_of_two(image.width) && power_of_two(image.height));
        }
        if (c.bands) {
            EXPECT_EQ(image.height % 100, 0);
            EXPECT_GE(image.width, 160);
        }
        EXPECT_EQ(has_clear_pixels(image), c.clear);
        free_image(&image);
    }
}

TEST_F(GeneratedFiles, ScrollingAndSlidingPicturesOutlastTheirMotion)
{
    Image promo = {};
    Image greets = {};
    load_picture("promotext.tga", &promo);
    load_picture("greets.tga", &greets);
    // The promo band scrolls 120 pixels a second: at least 15 seconds of it.
    EXPECT_GE(promo.width, 160 + 15 * 120);
    // A greetings panel enters at x = 60 and is at x = 60 - 80 * sqrt(ms / 250):
    // it still covers the canvas 4 seconds in.
    EXPECT_GE(greets.width, 160 + 80 * 4 - 60);
    free_image(&promo);
    free_image(&greets);
}

TEST_F(GeneratedFiles, ModelsAreClosedWithinTheEdgeLimitAndHaveTheirFrames)
{
    struct Case {
        const char* name;
        bool animated;
        int32_t least_frames;
    };
    const Case cases[] = {
        {"diplo.baf", true, 35}, {"trex.baf", true, 48},      {"blz.baf", true, 84},
        {"rock.bof", false, 1},  {"row_model.bof", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Model m = {};
        load_model(c.name, c.animated, &m);
        ASSERT_GT(m.face_count, 0);
        EXPECT_GE(m.frame_count, c.least_frames);
        EXPECT_LE(m.edge_count, EDGE_LIMIT);
        for (int32_t f = 0; f < m.face_count; f++) {
            for (int32_t v : {m.faces[f].a, m.faces[f].b, m.faces[f].c}) {
                ASSERT_TRUE(v >= 0 && v < m.vertex_count);
            }
        }
        expect_closed_and_wound(m, c.name);
        free_model(&m);
    }
}

TEST_F(GeneratedFiles, TheWalkLoopsAndTheRockHasItsRadius)
{
    Model diplo = {};
    load_model("diplo.baf", true, &diplo);
    ASSERT_GE(diplo.frame_count, 21);
    // Frame 20 ends the walk where frame 0 starts it.
    const ModelVertex* first = diplo.vertices;
    const ModelVertex* last = diplo.vertices + 20 * diplo.vertex_count;
    for (int32_t i = 0; i < diplo.vertex_count; i++) {
        ASSERT_EQ(first[i].x, last[i].x);
        ASSERT_EQ(first[i].y, last[i].y);
        ASSERT_EQ(first[i].z, last[i].z);
    }
    // And the walk moves: the legs swing between frames 0 and 5.
    const ModelVertex* quarter = diplo.vertices + 5 * diplo.vertex_count;
    Fixed largest = 0;
    for (int32_t i = 0; i < diplo.vertex_count; i++) {
        largest = std::max(largest, std::abs(quarter[i].z - first[i].z));
    }
    EXPECT_GT(largest, 8 * 4096);
    free_model(&diplo);

    Model rock = {};
    load_model("rock.bof", false, &rock);
    for (int32_t i = 0; i < rock.vertex_count; i++) {
        const float r = std::hypot(fixed_to_float(rock.vertices[i].x), fixed_to_float(rock.vertices[i].y),
                                   fixed_to_float(rock.vertices[i].z));
        ASSERT_TRUE(r >= 9.99f && r <= 12.01f) << r;
    }
    free_model(&rock);
}

// The framing check follows these vertices: an animal's snout tip leads it, the name's letters open the emblem.
TEST_F(GeneratedFiles, TheFramingMarksLieOnTheSnoutsAndTheName)
{
    for (const char* name : {"diplo.baf", "trex.baf", "row_model.bof"}) {
        SCOPED_TRACE(name);
        Model m = {};
        load_model(name, std::string(name).ends_with(".baf"), &m);
        for (int32_t i = 0; i < m.vertex_count; i++) {  // horns may reach a little further
            ASSERT_GE(m.vertices[i].z, m.vertices[HEAD_VERTEX].z - 3 * 4096) << i;
        }
        free_model(&m);
    }
    Model blz = {};
    load_model("blz.baf", true, &blz);
    ASSERT_GT(blz.vertex_count, NAME_VERTICES);
    auto in_name = [&](int32_t i) {
        const float y = fixed_to_float(blz.vertices[i].y);
        return y > 15.0f && y < 62.0f;  // the letters stand 33 units tall on a baseline at 22
    };
    for (int32_t i = 0; i < NAME_VERTICES; i++) {
        ASSERT_TRUE(in_name(i)) << i;
    }
    EXPECT_FALSE(in_name(NAME_VERTICES));
    free_model(&blz);
}

TEST_F(GeneratedFiles, DrawingsAreTimedStrokesWithinTheRecord)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < 17; i++) {
        char name[16];
        std::snprintf(name, sizeof name, "tag%02d.gml", i);
        names.push_back(name);
    }
    names.push_back("intro.gml");
    static GmlDrawing drawing;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_EQ(load_drawing(name, &drawing), GML_LOAD_OK);
        ASSERT_GT(drawing.stroke_count, 0);
        ASSERT_LT(drawing.stroke_count, GML_MAX_STROKES);
        float last = 0.0f;
        for (int32_t s = 0; s < drawing.stroke_count; s++) {
            const GmlStroke& stroke = drawing.strokes[s];
            ASSERT_GE(stroke.point_count, 2);
            ASSERT_LT(stroke.point_count, GML_MAX_POINTS);
            for (int32_t p = 0; p < stroke.point_count; p++) {
                // Strokes follow one another in time, as a hand draws them.
                ASSERT_GE(stroke.times[p], last);
                last = stroke.times[p];
                ASSERT_TRUE(stroke.points[p][0] >= -0.05f && stroke.points[p][0] <= 1.05f);
                ASSERT_TRUE(stroke.points[p][1] >= -0.05f && stroke.points[p][1] <= 1.05f);
            }
        }
        if (name == "intro.gml") {
            // Replayed at 500 ms a recorded second for 16 s: most of it is drawing.
            EXPECT_GE(last, 24.0f);
            EXPECT_LE(last, 32.0f);
        }
    }
}

namespace {

// Frame k of a loaded model as positions in model units.
std::vector<float> frame_positions(const Model& m, int32_t k)
{
    std::vector<float> out;
    for (int32_t i = 0; i < m.vertex_count; i++) {
        const ModelVertex& v = m.vertices[k * m.vertex_count + i];
        out.insert(out.end(), {fixed_to_float(v.x), fixed_to_float(v.y), fixed_to_float(v.z)});
    }
    return out;
}

float largest_move(const Model& m, int32_t a, int32_t b)
{
    const std::vector<float> p = frame_positions(m, a);
    const std::vector<float> q = frame_positions(m, b);
    float most = 0.0f;
    for (size_t i = 0; i < p.size(); i += 3) {
        most = std::max(most, std::hypot(p[i] - q[i], p[i + 1] - q[i + 1], p[i + 2] - q[i + 2]));
    }
    return most;
}

float highest(const Model& m, int32_t k)
{
    const std::vector<float> p = frame_positions(m, k);
    float top = -1e9f;
    for (size_t i = 1; i < p.size(); i += 3) {
        top = std::max(top, p[i]);
    }
    return top;
}

}  // namespace

TEST_F(GeneratedFiles, AnimationsMoveVisiblyWhereTheScenesPlayThem)
{
    Model trex = {};
    load_model("trex.baf", true, &trex);
    // Every preset plays frames 3p - 1 to 3p + 1 (0 to 2 for preset 0): each must move.
    for (int32_t p = 0; p < 16; p++) {
        const int32_t first = p == 0 ? 0 : 3 * p - 1;
        EXPECT_GT(largest_move(trex, first, first + 1) + largest_move(trex, first + 1, first + 2), 4.0f)
            << "preset " << p;
    }
    free_model(&trex);

    Model diplo = {};
    load_model("diplo.baf", true, &diplo);
    // Rearing over 27 to 31 lifts the head (file units are four times the shown size).
    EXPECT_GT(highest(diplo, 31) - highest(diplo, 27), 4 * 20.0f);
    EXPECT_GT(largest_move(diplo, 31, 32), 4 * 3.0f);
    free_model(&diplo);

    Model blz = {};
    load_model("blz.baf", true, &blz);
    // Whole at 0 and 83, so the wrap from the last frame to the first is seamless; burst at 13.
    EXPECT_EQ(largest_move(blz, 0, blz.frame_count - 1), 0.0f);
    EXPECT_GT(largest_move(blz, 0, 13), 50.0f);
    free_model(&blz);
}

TEST_F(GeneratedFiles, TagsStayOnTheCanvasOfTheirSlot)
{
    // Where draw_tag_overlay puts a slot's drawing once it has arrived: x and
    // y offsets and the scale; slots 12-14 rise from below and 7-9 scroll
    // left, so only their height and top are bounded.
    struct Slot {
        float dx, dy, scale;
        bool bound_x, bound_bottom;
    };
    static GmlDrawing drawing;
    for (int32_t tag = 0; tag < 17; tag++) {
        Slot slot{0, 20, 1, true, true};
        if (tag >= 7 && tag <= 9) {
            slot = Slot{0, 12, 2, false, true};
        } else if (tag == 10 || tag == 11 || tag == 15 || tag == 16) {
            slot = Slot{0, 0, 1, true, true};
        } else if (tag >= 12 && tag <= 14) {
            slot = Slot{0, 0, 1, true, false};
        }
        char name[16];
        std::snprintf(name, sizeof name, "tag%02d.gml", tag);
        SCOPED_TRACE(name);
        ASSERT_EQ(load_drawing(name, &drawing), GML_LOAD_OK);
        for (int32_t s = 0; s < drawing.stroke_count; s++) {
            for (int32_t p = 0; p < drawing.strokes[s].point_count; p++) {
                const float x = drawing.strokes[s].points[p][0] * 160.0f * slot.scale + slot.dx;
                const float y = drawing.strokes[s].points[p][1] * 100.0f * slot.scale + slot.dy;
                if (slot.bound_x) {
                    ASSERT_TRUE(x >= 0.0f && x < 160.0f) << x;
                }
                ASSERT_GE(y, 0.0f);
                ASSERT_LT(y, slot.bound_bottom ? 100.0f : 200.0f);
            }
        }
    }
}

TEST_F(GeneratedFiles, DoubleSizeTagsHaveACornerPictureToShow)
{
    // Tags 7-9 lay credits, promo text and explosion with the top-left at
    // (156 - width, 80): the top 20 rows show, left of the last 4 columns.
    for (const char* name : {"credz.tga", "promotext.tga", "boomb.tga"}) {
        SCOPED_TRACE(name);
        Image image = {};
        load_picture(name, &image);
        ASSERT_NE(image.pixels, nullptr);
        int32_t opaque = 0;
        for (int32_t y = 0; y < 20; y++) {
            for (int32_t x = std::max(0, image.width - 160); x < image.width - 4; x++) {
                opaque += (image.pixels[y * image.width + x] >> 24) > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 20 * 40);
        free_image(&image);
    }
}

TEST(GeneratorRuns, TwoRunsGiveTheSameBytes)
{
    AssetSet first;
    AssetSet second;
    generate_all_assets(&first);
    generate_all_assets(&second);
    ASSERT_EQ(first.files.size(), second.files.size());
    std::set<std::string> names;
    for (size_t i = 0; i < first.files.size(); i++) {
        EXPECT_EQ(first.files[i].name, second.files[i].name);
        EXPECT_TRUE(first.files[i].bytes == second.files[i].bytes) << first.files[i].name;
        names.insert(first.files[i].name);
    }
    EXPECT_EQ(names.size(), first.files.size()) << "a file is written twice";
    std::string why;
    EXPECT_TRUE(asset_set_matches_data_files(first, &why)) << why;
    first.files.pop_back();
    EXPECT_FALSE(asset_set_matches_data_files(first, &why));
}
