// Scaling, face normals, welding and inflation of models made in the test.
#include <gtest/gtest.h>

#include "render3d/model_prep.h"

namespace {

// A model of `frames` frames holding the given positions (model units) in
// every frame, with the faces given.
Model make_model(std::initializer_list<std::array<float, 3>> positions,
                 std::initializer_list<std::array<int32_t, 3>> faces, int32_t frames = 1)
{
    Model model = {};
    allocate_model(&model, static_cast<int32_t>(positions.size()), static_cast<int32_t>(faces.size()), frames);
    for (int32_t f = 0; f < frames; f++) {
        int32_t i = 0;
        for (const auto& p : positions) {
            ModelVertex& v = model.vertices[f * model.vertex_count + i++];
            v.x = fixed_from_float(p[0]);
            v.y = fixed_from_float(p[1]);
            v.z = fixed_from_float(p[2]);
        }
    }
    int32_t i = 0;
    for (const auto& face : faces) {
        model.faces[i++] = ModelFace{face[0], face[1], face[2], 0, 0, 0, 0};
    }
    return model;
}

void set_normal(ModelVertex& v, Fixed x, Fixed y, Fixed z)
{
    v.nx = x;
    v.ny = y;
    v.nz = z;
}

}  // namespace

TEST(ModelPrep, ScaleAndInflateEveryStoredFrameButNotTheScratch)
{
    Model model = make_model({{8.0f, -4.0f, 2.0f}}, {}, 2);
    model.vertices[0].u = 123;
    set_normal(model.vertices[1], 0, 0, FIXED_ONE);
    model.vertices[2].x = 777;  // the scratch frame
    scale_model(&model, 0.25f);
    EXPECT_EQ(model.vertices[0].x, fixed_from_float(2.0f));
    EXPECT_EQ(model.vertices[0].y, fixed_from_float(-1.0f));
    EXPECT_EQ(model.vertices[1].z, fixed_from_float(0.5f));
    EXPECT_EQ(model.vertices[0].u, 123);
    EXPECT_EQ(model.vertices[2].x, 777);
    inflate_model(&model, 8.0f);
    EXPECT_EQ(model.vertices[1].z, fixed_from_float(8.5f));
    EXPECT_EQ(model.vertices[0].z, fixed_from_float(0.5f));  // a zero normal stays put
    EXPECT_EQ(model.vertices[1].nz, FIXED_ONE);
    free_model(&model);
}

TEST(ModelPrep, NormalsFromFacesPerFrame)
{
    Model model = make_model({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}},
                             {{0, 1, 2}, {4, 5, 6}}, 2);
    // Frame 1 turns the triangle to face along x.
    model.vertices[7 + 1].x = 0;
    model.vertices[7 + 1].z = FIXED_ONE;
    compute_vertex_normals(&model);
    for (int32_t i = 0; i < 3; i++) {
        EXPECT_EQ(model.vertices[i].nx, 0);
        EXPECT_EQ(model.vertices[i].ny, 0);
        EXPECT_EQ(model.vertices[i].nz, FIXED_ONE);
        EXPECT_EQ(model.vertices[7 + i].nx, -FIXED_ONE);  // (0,0,1) x (0,1,0)
    }
    for (const int32_t lone : {3, 4, 5, 6}) {  // on no face, or only on a degenerate one
        EXPECT_EQ(model.vertices[lone].nx | model.vertices[lone].ny | model.vertices[lone].nz, 0);
    }
    free_model(&model);
}

TEST(ModelPrep, WeldingSharesNormalsOfCloseVertices)
{
    struct Case {
        const char* what;
        float second_x;
        float distance;
        Fixed nx, ny;  // of both afterwards (when welded)
        bool welded;
    };
    // clang-format off
    const Case cases[] = {
        {"coincident",                 0.0f,    0.125f,    2896, 2896, true},
        {"closer than the distance",   0.1f,    0.125f,    2896, 2896, true},
        {"exactly the distance apart", 0.125f,  0.125f,    0, 0, false},
        {"distance 1/64 welds equal",  0.0f,    0.015625f, 2896, 2896, true},
        {"below 1/64 welds nothing",   0.0f,    0.015f,    0, 0, false},
        {"far apart, no wrap round",   1000.0f, 0.125f,    0, 0, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model = make_model({{0, 0, 0}, {c.second_x, 0, 0}}, {});
        set_normal(model.vertices[0], FIXED_ONE, 0, 0);
        set_normal(model.vertices[1], 0, FIXED_ONE, 0);
        weld_vertex_normals(&model, c.distance);
        if (c.welded) {
            for (int32_t i = 0; i < 2; i++) {
                EXPECT_EQ(model.vertices[i].nx, c.nx);
                EXPECT_EQ(model.vertices[i].ny, c.ny);
            }
        } else {
            EXPECT_EQ(model.vertices[0].nx, FIXED_ONE);
            EXPECT_EQ(model.vertices[1].ny, FIXED_ONE);
        }
        free_model(&model);
    }
}

// With three close vertices the visiting order decides: (0,1), (0,2), then
// (1,0) and so on, each pair renormalising what the last one left.
TEST(ModelPrep, WeldingThreeFollowsTheVisitingOrder)
{
    Model model = make_model({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {});
    set_normal(model.vertices[0], FIXED_ONE, 0, 0);
    set_normal(model.vertices[1], 0, FIXED_ONE, 0);
    set_normal(model.vertices[2], 0, 0, FIXED_ONE);
    weld_vertex_normals(&model, 0.125f);
    // Vertex 0 keeps what the pair (2, 0) gave it; the pair (2, 1) then moved 1 and 2 on.
    const Fixed expected[3][3] = {{2554, 2554, 1930}, {2484, 2484, 2105}, {2484, 2484, 2105}};
    for (int32_t i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(model.vertices[i].nx, expected[i][0]);
        EXPECT_EQ(model.vertices[i].ny, expected[i][1]);
        EXPECT_EQ(model.vertices[i].nz, expected[i][2]);
    }
    free_model(&model);
}
