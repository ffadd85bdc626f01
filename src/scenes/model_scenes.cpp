// The scenes that show one model from fixed camera set-ups chosen by the cue argument.
#include "scenes/model_scenes.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "gfx2d/canvas.h"
#include "gfx2d/filters.h"
#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/model_frames.h"
#include "render3d/rasterizer.h"
#include "render3d/transform.h"
#include "scenes/assets.h"
#include "scenes/model_passes.h"

ModelSceneState model_scene_state = {};

// clang-format off
const ModelPlace DIPLODOCUS_HERD[HERD_SIZE] = {
    {  0.0f, 0.0f,  0.0f,  0.0f},
    { 36.0f, 0.0f,  3.0f,  0.105f},
    {-33.0f, 0.0f, 17.0f, -0.14f},
};
// clang-format on
const float ROW_PLACES[ROW_SIZE] = {0.0f, 50.0f, 100.0f, -50.0f, -100.0f};

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0;
constexpr uint32_t ROW_GROUND = 0xFF3300;

// The grounds a restarted cue picks from (packed canvas colours).
constexpr uint32_t GROUND_COLOURS[4] = {0x00FF8F, 0x8FFF00, 0x8F00FF, 0xFF008F};

// A camera pose (angles in degrees) with the scale of its lens.
struct Shot {
    float x, y, z, yaw, pitch, roll, scale;
};

constexpr int32_t DINO_NEAR = 50;
constexpr int32_t DINO_FAR = 600;

// clang-format off
// Diplodocus presets 0-4, 5 and 6 (one row each), and 7-15.
constexpr Shot DIPLODOCUS_SHOTS[7] = {
    {-260.0f,  6.0f, -250.0f, -50.0f,  8.0f,  0.0f, 625.0f},
    { -43.0f, 73.0f, -176.0f, -15.0f,  6.0f,  0.0f, 625.0f},
    { -96.0f, 13.0f, -146.0f, -33.0f,  5.0f,  0.0f, 625.0f},
    { -37.0f,  4.0f,  -76.0f, -25.0f,  4.0f,  0.0f, 625.0f},
    { -40.0f,  2.0f, -109.0f, -36.0f, 33.0f,  0.0f, 142.0f},
    {-116.0f, 27.0f, -186.0f, -43.0f, 22.0f, 12.0f, 551.0f},
    {-238.0f, 16.0f, -173.0f, -57.0f,  6.0f,  0.0f, 624.0f},
};
// clang-format on
constexpr Shot TREX_FAR_SHOT = {-238.0f, 16.0f, -173.0f, -57.0f, 6.0f, 0.0f, 624.0f};
constexpr Shot TREX_SIDE_SHOT = {-111.0f, 32.0f, -190.0f, -35.0f, 5.0f, 0.0f, 589.0f};

constexpr float WALK_CYCLE = 20.0f;  // frames of the diplodocus walk, one second long
constexpr float LASERS_FROM = 31.25f;
constexpr float LASERS_UNTIL = 32.75f;

void aim_camera(const Shot& shot, int32_t near, int32_t far)
{
    set_camera_pose(shot.x, shot.y, shot.z, shot.yaw, shot.pitch, shot.roll);
    set_camera_projection(camera, near, far, shot.scale);
    update_camera(camera);
}

// A restarted cue picks a new ground from the shared generator.
void clear_to_ground(uint32_t* ground, int32_t restarted)
{
    if (restarted != 0) {
        *ground = GROUND_COLOURS[random_next() & 3];
    }
    clear_canvas(*ground);
    clear_depth_buffer();
}

// Takes whole cycles off t while it exceeds the cycle, so that t equal to
// the cycle is kept. Each subtraction would be exact in float, so one fmod
// gives the same value at any clock without the loop.
float wrap_down(float t, float cycle)
{
    if (!(t > cycle) || !(cycle > 0.0f)) {
        return t;
    }
    const float rest = std::fmod(t, cycle);
    return rest == 0.0f ? cycle : rest;
}

// Diplodocus presets 0-4 have a row of their own, 5 and 6 share one, 7-15 the last.
int32_t diplodocus_shot(int32_t preset)
{
    if (preset <= 4) {
        return std::max(preset, 0);
    }
    return preset <= 6 ? 5 : 6;
}

// The herd's animation time, held once it reaches the end of its stretch.
float herd_frame(int32_t preset, float s)
{
    if (preset == 4) {
        return std::min(float(2.5 * std::sqrt(double(s)) + 27.0), 31.0f);
    }
    if (preset == 5) {
        return std::min(float(1.25 * std::sqrt(0.5 * double(s)) + 30.0), 31.0f);
    }
    return std::min(s * 20.0f + 31.0f, 33.0f);
}

// Every outline before any body: the bodies then cover their neighbours'
// outlines, and the outline shows only round the outside of the herd.
void draw_herd(Framebuffer* canvas)
{
    for (const int32_t passes : {PASS_OUTLINE, PASS_BODY}) {
        for (const ModelPlace& place : DIPLODOCUS_HERD) {
            set_model_pose(&diplo_models.body, place.x, place.y, place.z, place.yaw, 0.0f, 0.0f);
            draw_model_passes(&diplo_models, passes, canvas);
        }
    }
}

}  // namespace

void reset_model_scenes()
{
    model_scene_state = {};
}

void scene_blz_shots(int32_t t, int32_t preset)
{
    Framebuffer* canvas = get_canvas();
    const float s = float(double(t) * 0.001 * 12.0);
    const float q = std::min(s / 70.0f, 1.0f);
    const float e = 70.0f * q * q;  // 0 to 70 over the first 5833 ms
    clear_canvas(WHITE);
    clear_depth_buffer();
    float a = e;
    switch (preset) {
    case 0:
        set_camera_pose(42.0f, 45.0f, 40.0f - (s + 233.0f), 9.5f, -1.0f, 0.0f);
        set_camera_projection(camera, 50, 620, 430.0f);
        a = e + 13.0f;
        break;
    case 1:
        set_camera_pose(-43.0f, 205.0f, e - 146.0f, -14.0f, -25.0f, -10.0f);
        set_camera_projection(camera, 50, 620, 330.0f);
        a = 0.0f;
        break;
    case 2:
        set_camera_pose(s - 47.0f, 176.0f, -62.0f, 21.0f, -18.0f, 0.0f);
        set_camera_projection(camera, 45, 600, 330.0f);
        a = 0.0f;
        break;
    case 3:
        clear_canvas(BLACK);
        set_camera_pose(s + 14.0f, 109.0f, -73.0f, 24.0f, 30.0f, 0.0f);
        set_camera_projection(camera, 15, 620, 330.0f);
        a = 0.0f;
        break;
    default:  // the camera the previous frame set
        break;
    }
    update_camera(camera);
    blend_model_frames(&blz_model, wrap_down(a, float(blz_model.frame_count)));
    set_model_pose(&blz_model, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    transform_model(&blz_model);
    draw_model(&blz_model, canvas);
    depth_shade(canvas, get_depth_buffer()->depth, DEPTH_FAR_AWAY, 0, 16.0f, 128.0f);
    apply_levels(canvas, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, int32_t(400.0f - 2.0f * s), int32_t(510.0f - 2.0f * s));
}

void scene_diplodocus(int32_t t, int32_t preset, int32_t restarted)
{
    Framebuffer* canvas = get_canvas();
    const float s = float(double(t) * 0.001);
    clear_to_ground(&model_scene_state.diplodocus_ground, restarted);
    aim_camera(DIPLODOCUS_SHOTS[diplodocus_shot(preset)], DINO_NEAR, DINO_FAR);
    Model* body = &diplo_models.body;
    if (preset <= DIPLODOCUS_LAST_SINGLE) {
        blend_model_frames(body, wrap_down(s * WALK_CYCLE + 5.0f, WALK_CYCLE));
        set_model_pose(body, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        draw_model_passes(&diplo_models, PASS_OUTLINE | PASS_BODY, canvas);
        return;
    }
    const float f = herd_frame(preset, s);
    blend_model_frames(body, f);
    draw_herd(canvas);
    if (f > LASERS_FROM && f < LASERS_UNTIL) {
        blit_image(lasers_image, 0, 0);
    }
}

void scene_trex(int32_t t, int32_t preset, int32_t restarted)
{
    Framebuffer* canvas = get_canvas();
    const float tf = float(t);
    const float s = float(double(tf) * 0.001);
    float turn = 0.0f;
    clear_to_ground(&model_scene_state.trex_ground, restarted);
    if (preset == 0) {  // the camera rises and tilts down while the animal turns
        const float u = float((double(s) + 0.75) * 1.5);
        const Shot rising = {-76.0f, 7.0f * u + 3.0f, -120.0f, -35.0f, 3.0f * u + 9.0f, 0.0f, 710.0f};
        aim_camera(rising, DINO_NEAR, DINO_FAR);
        turn = float(double(u) * 0.04);
    } else {
        aim_camera(preset == 1 ? TREX_SIDE_SHOT : TREX_FAR_SHOT, DINO_NEAR, DINO_FAR);
    }
    // Each preset plays its own two frames and then holds.
    Model* body = &trex_models.body;
    const float first = preset == 0 ? 0.0f : float(3 * preset - 1);
    const float rate = preset == 1 ? 0.001f : 0.01f;
    const float f = std::min(tf * rate + first, first + 2.0f);
    if (f < float(body->frame_count)) {
        blend_model_frames(body, f);
    }
    set_model_pose(body, 0.0f, 0.0f, 0.0f, turn, 0.0f, 0.0f);
    draw_model_passes(&trex_models, PASS_OUTLINE | PASS_BODY, canvas);
}

void scene_model_row(int32_t t)
{
    Framebuffer* canvas = get_canvas();
    const float s = float(double(t) * 0.001);
    clear_canvas(ROW_GROUND);
    clear_depth_buffer();
    set_camera_pose(95.0f, 67.0f, -142.0f, 31.0f, -15.0f, 0.0f);
    set_camera_projection(camera, 50, 250, 212.0f);
    update_camera(camera);
    for (const float z : ROW_PLACES) {
        set_model_pose(&row_model, 0.0f, 0.0f, z, s, 0.0f, 0.0f);
        transform_model(&row_model);
        draw_model(&row_model, canvas);
    }
    depth_shade(canvas, get_depth_buffer()->depth, DEPTH_FAR_AWAY, 0, 8.0f, 256.0f);
}
