// Renders the generated models from every camera set-up of their scenes, and the pictures, to PNG files to look at.
// Run from the top of the tree after the build: build/tools/assets/korvel_asset_preview OUT_FOLDER
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/cell_table.h"
#include "display/console_display.h"
#include "display/present.h"
#include "gfx2d/canvas.h"
#include "gfx2d/filters.h"
#include "gfx2d/picture_slots.h"
#include "gfx2d/texture_effects.h"
#include "graffiti/gml.h"
#include "graffiti/graffiti_intro.h"
#include "graffiti/tag_overlay.h"
#include "platform/console.h"
#include "render3d/camera.h"
#include "render3d/depth_buffer.h"
#include "render3d/model_frames.h"
#include "render3d/rasterizer.h"
#include "render3d/transform.h"
#include "runtime/asset_catalog.h"
#include "scenes/assets.h"
#include "scenes/model_passes.h"
#include "scenes/scene_prep.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

Framebuffer canvas;
std::string out_dir;

// Each shot at 3x, and beside it the 2 x 2 averaged view a cell shows.
void save(const std::string& name, const uint32_t* pixels, int32_t width, int32_t height, int32_t zoom)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * zoom * height * zoom * 3);
    for (int32_t y = 0; y < height * zoom; y++) {
        for (int32_t x = 0; x < width * zoom; x++) {
            const uint32_t p = pixels[(y / zoom) * width + x / zoom];
            unsigned char* d = &rgb[(static_cast<size_t>(y) * width * zoom + x) * 3];
            d[0] = p & 0xFF;
            d[1] = (p >> 8) & 0xFF;
            d[2] = (p >> 16) & 0xFF;
        }
    }
    const std::string path = out_dir + "/" + name + ".png";
    stbi_write_png(path.c_str(), width * zoom, height * zoom, 3, rgb.data(), width * zoom * 3);
}

// The canvas as the cells show it: the real conversion into 80 x 50 cells,
// each drawn as a block of its background mixed with its foreground by the
// share of the cell its glyph inks. Beside the canvas at the same size.
bool cells_on = false;

void save_with_cells(const std::string& name)
{
    static const uint32_t PALETTE[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};  // 0xBBGGRR
    display_present(canvas.pixels);
    display_flush();
    const int32_t count = platform_headless_frame_count();
    if (count == 0) {
        return;
    }
    const RecordedFrame f = platform_headless_frame(count - 1);
    std::vector<uint32_t> both(CANVAS_WIDTH * 2 * CANVAS_HEIGHT);
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        for (int32_t x = 0; x < CANVAS_WIDTH; x++) {
            both[y * CANVAS_WIDTH * 2 + x] = canvas.pixels[y * CANVAS_WIDTH + x];
            const int32_t cx = x * f.columns / CANVAS_WIDTH;
            const int32_t cy = y * f.rows / CANVAS_HEIGHT;
            const uint8_t ch = f.characters[cy * f.columns + cx];
            const uint8_t attr = f.attributes[cy * f.columns + cx];
            int32_t level = 0;
            for (int32_t i = 0; i < GLYPH_LEVELS * GLYPH_VARIANTS; i++) {
                if (GLYPH_RAMP[i] == ch) {
                    level = i / GLYPH_VARIANTS;
                }
            }
            const uint32_t fg = PALETTE[attr & 15];
            const uint32_t bg = PALETTE[(attr >> 4) & 15];
            uint32_t out = 0;
            for (int32_t c = 0; c < 3; c++) {
                const uint32_t a = (bg >> (8 * c)) & 0xFF;
                const uint32_t b = (fg >> (8 * c)) & 0xFF;
                out |= ((a * (15 - level) + b * level) / 15) << (8 * c);
            }
            both[y * CANVAS_WIDTH * 2 + CANVAS_WIDTH + x] = out;
        }
    }
    save(name, both.data(), CANVAS_WIDTH * 2, CANVAS_HEIGHT, 3);
}

float depth_coverage()
{
    int32_t n = 0;
    for (int32_t d : get_depth_buffer()->depth) {
        n += d != 0x7FFFFFFF ? 1 : 0;
    }
    return 100.0f * static_cast<float>(n) / CANVAS_PIXELS;
}

float coverage(uint32_t background)
{
    int32_t n = 0;
    for (uint32_t p : canvas.pixels) {
        n += (p & 0xFFFFFF) != (background & 0xFFFFFF) ? 1 : 0;
    }
    return 100.0f * static_cast<float>(n) / CANVAS_PIXELS;
}

void shot(const char* name, uint32_t background)
{
    std::printf("%-28s covers %5.1f %%\n", name, coverage(background));
    save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
}

// The points of the planes z = -40, 0 and 40 that the canvas centre and corners show.
void probe_column()
{
    const float targets[3][2] = {{80, 50}, {10, 10}, {150, 90}};
    for (float z = -40; z <= 40; z += 40) {
        for (const auto& t : targets) {
            float best = 1e9f, bx = 0, by = 0;
            for (float x = -300; x <= 300; x += 2) {
                for (float y = -100; y <= 400; y += 2) {
                    const Fixed* m = camera.view_projection.m;
                    const double f = 1.0 / 4096.0;
                    const double cx = (x * m[0] + y * m[4] + z * m[8]) * f + m[12] * f;
                    const double cy = (x * m[1] + y * m[5] + z * m[9]) * f + m[13] * f;
                    const double w = (x * m[3] + y * m[7] + z * m[11]) * f + m[15] * f;
                    if (w >= 0) {
                        continue;
                    }
                    const double px = 80 - 80 * cx / w, py = 50 + 50 * cy / w;
                    const float d = static_cast<float>((px - t[0]) * (px - t[0]) + (py - t[1]) * (py - t[1]));
                    if (d < best) {
                        best = d, bx = x, by = y;
                    }
                }
            }
            std::printf("  z=%3.0f canvas (%3.0f,%3.0f) shows x=%4.0f y=%4.0f (off %.1f)\n", z, t[0], t[1], bx, by,
                        std::sqrt(best));
        }
    }
}

void blz_shot(int32_t preset, float s)
{
    const float q = std::min(s / 70.0f, 1.0f);
    const float e = 70.0f * q * q;
    uint32_t bg = 0xFFFFFF;
    clear_canvas(bg);
    clear_depth_buffer();
    float a = 0.0f;
    if (preset == 0) {
        set_camera_pose(42, 45, 40 - (s + 233), 9.5f, -1, 0);
        set_camera_projection(camera, 50, 620, 430);
        a = e + 13;
    } else if (preset == 1) {
        set_camera_pose(-43, 205, e - 146, -14, -25, -10);
        set_camera_projection(camera, 50, 620, 330);
    } else if (preset == 2) {
        set_camera_pose(s - 47, 176, -62, 21, -18, 0);
        set_camera_projection(camera, 45, 600, 330);
    } else {
        set_camera_pose(s + 14, 109, -73, 24, 30, 0);
        set_camera_projection(camera, 15, 620, 330);
        bg = 0;
        clear_canvas(0);
    }
    update_camera(camera);
    if (getenv("PROBE") != nullptr) {
        probe_column();
    }
    while (a > static_cast<float>(blz_model.frame_count)) {
        a -= static_cast<float>(blz_model.frame_count);
    }
    blend_model_frames(&blz_model, a);
    set_model_pose(&blz_model, 0, 0, 0, 0, 0, 0);
    transform_model(&blz_model);
    draw_model(&blz_model, &canvas);
    const float cov = depth_coverage();
    depth_shade(&canvas, get_depth_buffer()->depth, 0x7FFFFFFF, 0, 16.0f, 128.0f);
    if (getenv("LEVELS") != nullptr) {
        apply_levels(&canvas, 0, 0, 160, 100, static_cast<int16_t>(400 - 2 * s), static_cast<int16_t>(510 - 2 * s));
    }
    char name[64];
    std::snprintf(name, sizeof name, "blz_p%d_s%03d", preset, static_cast<int32_t>(s));
    std::printf("%-28s covers %5.1f %%\n", name, cov);
    save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
}

void diplo_shot(int32_t preset, float s)
{
    struct Cam {
        float x, y, z, yaw, pitch, roll, scale;
    };
    const Cam cams[8] = {{-260, 6, -250, -50, 8, 0, 625},    {-43, 73, -176, -15, 6, 0, 625},
                         {-96, 13, -146, -33, 5, 0, 625},    {-37, 4, -76, -25, 4, 0, 625},
                         {-40, 2, -109, -36, 33, 0, 142},    {-116, 27, -186, -43, 22, 12, 551},
                         {-116, 27, -186, -43, 22, 12, 551}, {-238, 16, -173, -57, 6, 0, 624}};
    const Cam& c = cams[preset];
    const uint32_t bg = 0x8FFF00;
    clear_canvas(bg);
    clear_depth_buffer();
    set_camera_pose(c.x, c.y, c.z, c.yaw, c.pitch, c.roll);
    set_camera_projection(camera, 50, 600, c.scale);
    update_camera(camera);
    Model* body = &diplo_models.body;
    float herd_frame = 0.0f;
    if (preset < 4) {
        float f = s * 20 + 5;
        while (f > 20) {
            f -= 20;
        }
        blend_model_frames(body, f);
        set_model_pose(body, 0, 0, 0, 0, 0, 0);
        draw_model_passes(&diplo_models, 3, &canvas);
    } else {
        float f = preset == 4   ? std::min(2.5f * std::sqrt(s) + 27, 31.0f)
                  : preset == 5 ? std::min(1.25f * std::sqrt(0.5f * s) + 30, 31.0f)
                                : std::min(s * 20 + 31, 33.0f);
        blend_model_frames(body, f);
        herd_frame = f;
        const float poses[3][4] = {{0, 0, 0, 0}, {36, 0, 3, 0.105f}, {-33, 0, 17, -0.14f}};
        for (int32_t pass = 1; pass <= 2; pass++) {
            for (const auto& p : poses) {
                set_model_pose(body, p[0], p[1], p[2], p[3], 0, 0);
                draw_model_passes(&diplo_models, pass, &canvas);
            }
        }
    }
    // The share is the animals' alone, measured before the lasers are laid over them.
    const float cov = coverage(bg);
    if (herd_frame > 31.25f && herd_frame < 32.75f) {
        blit_image(lasers_image, 0, 0);
    }
    char name[64];
    std::snprintf(name, sizeof name, "diplo_p%d_ms%04d", preset, static_cast<int32_t>(s * 1000));
    std::printf("%-28s covers %5.1f %%\n", name, cov);
    save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
}

void trex_shot(int32_t preset, float tf)
{
    const float s = tf * 0.001f;
    const uint32_t bg = 0xFF008F;
    clear_canvas(bg);
    clear_depth_buffer();
    float turn = 0;
    if (preset == 0) {
        const float u = (s + 0.75f) * 1.5f;
        set_camera_pose(-76, 7 * u + 3, -120, -35, 3 * u + 9, 0);
        set_camera_projection(camera, 50, 600, 710);
        turn = u * 0.04f;
    } else if (preset == 1) {
        set_camera_pose(-111, 32, -190, -35, 5, 0);
        set_camera_projection(camera, 50, 600, 589);
    } else {
        set_camera_pose(-238, 16, -173, -57, 6, 0);
        set_camera_projection(camera, 50, 600, 624);
    }
    update_camera(camera);
    const float g = preset == 0 ? 0.0f : 3.0f * preset - 1;
    const float rate = preset == 1 ? 0.001f : 0.01f;
    const float f = std::min(tf * rate + g, g + 2);
    blend_model_frames(&trex_models.body, f);
    set_model_pose(&trex_models.body, 0, 0, 0, turn, 0, 0);
    draw_model_passes(&trex_models, 3, &canvas);
    char name[64];
    std::snprintf(name, sizeof name, "trex_p%02d_ms%04d", preset, static_cast<int32_t>(tf));
    shot(name, bg);
}

void rock_shot(int32_t count, float tf)
{
    const float s = tf * 0.001f;
    clear_canvas(0);
    blit_image(picture_slots.slots[3], static_cast<int32_t>(0 - s * 120), 0);
    clear_depth_buffer();
    set_camera_pose(-47, 42, 0, 270, -37, 33);
    set_camera_projection(camera, 25, 350, 212);
    update_camera(camera);
    const int32_t xs[5] = {0, 100, 250, 75, 250};
    const int32_t ys[5] = {0, -15, -10, -200, -100};
    const int32_t zs[5] = {0, 65, 20, -55, -70};
    for (int32_t i = 0; i < count; i++) {
        const float h = std::sin(2.0f * i + s * 0.5f) * 8.0f;
        set_model_pose(&rock_model, xs[i], ys[i], zs[i] + h, 0, 0, s);
        transform_model(&rock_model);
        draw_model(&rock_model, &canvas);
    }
    char name[64];
    std::snprintf(name, sizeof name, "rock_n%d_ms%04d", count, static_cast<int32_t>(tf));
    std::printf("%-28s covers %5.1f %%\n", name, depth_coverage());
    save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
}

void row_shot(float s)
{
    clear_canvas(0xFF3300);
    clear_depth_buffer();
    set_camera_pose(95, 67, -142, 31, -15, 0);
    set_camera_projection(camera, 50, 250, 212);
    update_camera(camera);
    const float zs[5] = {0, 50, 100, -50, -100};
    for (float z : zs) {
        set_model_pose(&row_model, 0, 0, z, s, 0, 0);
        transform_model(&row_model);
        draw_model(&row_model, &canvas);
    }
    const float cov = coverage(0xFF3300);
    depth_shade(&canvas, get_depth_buffer()->depth, 0x7FFFFFFF, 0, 8.0f, 256.0f);
    char name[64];
    std::snprintf(name, sizeof name, "row_s%02d", static_cast<int32_t>(s * 10));
    std::printf("%-28s covers %5.1f %%\n", name, cov);
    save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
}

void picture_shot(const char* name, const Image& image)
{
    if (image.pixels != nullptr) {
        save(name, image.pixels, image.width, image.height, 2);
    }
}

// The picture scenes as their scenes compose them, from the same pictures and effects.
void scene_save(const std::string& name)
{
    if (cells_on) {
        save_with_cells(name);
    } else {
        save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 4);
    }
}

void band_shot(const char* name, const Image& image, int32_t band)
{
    clear_canvas(0x402010);
    blit_image(image, 0, -100 * band);
    scene_save(name);
}

void picture_scene_shots()
{
    char name[64];
    for (int32_t band = 0; band < 4; band++) {
        clear_canvas(0);
        blit_image(picture_slots.slots[1], 0, -100 * band);
        add_tunnel(180.0f, 80.0f, dino_tile_image, &canvas, 1500 + 700 * band);
        std::snprintf(name, sizeof name, "scene01_title_band%d", band);
        scene_save(name);
    }
    for (int32_t t : {60, 400}) {
        draw_tunnel(125.0f, 60.0f, tile_purple_image, &canvas, 2000 + t);
        blit_image(vw0_image, 80, 32);
        if (t < 125) {
            blit_image(vw1_image, 80, 32);
        }
        blit_image(bubble_image, 0, t < 125 ? 0 : -100);
        std::snprintf(name, sizeof name, "scene05_purple_t%03d", t);
        scene_save(name);
    }
    for (int32_t band = 0; band < 5; band++) {
        std::snprintf(name, sizeof name, "scene06_credits_band%d", band);
        band_shot(name, picture_slots.slots[2], band);
    }
    draw_warp(&canvas, 0, 0, 160, 100, dino_tile_image, 7000);
    scene_save("scene08_warp");
    for (int32_t t : {0, 160, 400, 720, 1040}) {
        std::snprintf(name, sizeof name, "scene09_boom_t%04d", t);
        band_shot(name, picture_slots.slots[4], t / 80);
    }
    for (int32_t band = 0; band < 4; band++) {
        std::snprintf(name, sizeof name, "scene10_ending_band%d", band);
        band_shot(name, picture_slots.slots[6], band);
    }
    for (float tf : {3000.0f, 9000.0f}) {
        blit_image(spare_backdrop, 0, 0);
        rotozoom(tf * 0.002f, 2.0f * std::sin(tf * 0.0004f), 0.5f, spare_texture, &canvas);
        rotozoom(tf * 0.0035f, 2.0f * std::sin(tf * 0.0005f), 0.5f, dino_tile_image, &canvas);
        std::snprintf(name, sizeof name, "scene12_rotozoom_t%05d", static_cast<int32_t>(tf));
        scene_save(name);
    }
    for (int32_t band = 0; band < 5; band++) {
        std::snprintf(name, sizeof name, "scene15_slides_band%d", band);
        band_shot(name, slides_image, band);
    }
    for (int32_t panel = 0; panel < 4; panel++) {
        rock_shot(3, 800);
        const float p = std::pow(static_cast<float>(600) / 250.0f, 0.5f);
        blit_image(picture_slots.slots[5], 60 - static_cast<int32_t>(p * 80.0f), -100 * panel);
        std::snprintf(name, sizeof name, "greets_panel%d_t0600", panel);
        scene_save(name);
    }
}

// Each tag over a mid-grey picture at a few moments, and the intro drawing.
void graffiti_shots()
{
    for (int32_t tag = 0; tag < 17; tag++) {
        for (int32_t t : {150, 400, 1500, 3000}) {
            clear_canvas(0x605040);
            draw_tag_overlay(t, tag, 1000 * tag);
            char name[64];
            std::snprintf(name, sizeof name, "tag%02d_t%04d", tag, t);
            save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 2);
        }
    }
    static GmlDrawing intro;
    load_gml("data/intro.gml", &intro);
    for (int32_t t : {2000, 6000, 10000, 15900}) {
        draw_intro_frame(&intro, t);
        char name[64];
        std::snprintf(name, sizeof name, "intro_t%05d", t);
        save(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT, 3);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    out_dir = argc > 1 ? argv[1] : "/tmp/preview";
    const std::string only = argc > 2 ? argv[2] : "";
    platform_console_close();
    set_canvas(&canvas);
    if (getenv("CELLS") != nullptr) {
        platform_console_select(CONSOLE_BACKEND_HEADLESS);
        display_open();
        cells_on = true;
    }
    load_assets();
    prepare_scenes();
    if (only.empty() || only == "blz") {
        for (int32_t p = 0; p < 4; p++) {
            blz_shot(p, 0);
            blz_shot(p, 60);
        }
        blz_shot(0, 20);
        blz_shot(0, 40);
        blz_shot(0, 70);
    }
    if (only.empty() || only == "diplo") {
        for (int32_t p = 0; p < 8; p++) {
            diplo_shot(p, 0.35f);
        }
        diplo_shot(4, 3.0f);
        diplo_shot(6, 0.05f);
    }
    if (only.empty() || only == "trex") {
        for (int32_t p = 0; p < 16; p++) {
            trex_shot(p, p == 1 ? 2000.0f : 300.0f);
        }
        trex_shot(0, 0);
    }
    if (only.empty() || only == "rock") {
        rock_shot(1, 500);
        rock_shot(5, 1500);
    }
    if (only.empty() || only == "row") {
        row_shot(0.0f);
        row_shot(1.0f);
    }
    if (only.empty() || only == "pictures") {
        for (int32_t i = 1; i <= 6; i++) {
            picture_shot(("slot" + std::to_string(i)).c_str(), picture_slots.slots[i]);
        }
        picture_shot("dino_tile", dino_tile_image);
        picture_shot("lasers", lasers_image);
        picture_shot("tile_purple", tile_purple_image);
        picture_shot("vw0", vw0_image);
        picture_shot("vw1", vw1_image);
        picture_shot("bubble", bubble_image);
        picture_shot("slides", slides_image);
        picture_shot("spare_texture", spare_texture);
        picture_shot("spare_backdrop", spare_backdrop);
    }
    if (only.empty() || only == "scenes") {
        picture_scene_shots();
    }
    if (only.empty() || only == "graffiti") {
        graffiti_shots();
    }
    free_assets();
    if (cells_on) {
        display_close();
    }
    return 0;
}
