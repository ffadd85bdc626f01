// A sphere made in the test, drawn in every span mode and as particles, against approved pictures.
#include <gtest/gtest.h>

#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/rasterizer.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"
#include "render3d/transform.h"
#include "support/golden.h"
#include "support/model_builder.h"

namespace {

class RenderGolden : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_test_camera();
        install_texture(0, 16, 16, checker_texel);
        build_sphere_model(&sphere_, 8, 12, 30.0f, 1);
        sphere_.texture = 0;
        span_function = span_opaque;
        clear_depth_buffer();
        fill_gradient();
    }
    void TearDown() override
    {
        span_function = span_opaque;
        free_model(&sphere_);
        texture_pool_clear();
    }

    // A backdrop the blending modes have something to work on.
    void fill_gradient()
    {
        for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
            for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
                canvas_.pixels[y * CANVAS_WIDTH + x] = static_cast<uint32_t>(x + y * 256 + 0x400000);
            }
        }
    }

    void draw_sphere_at(float x, float yaw)
    {
        set_model_pose(&sphere_, x, 0.0f, 100.0f, yaw, 0.4f, 0.2f);
        transform_model(&sphere_);
        draw_model(&sphere_, &canvas_);
    }

    Framebuffer canvas_;
    Model sphere_ = {};
};

}  // namespace

TEST_F(RenderGolden, TexturedSpheresOverlapByDepth)
{
    draw_sphere_at(-25.0f, 0.3f);
    draw_sphere_at(20.0f, 1.1f);
    EXPECT_TRUE(matches_golden("render3d_textured", canvas_));
}

TEST_F(RenderGolden, AdditiveAndMultipliedSpheres)
{
    select_additive_spans(1);
    draw_sphere_at(-35.0f, 0.3f);
    select_multiply_spans(1);
    draw_sphere_at(35.0f, 0.3f);
    EXPECT_TRUE(matches_golden("render3d_additive_multiply", canvas_));
}

// Each vertex's u is its size, v its colour; the left cloud adds, the right
// one averages behind a textured sphere that hides part of it.
TEST_F(RenderGolden, ParticlesAddAndAverage)
{
    Model cloud = {};
    build_sphere_model(&cloud, 8, 12, 30.0f, 1);
    for (int32_t i = 0; i < cloud.vertex_count; i++) {
        cloud.vertices[i].u = 4 + (i % 5) * 4;
        cloud.vertices[i].v = static_cast<int32_t>(0x0040A0F0u ^ static_cast<uint32_t>(i * 0x1337));
    }
    set_model_pose(&sphere_, 35.0f, 0.0f, 90.0f, 0.2f, 0.0f, 0.0f);
    transform_model(&sphere_);
    draw_model(&sphere_, &canvas_);
    set_model_pose(&cloud, 45.0f, 0.0f, 120.0f, 0.2f, 0.0f, 0.0f);
    transform_model(&cloud);
    draw_model_points(&cloud, 2, &canvas_);
    set_model_pose(&cloud, -40.0f, 0.0f, 100.0f, 0.2f, 0.0f, 0.0f);
    transform_model(&cloud);
    draw_model_points(&cloud, 1, &canvas_);
    free_model(&cloud);
    EXPECT_TRUE(matches_golden("render3d_particles", canvas_));
}
