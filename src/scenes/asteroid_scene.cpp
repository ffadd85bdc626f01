// The asteroid field: rocks bobbing and rolling in particle clouds before the scrolling promo band.
#include "scenes/asteroid_scene.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/random.h"
#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/rasterizer.h"
#include "render3d/transform.h"
#include "scenes/assets.h"

AsteroidScene asteroid_scene = {};

namespace {

constexpr int32_t COUNT_NEXT_BAND = 0;    // a restarted cue shows the next promo band
constexpr int32_t COUNT_FIRST_BAND = 15;  // a restarted cue returns to band 0
constexpr int32_t PROMO_SLOT = 3;
constexpr int32_t BAND_ROWS = 100;
constexpr float PROMO_PIXELS_PER_SECOND = 120.0f;

// clang-format off
// Where the rocks float, by rock number; counts above five draw these five.
constexpr int32_t ROCK_PLACES = 5;
constexpr int32_t ROCK_X[ROCK_PLACES] = {0, 100, 250,   75,  250};
constexpr int32_t ROCK_Y[ROCK_PLACES] = {0, -15, -10, -200, -100};
constexpr int32_t ROCK_Z[ROCK_PLACES] = {0,  65,  20,  -55,  -70};
// clang-format on

constexpr int32_t PARTICLE_SIZE = 8;
constexpr int32_t CLOUD_RADIUS_FIXED = 14 * FIXED_ONE;  // 20.12: 14 units round the rock's axis
constexpr int32_t STREAM_LENGTH = 50 * FIXED_ONE;       // 20.12: the particles wrap every 50 units
constexpr double STREAM_SPEED = 0.05;                   // units per millisecond
constexpr int32_t POINTS_ADD_SATURATE = 1;              // draw_model_points mode

// The fixed fields of the cloud record; its vertex count changes per rock.
void ready_cloud(Model* cloud)
{
    *cloud = Model{};
    cloud->vertices = asteroid_scene.cloud_vertices;
    cloud->frame_count = 1;
    cloud->texture = -1;
}

// Particle k: on a circle round the rock's axis, streaming back along -z
// from its own random offset, fading and wandering more the further it is.
void place_particle(ModelVertex* vertex, int32_t k, float tf)
{
    const int32_t r = random_next();
    const float a = float(double(r) + STREAM_SPEED * double(tf));
    // sin and cos of k rounded to float, then times 14 * 4096 exactly. Written
    // as double(float(...)) * ..., GCC's vectoriser fused the two round trips
    // and dropped the rounding at -O2 and above (not under the sanitizers),
    // so particles moved by a pixel between builds. A call taking a float
    // keeps the rounding in every build.
    const float sine = float(std::sin(double(k)));
    const float cosine = float(std::cos(double(k)));
    const int32_t x = mul_int_float(CLOUD_RADIUS_FIXED, sine);
    const int32_t y = mul_int_float(CLOUD_RADIUS_FIXED, cosine);
    // In 64 bits: at clocks of hours a * 4096 no longer fits 32 bits.
    const auto z = int32_t(int64_t(a * float(-FIXED_ONE)) % STREAM_LENGTH);
    const float b = float(double(z) / double(STREAM_LENGTH) + 1.0);  // 1 at the rock, towards 0 far off
    const auto red = uint32_t(51.0f * b);
    const auto green = uint32_t(40.0f * b);
    const auto blue = uint32_t(17.0f * b);
    const float m = float((double(x + y) + double(z) / double(FIXED_ONE)) * 0.1);
    const float w = (1.0f - b) * 4.0f;
    *vertex = ModelVertex{};
    vertex->x = x + int32_t(float(std::sin(double(m) + 0.01 * double(tf))) * w * float(FIXED_ONE));
    vertex->y = y + int32_t(float(std::sin(double(m) + 0.012 * double(tf))) * w * float(FIXED_ONE));
    vertex->z = z + int32_t(float(std::sin(double(m) + 0.007 * double(tf))) * w * float(FIXED_ONE));
    vertex->u = PARTICLE_SIZE;
    vertex->v = int32_t(red | green << 8 | blue << 16);
}

// Each band of the promo text has a camera of its own, so the field looks
// new each time the show comes back to it with the next band: the same place
// and heading, turned about its axis and zoomed.
struct AsteroidCamera {
    float roll;
    float scale;
};
constexpr AsteroidCamera ASTEROID_CAMERAS[] = {{33.0f, 212.0f}, {-12.0f, 180.0f}, {78.0f, 240.0f}, {150.0f, 196.0f}};
constexpr int32_t ASTEROID_CAMERA_COUNT = std::size(ASTEROID_CAMERAS);

void aim_asteroid_camera(int32_t band)
{
    const int32_t k = (band % ASTEROID_CAMERA_COUNT + ASTEROID_CAMERA_COUNT) % ASTEROID_CAMERA_COUNT;
    set_camera_pose(-47.0f, 42.0f, 0.0f, 270.0f, -37.0f, ASTEROID_CAMERAS[k].roll);
    set_camera_projection(camera, 25, 350, ASTEROID_CAMERAS[k].scale);
    update_camera(camera);
}

// Rock i and its cloud, bobbing along z at a phase of their own.
void draw_rock(int32_t i, float tf, float s, Framebuffer* canvas)
{
    fill_particle_cloud(i, tf);
    const double bob = std::sin(double(2 * i) + double(s) * 0.5) * 8.0;
    const auto x = float(ROCK_X[i]);
    const auto y = float(ROCK_Y[i]);
    const auto z = float(double(ROCK_Z[i]) + bob);
    set_model_pose(&rock_model, x, y, z, 0.0f, 0.0f, s);
    transform_model(&rock_model);
    draw_model(&rock_model, canvas);
    Model* cloud = &asteroid_scene.cloud;
    set_model_pose(cloud, x, y, z, 0.0f, 0.0f, 0.0f);
    transform_model(cloud);
    draw_model_points(cloud, POINTS_ADD_SATURATE, canvas);
}

}  // namespace

void reset_asteroid_scene()
{
    asteroid_scene.promo_panel = 0;
}

int32_t fill_particle_cloud(int32_t rock, float tf)
{
    Model* cloud = &asteroid_scene.cloud;
    ready_cloud(cloud);
    const int32_t n = CLOUD_MAX_PARTICLES / (rock * rock + 1);
    cloud->vertex_count = n;
    for (int32_t k = n - 1; k >= 0; k--) {  // the order the generator's numbers are handed out
        place_particle(&cloud->vertices[k], k, tf);
    }
    return n;
}

void scene_asteroids(int32_t t, int32_t count, int32_t restarted)
{
    // The control counts leave the previous frame on the canvas.
    if (count == COUNT_NEXT_BAND) {
        asteroid_scene.promo_panel += restarted != 0 ? 1 : 0;
        return;
    }
    if (count == COUNT_FIRST_BAND) {
        asteroid_scene.promo_panel = restarted != 0 ? 0 : asteroid_scene.promo_panel;
        return;
    }
    Framebuffer* canvas = get_canvas();
    const float tf = float(t);
    const float s = float(double(tf) * 0.001);
    clear_canvas(0);
    const Image* promo = picture_slot(PROMO_SLOT);
    if (promo != nullptr) {
        blit_image(*promo, int32_t(0.0f - s * PROMO_PIXELS_PER_SECOND), asteroid_scene.promo_panel * -BAND_ROWS);
    }
    clear_depth_buffer();
    aim_asteroid_camera(asteroid_scene.promo_panel);
    // Every frame draws the same numbers: the particles' offsets come back
    // from the seed instead of being stored.
    random_seed(0);
    const int32_t rocks = std::min(count, ROCK_PLACES);
    for (int32_t i = 0; i < rocks; i++) {
        draw_rock(i, tf, s, canvas);
    }
}
