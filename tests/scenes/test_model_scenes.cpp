// The model scenes with small sphere models made here: approved pictures, clocks, grounds and the lasers window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "core/random.h"
#include "gfx2d/canvas.h"
#include "render3d/texture_pool.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "scenes/assets.h"
#include "scenes/model_scenes.h"
#include "support/golden.h"
#include "support/model_builder.h"

namespace {

constexpr uint32_t GROUNDS[4] = {0x00FF8F, 0x8FFF00, 0x8F00FF, 0xFF008F};
constexpr uint32_t LASER_RED = 0x0000FE;  // opaque 255 blended one step darker

Framebuffer test_canvas;

uint32_t white_texel(int32_t, int32_t)
{
    return 0xFFFFFFFFu;
}

uint32_t light_texel(int32_t x, int32_t y)
{
    const auto level = static_cast<uint32_t>(255 - (std::abs(x - 8) + std::abs(y - 6)) * 14);
    return 0xFF000000u | level * 0x010101u;
}

class ModelScenes : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_canvas(&test_canvas);
        reset_model_scenes();
        random_seed(1);
        install_texture(0, 16, 16, checker_texel);
        install_texture(1, 1, 1, white_texel);
        install_texture(2, 16, 16, light_texel);
        build_swaying_triple(&diplo_models, 8, 12, 30.0f, 34, 40.0f, 3.0f, 0);
        build_swaying_triple(&trex_models, 8, 12, 30.0f, 12, 40.0f, 3.0f, 0);
        build_swaying_model(&blz_model, 8, 12, 25.0f, 10, 25.0f);
        for (int32_t i = 0; i < blz_model.vertex_count * 11; i++) {  // a tall emblem, as the shots expect
            blz_model.vertices[i].y *= 3;
        }
        build_sphere_model(&row_model, 6, 8, 12.0f, 1);
        blz_model.texture = row_model.texture = 0;
        // Narrower than the canvas: only its own 4 x 2 pixels may change.
        lasers_image = Image{static_cast<uint32_t*>(std::malloc(8 * sizeof(uint32_t))), 2, 4, 2};
        for (int32_t i = 0; i < 8; i++) {
            lasers_image.pixels[i] = 0xFF0000FFu;
        }
    }
    void TearDown() override
    {
        free_triple(&diplo_models);
        free_triple(&trex_models);
        free_model(&blz_model);
        free_model(&row_model);
        free_image(&lasers_image);
        texture_pool_clear();
    }
};

typedef void (*DrawScene)(int32_t t, int32_t preset);

struct SceneCase {
    const char* name;
    DrawScene draw;
    int32_t t;
    int32_t preset;
};

void diplodocus_cue(int32_t t, int32_t preset)
{
    scene_diplodocus(t, preset, 1);
}

void trex_cue(int32_t t, int32_t preset)
{
    scene_trex(t, preset, 1);
}

void model_row(int32_t t, int32_t)
{
    scene_model_row(t);
}

}  // namespace

TEST_F(ModelScenes, PicturesAtChosenClocksAndPresets)
{
    const SceneCase cases[] = {
        {"scene_blz_p0_t2000", scene_blz_shots, 2000, 0},
        {"scene_blz_p3_black_t1000", scene_blz_shots, 1000, 3},
        {"scene_diplo_p0_t750", diplodocus_cue, 750, 0},
        {"scene_diplo_herd_lasers_p6_t50", diplodocus_cue, 50, 6},
        {"scene_diplo_herd_p4_t4000", diplodocus_cue, 4000, 4},
        {"scene_trex_p0_t1500", trex_cue, 1500, 0},
        {"scene_trex_p1_t1000", trex_cue, 1000, 1},
        {"scene_model_row_t1000", model_row, 1000, 0},
    };
    for (const SceneCase& c : cases) {
        random_seed(5);
        c.draw(c.t, c.preset);
        EXPECT_TRUE(matches_golden(c.name, test_canvas)) << c.name;
    }
}

TEST_F(ModelScenes, AnimationClocksWrapHoldAndFollowThePreset)
{
    struct Case {
        DrawScene draw;
        int32_t t, preset;
        const Model* model;
        float frame;
    } cases[] = {
        {diplodocus_cue, 750, 0, &diplo_models.body, 20.0f},  // 5 + 15: not wrapped to 0
        {diplodocus_cue, 800, 0, &diplo_models.body, 1.0f},
        {diplodocus_cue, 60000, 5, &diplo_models.body, 31.0f},  // the slow herd holds at 31
        {scene_blz_shots, 0, 0, &blz_model, 3.0f},              // 13 less one cycle of 10
        {scene_blz_shots, 10000, 9, &blz_model, 10.0f},         // 70 wraps down to 10, not 0
        {trex_cue, 1000, 1, &trex_models.body, 3.0f},           // ten times slower from frame 2
        {trex_cue, 500, 2, &trex_models.body, 7.0f},            // frames 5-7, held at 7
        {trex_cue, 100, 5, &trex_models.body, 7.0f},            // 14 is past the 12 frames: kept
    };
    for (const Case& c : cases) {
        c.draw(c.t, c.preset);
        EXPECT_FLOAT_EQ(c.model->frame_time, c.frame) << c.t << " preset " << c.preset;
    }
}

TEST_F(ModelScenes, LasersShowOnlyBetweenFrames31Point25And32Point75)
{
    const struct {
        int32_t t, preset;
        bool shown;
    } cases[] = {{12, 6, false}, {13, 6, true}, {87, 6, true}, {88, 6, false}, {99999, 4, false}, {99999, 5, false}};
    for (const auto& c : cases) {
        scene_diplodocus(c.t, c.preset, 0);
        EXPECT_EQ(test_canvas.pixels[CANVAS_WIDTH + 3] & 0xFFFFFF, c.shown ? LASER_RED : 0u) << c.t;
        EXPECT_EQ(test_canvas.pixels[4] & 0xFFFFFF, 0u);  // beside the picture: the ground
    }
    free_image(&lasers_image);
    scene_diplodocus(50, 6, 0);
    EXPECT_EQ(test_canvas.pixels[CANVAS_WIDTH + 3] & 0xFFFFFF, 0u);
}

TEST_F(ModelScenes, OnlyARestartedCuePicksANewGround)
{
    timeline = TIMELINE_START;
    sync_queue_reset();
    const uint8_t bytes[] = {0x02, 0x11, 0x02, 0x10};
    uint32_t expected = 0;
    for (int32_t i = 0; i < 4; i++) {
        const RandomState before = random_state;
        push_sync_event(SyncEvent{bytes[i]});
        run_timeline(16 * (i + 1));
        const RandomState after = random_state;
        random_state = before;
        if (bytes[i] >> 4 == 1) {  // a cue: the ground is the next number's pick
            expected = GROUNDS[random_next() & 3];
        }
        EXPECT_EQ(random_state.state, after.state) << i;
        EXPECT_EQ(model_scene_state.diplodocus_ground, expected) << i;
        EXPECT_EQ(test_canvas.pixels[0] & 0xFFFFFF, expected);
    }
    scene_trex(100, 1, 0);
    EXPECT_EQ(test_canvas.pixels[0] & 0xFFFFFF, 0u);  // a ground of its own, black until its first cue
}

TEST_F(ModelScenes, EmptyModelsLeaveTheGroundAlone)
{
    free_model(&blz_model);
    blz_model.frame_count = 0;  // an animation of no frames must not be wrapped forever
    free_model(&row_model);
    scene_blz_shots(9000, 5);
    scene_model_row(500);
    for (const uint32_t p : test_canvas.pixels) {
        ASSERT_EQ(p & 0xFFFFFF, 0xFF3300u);
    }
}
