// Projection, depth values and outcodes, camera angles, frame blending and environment mapping.
#include <gtest/gtest.h>

#include "render3d/camera.h"
#include "render3d/model_frames.h"
#include "render3d/transform.h"
#include "support/model_builder.h"

namespace {

class Transform : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_test_camera();
        allocate_model(&model_, 1, 0, 1);
    }
    void TearDown() override { free_model(&model_); }

    // The projected copy of one model-space point of a model at the origin.
    ModelVertex project(float x, float y, float z)
    {
        model_.vertices[0].x = fixed_from_float(x);
        model_.vertices[0].y = fixed_from_float(y);
        model_.vertices[0].z = fixed_from_float(z);
        transform_model(&model_);
        return model_.vertices[0];
    }

    Model model_ = {};
};

struct ProjectionCase {
    float x, y, z;
    int32_t sx, sy;  // 20.12 canvas pixels
    int32_t depth;
    uint32_t outcode;
    int32_t behind;
};

}  // namespace

// Depth and the far bit go by the 20.12 reciprocal of w, whose precision
// falls with distance: z = 5000 stays inside, 5461 is the first whole z
// marked far, and 10000 is not marked at all. Depth is not monotonic there.
TEST_F(Transform, ProjectsPointsToCanvasDepthAndOutcode)
{
    // clang-format off
    const ProjectionCase cases[] = {
        {10, 0, 100,    90 * 4096, 50 * 4096, 0x419B4000, 0, 0},
        {0, 0, 10,      80 * 4096, 50 * 4096, 0x3E000000, 0, 0},
        {0, 0, 9,       80 * 4096, 50 * 4096, 0x3D8E0000, CLIP_NEAR, 0},
        {0, 0, 5000,    80 * 4096, 50 * 4096, 0x41FBE000, 0, 0},
        {0, 0, 5460,    80 * 4096, 50 * 4096, 0x42000000, 0, 0},
        {0, 0, 5461,    80 * 4096, 50 * 4096, 0x42002000, CLIP_FAR, 0},
        {0, 0, 10000,   80 * 4096, 50 * 4096, 0x41FCE000, 0, 0},
        {0, 10, 100,    80 * 4096, 163850,    0x419B4000, 0, 0},  // 40.0024: the truncated reciprocal
        {0, 0, 0,       80 * 4096, 50 * 4096, 0x40000000, 0, 0},
    };
    // clang-format on
    for (const ProjectionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "point " << c.x << ", " << c.y << ", " << c.z);
        const ModelVertex v = project(c.x, c.y, c.z);
        EXPECT_EQ(v.sx, c.sx);
        EXPECT_EQ(v.sy, c.sy);
        EXPECT_EQ(v.depth, c.depth);
        EXPECT_EQ(v.outcode, c.outcode);
        EXPECT_EQ(v.behind, c.behind);
        EXPECT_EQ(v.w, FIXED_ONE);
    }
}

TEST_F(Transform, SidesOfTheViewAndBehindTheCamera)
{
    EXPECT_EQ(project(200, 0, 100).outcode, CLIP_X_MIN);  // x grows right on the canvas, so clip x falls
    EXPECT_EQ(project(-200, 0, 100).outcode, CLIP_X_MAX);
    EXPECT_EQ(project(0, 200, 100).outcode, CLIP_Y_MIN);
    EXPECT_EQ(project(0, -200, 100).outcode, CLIP_Y_MAX);
    const ModelVertex behind = project(0, 0, -50);
    EXPECT_EQ(behind.behind, -1);
}

TEST_F(Transform, CameraPoseStoresNegatedRadiansAndTurnsByTheGivenAngle)
{
    set_camera_pose(0.0f, 0.0f, 0.0f, 90.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(camera.yaw, -1.5708f);
    update_camera(camera);
    // A quarter turn about Y, (x, z) -> (z, -x): the -x axis comes in front
    // of the camera and the +x axis goes behind it.
    EXPECT_EQ(project(100, 0, 0).behind, -1);
    const ModelVertex v = project(-100, 0, 0);
    EXPECT_EQ(v.behind, 0);
    EXPECT_NEAR(v.sx, 80 * 4096, 2 * 4096);
    // The camera moved back by 50 sees the origin-centred point nearer the edge.
    set_camera_pose(0.0f, 0.0f, -50.0f, 0.0f, 0.0f, 0.0f);
    update_camera(camera);
    EXPECT_EQ(project(10, 0, 50).sx, 90 * 4096);
}

TEST_F(Transform, ModelPoseMovesAndTurnsBeforeViewing)
{
    set_model_pose(&model_, 0.0f, 0.0f, 90.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(project(10, 0, 10).sx, 90 * 4096);
    // A quarter-turn yaw takes model +z to world +x (within table precision).
    set_model_pose(&model_, 0.0f, 0.0f, 100.0f, 1.5707964f, 0.0f, 0.0f);
    EXPECT_NEAR(project(0, 0, 10).sx, 90 * 4096, 4096);
}

TEST(FrameBlending, BlendsNeighbourFramesAndWrapsTheTime)
{
    Model model = {};
    allocate_model(&model, 1, 0, 4);
    for (int32_t f = 0; f < 4; f++) {
        model.vertices[f].x = fixed_from_int(f * 8);
        model.vertices[f].u = 1000 * f;
        model.vertices[f].nz = FIXED_ONE * f;
    }
    struct Case {
        float t;
        Fixed x;
        int32_t u;
    };
    // clang-format off
    const Case cases[] = {
        {2.25f,  fixed_from_int(18), 2250},
        {3.5f,   fixed_from_int(12), 1500},   // the last frame blends into frame 0
        {0.0f,   0,                  0},
        {5.25f,  fixed_from_int(10), 1250},   // past the frames: wrapped to 1.25
        {-0.5f,  fixed_from_int(12), 1500},   // before them: wrapped to 3.5
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        blend_model_frames(&model, c.t);
        EXPECT_EQ(model.current_frame, 4);
        EXPECT_EQ(model.frame_time, c.t);
        EXPECT_EQ(model.vertices[4].x, c.x);
        EXPECT_EQ(model.vertices[4].u, c.u);
    }
    blend_model_frames(&model, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(model.vertices[4].x, 0);
    free_model(&model);
}

TEST(FrameBlending, OneFrameModelBlendsIntoItsOwnScratchFrame)
{
    Model model = {};
    allocate_model(&model, 2, 0, 1);
    model.vertices[1].y = 777;
    blend_model_frames(&model, 0.75f);
    EXPECT_EQ(model.current_frame, 1);
    EXPECT_EQ(model.vertices[3].y, 777);
    free_model(&model);
    blend_model_frames(&model, 0.5f);  // an empty model is left alone
    EXPECT_EQ(model.vertices, nullptr);
}

TEST_F(Transform, EnvironmentMapSamplesByCameraSpaceNormal)
{
    struct Case {
        Fixed nx, ny, nz;
        int32_t u, v;
    };
    // clang-format off
    const Case cases[] = {
        {0, 0, -FIXED_ONE,  16384, 16384},  // facing the viewer: the centre
        {FIXED_ONE, 0, 0,   32768, 16384},  // right: the right edge
        {0, FIXED_ONE, 0,   16384, 0},      // up: the top row
        {-2048, 0, 0,       8192, 16384},
    };
    // clang-format on
    for (const Case& c : cases) {
        model_.vertices[0].nx = c.nx;
        model_.vertices[0].ny = c.ny;
        model_.vertices[0].nz = c.nz;
        transform_model(&model_);
        apply_environment_map(&model_);
        EXPECT_EQ(model_.vertices[0].u, c.u);
        EXPECT_EQ(model_.vertices[0].v, c.v);
    }
}
