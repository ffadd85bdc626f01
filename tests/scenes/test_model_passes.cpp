// The outline, body and light-map passes of a sphere triple made in the test, against approved pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/model_frames.h"
#include "render3d/model_prep.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"
#include "render3d/transform.h"
#include "scenes/model_passes.h"
#include "support/golden.h"
#include "support/model_builder.h"

namespace {

uint32_t white_texel(int32_t, int32_t)
{
    return 0xFFFFFFFFu;
}

// Bright in the middle, dark at the rim: what a light picture looks like.
uint32_t light_texel(int32_t x, int32_t y)
{
    const int32_t dx = x - 8;
    const int32_t dy = y - 5;
    const int32_t level = 255 - std::min(255, (dx * dx + dy * dy) * 4);
    const auto l = static_cast<uint32_t>(level);
    return 0xFF000000u | l | (l << 8) | ((l / 2 + 128) << 16);
}

class ModelPasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_test_camera();
        install_texture(0, 16, 16, checker_texel);
        install_texture(1, 1, 1, white_texel);
        install_texture(2, 16, 16, light_texel);
        Model* layers[3] = {&triple_.body, &triple_.shell, &triple_.light};
        for (int32_t i = 0; i < 3; i++) {
            build_sphere_model(layers[i], 8, 12, 30.0f, 2);
            layers[i]->texture = i;
        }
        compute_vertex_normals(&triple_.shell);
        weld_vertex_normals(&triple_.shell, 0.125f);
        inflate_model(&triple_.shell, 3.0f);
        compute_vertex_normals(&triple_.light);
        weld_vertex_normals(&triple_.light, 0.125f);
        set_model_pose(&triple_.body, 0.0f, 0.0f, 110.0f, 0.5f, 0.3f, 0.0f);
        blend_model_frames(&triple_.body, 0.4f);
        std::memset(&canvas_, 0x20, sizeof canvas_);
        clear_depth_buffer();
        span_function = span_opaque;
    }
    void TearDown() override
    {
        free_model(&triple_.body);
        free_model(&triple_.shell);
        free_model(&triple_.light);
        texture_pool_clear();
    }

    bool depth_cleared() const
    {
        for (const int32_t d : depth_buffer.depth) {
            if (d != DEPTH_FAR_AWAY) {
                return false;
            }
        }
        return true;
    }

    Framebuffer canvas_;
    ModelTriple triple_ = {};
};

}  // namespace

TEST_F(ModelPasses, NoPassesDrawNothing)
{
    const Framebuffer before = canvas_;
    draw_model_passes(&triple_, 0, &canvas_);
    EXPECT_EQ(std::memcmp(&before, &canvas_, sizeof canvas_), 0);
    EXPECT_TRUE(depth_cleared());
    EXPECT_EQ(triple_.shell.transformed, 0);
}

TEST_F(ModelPasses, OutlineAloneLeavesTheDepthBufferCleared)
{
    draw_model_passes(&triple_, PASS_OUTLINE, &canvas_);
    EXPECT_TRUE(depth_cleared());
    EXPECT_EQ(triple_.shell.frame_time, 0.4f);  // follows the body's animation
    EXPECT_TRUE(matches_golden("passes_outline", canvas_));
}

TEST_F(ModelPasses, BodyAndLightMap)
{
    draw_model_passes(&triple_, PASS_BODY, &canvas_);
    EXPECT_EQ(span_function, span_opaque);
    EXPECT_EQ(triple_.light.current_frame, 2);
    EXPECT_TRUE(matches_golden("passes_body_light", canvas_));
}

TEST_F(ModelPasses, OutlineThenBodyAndLightMap)
{
    draw_model_passes(&triple_, PASS_OUTLINE | PASS_BODY, &canvas_);
    EXPECT_TRUE(matches_golden("passes_all", canvas_));
}
