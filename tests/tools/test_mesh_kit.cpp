// The mesh kit's parts are closed and face outwards, posing keeps shapes rigid, and written models read back as built.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "creature.h"
#include "mesh.h"
#include "model_writer.h"
#include "platform/console.h"
#include "render3d/model_load.h"
#include "skeleton.h"

namespace {

// Each directed edge once and its reverse once: closed, and wound the same way throughout.
::testing::AssertionResult closed_and_consistent(const Mesh& m)
{
    std::map<std::pair<int32_t, int32_t>, int32_t> directed;
    for (const auto& f : m.faces) {
        for (int32_t i = 0; i < 3; i++) {
            directed[{f[i], f[(i + 1) % 3]}]++;
        }
    }
    for (const auto& [edge, count] : directed) {
        if (count != 1) {
            return ::testing::AssertionFailure() << "edge " << edge.first << "-" << edge.second << " met " << count;
        }
        if (directed.count({edge.second, edge.first}) == 0) {
            return ::testing::AssertionFailure() << "edge " << edge.first << "-" << edge.second << " is open";
        }
    }
    return ::testing::AssertionSuccess();
}

float largest_move(const std::vector<V3>& a, const std::vector<V3>& b)
{
    float most = 0.0f;
    for (size_t i = 0; i < a.size(); i++) {
        const V3 d = a[i] - b[i];
        most = std::max(most, std::sqrt(dot(d, d)));
    }
    return most;
}

}  // namespace

TEST(MeshKit, EveryPartIsClosedAndFacesOutwards)
{
    struct Case {
        const char* name;
        std::function<void(Mesh*)> build;
        float volume;  // roughly the solid's volume
    };
    const float pi = 3.14159265f;
    const Case cases[] = {
        {"ellipsoid",
         [](Mesh* m) {
             add_ellipsoid(m, V3{1, 2, 3}, V3{2, 3, 4}, 8, 12, 0, 0, 1);
         },
         4.0f / 3.0f * pi * 24.0f},
        {"tube with cones",
         [](Mesh* m) {
             add_tube(m, {{V3{0, 0, 0}, 1, 1, 0}, {V3{0, 1, 5}, 1, 1, 0}, {V3{0, 3, 9}, 0.5f, 0.5f, 0}}, 10, 1.0f, 2.0f,
                      0, 0.25f);
         },
         -1.0f},
        {"upright tube, flat caps",
         [](Mesh* m) {
             add_tube(m, {{V3{0, 4, 0}, 1, 1, 0}, {V3{0, 0, 0}, 1, 1, 0}}, 8, 0.0f, 0.0f, 0, 1);
         },
         pi * 4.0f},
        {"box",
         [](Mesh* m) {
             add_box(m, V3{5, 0, 0}, V3{1, 2, 3}, 0, 0.1f);
         },
         48.0f},
        {"prism from a clockwise quad",
         [](Mesh* m) {
             add_quad_prism(m, {0, 0, 0, 2, 2, 2, 2, 0}, -1, 1, 0, 0.1f);
         },
         8.0f},
        {"geosphere", [](Mesh* m) { add_geosphere(m, 2, 0); }, 4.0f / 3.0f * pi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mesh m;
        c.build(&m);
        EXPECT_TRUE(closed_and_consistent(m));
        const float v = signed_volume(m, 0);
        EXPECT_GT(v, 0.0f);
        if (c.volume > 0.0f) {
            EXPECT_NEAR(v, c.volume, c.volume * 0.12f);
        }
        // A closed triangle mesh has three edges for every two faces.
        EXPECT_EQ(count_edges(m) * 2, static_cast<int32_t>(m.faces.size()) * 3);
        EXPECT_EQ(m.rest.size(), m.u.size());
        EXPECT_EQ(m.rest.size(), m.bone.size());
    }
}

TEST(MeshKit, PartsStayApartWhenAddedToOneMesh)
{
    Mesh m;
    add_box(&m, V3{0, 0, 0}, V3{1, 1, 1}, 0, 0.1f);
    const size_t first = m.faces.size();
    add_ellipsoid(&m, V3{0, 5, 0}, V3{1, 1, 2}, 4, 8, 1, 0, 1);
    EXPECT_TRUE(closed_and_consistent(m));
    for (size_t f = first; f < m.faces.size(); f++) {
        for (int32_t v : m.faces[f]) {
            EXPECT_GE(v, 8);  // the ellipsoid's faces use its own vertices only
            EXPECT_EQ(m.bone[v], 1);
        }
    }
}

TEST(Skeleton, PosesBlendAndKeepPartsRigid)
{
    Skeleton s;
    const int32_t root = add_bone(&s, -1, V3{0, 0, 0});
    const int32_t neck = add_bone(&s, root, V3{0, 2, -2});
    Mesh m;
    add_tube(&m, {{V3{0, 2, -2}, 0.5f, 0.5f, neck}, {V3{0, 4, -4}, 0.4f, 0.4f, neck}}, 6, 0, 0.5f, 0, 1);
    const Pose rest = rest_pose(s);
    const std::vector<V3> at_rest = posed_vertices(m, s, rest);
    EXPECT_EQ(largest_move(at_rest, m.rest), 0.0f);

    Pose turned = rest;
    turned[neck].yaw = 0.7f;
    turned[neck].roll = 0.3f;
    turned[root].shift = V3{1, 0, 0};
    const std::vector<V3> moved = posed_vertices(m, s, turned);
    // Rigid: every distance between two vertices of the bone is kept.
    for (size_t i = 1; i < m.rest.size(); i++) {
        const V3 a = m.rest[i] - m.rest[0];
        const V3 b = moved[i] - moved[0];
        ASSERT_NEAR(std::sqrt(dot(a, a)), std::sqrt(dot(b, b)), 1e-4f);
    }
    const Pose half = blend_poses(rest, turned, 0.5f);
    EXPECT_FLOAT_EQ(half[neck].yaw, 0.35f);
    EXPECT_FLOAT_EQ(half[root].shift.x, 0.5f);
    EXPECT_FLOAT_EQ(ease(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(ease(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(ease(1.0f), 1.0f);
}

TEST(Creature, PlacementTurnsMovesThenScales)
{
    Skeleton s;
    add_bone(&s, -1, V3{0, 0, 0});
    Mesh m;
    add_box(&m, V3{0, 0, 0}, V3{1, 1, 1}, 0, 0.1f);
    m.rest[0] = V3{1, 0, 0};
    const auto frames = pose_frames(m, s, {rest_pose(s)}, Placement{3.14159265f / 2, V3{0, 10, 0}, 4.0f});
    ASSERT_EQ(frames.size(), 1u);
    // (1, 0, 0) turned a quarter about y is (0, 0, -1); moved up 10; four times larger.
    EXPECT_NEAR(frames[0][0].x, 0.0f, 1e-4f);
    EXPECT_NEAR(frames[0][0].y, 40.0f, 1e-4f);
    EXPECT_NEAR(frames[0][0].z, -4.0f, 1e-4f);
}

TEST(ModelWriter, ModelsReadBackThroughTheLoaderAsBuilt)
{
    Skeleton s;
    const int32_t root = add_bone(&s, -1, V3{0, 0, 0});
    Mesh m;
    const Leg leg = add_leg(&m, &s, root, V3{0, 10, 0}, V3{0, 5, 0.5f}, V3{0, 0, 0}, 2, 1, 6);
    Pose bent = rest_pose(s);
    bent[leg.knee].pitch = -0.8f;
    const auto frames = pose_frames(m, s, {rest_pose(s), bent}, Placement{0, V3{0, 0, 0}, 1});
    const std::string path = ::testing::TempDir() + "korvel_writer_leg.baf";
    const std::string text = model_file_text(m, frames, true);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    EXPECT_EQ(text.find("-0.0000"), std::string::npos);

    platform_console_close();
    ::testing::internal::CaptureStderr();
    Model model = {};
    load_baf_model(path.c_str(), &model);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(model.frame_count, 2);
    ASSERT_EQ(model.vertex_count, static_cast<int32_t>(m.rest.size()));
    ASSERT_EQ(model.face_count, static_cast<int32_t>(m.faces.size()));
    EXPECT_EQ(model.edge_count, count_edges(m));
    for (int32_t k = 0; k < 2; k++) {
        for (int32_t i = 0; i < model.vertex_count; i++) {
            const ModelVertex& v = model.vertices[k * model.vertex_count + i];
            ASSERT_NEAR(fixed_to_float(v.x), frames[k][i].x, 1e-3f);
            ASSERT_NEAR(fixed_to_float(v.y), frames[k][i].y, 1e-3f);
            ASSERT_NEAR(fixed_to_float(v.z), frames[k][i].z, 1e-3f);
        }
    }
    // The knee bends: the foot moves, the hip stays.
    EXPECT_GT(largest_move(frames[0], frames[1]), 2.0f);
    EXPECT_NEAR(frames[1][0].y, frames[0][0].y, 1e-4f);
    free_model(&model);
}
