// The scene table hands each picture scene its own clock and cue argument.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "gfx2d/canvas.h"
#include "gfx2d/picture_slots.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "scenes/assets.h"
#include "scenes/picture_scenes.h"

namespace {

Framebuffer canvas;
std::vector<uint32_t> bands(160 * 400), vw1(20 * 20, 0xFFF0F0F0u);

struct Frame {
    int32_t now;
    std::initializer_list<uint8_t> bytes;
};

// Band k of the test pictures is grey 40 (k + 1); each case probes one pixel after its frames.
TEST(TimelinePictureScenes, ScenesGetTheirClocksAndCueArguments)
{
    for (size_t i = 0; i < bands.size(); i++) {
        bands[i] = 0xFF000000u | static_cast<uint32_t>(i / 160 / 100 + 1) * 40 * 0x010101u;
    }
    const Image banded = {bands.data(), 400, 160, 7};
    picture_slots.slots[4] = picture_slots.slots[6] = slides_image = banded;
    vw1_image = {vw1.data(), 20, 20, 4};
    set_canvas(&canvas);
    const struct {
        const char* name;
        std::initializer_list<Frame> frames;
        int32_t x, y;
        uint32_t expected;
    } cases[] = {
        {"boom on the scene clock", {{1000, {0x09}}, {1100, {0x11}}, {1170, {}}}, 0, 0, 0x777777},
        {"purple tunnel on the cue clock", {{0, {0x05}}, {1000, {0x10}}, {1100, {}}}, 85, 35, 0xEFEFEF},
        {"ending shows the cue's band", {{0, {0x0A, 0x12}}}, 0, 0, 0x777777},
        {"slides from an Fx byte", {{0, {0x0A}}, {500, {0xF3}}}, 0, 0, 0x9F9F9F},
        {"curtain on the cue clock", {{0, {0x0B}}, {1000, {0x11}}, {1060, {}}}, 50, 59, 0},
    };
    for (const auto& c : cases) {
        timeline = TIMELINE_START;
        sync_queue_reset();
        for (const Frame& f : c.frames) {
            clear_canvas(0x123456);
            for (uint8_t b : f.bytes) {
                push_sync_event(SyncEvent{b});
            }
            run_timeline(f.now);
        }
        EXPECT_EQ(canvas.pixels[c.y * CANVAS_WIDTH + c.x] & 0xFFFFFF, c.expected) << c.name;
    }
    picture_slots.slots[4] = picture_slots.slots[6] = slides_image = vw1_image = Image{};
}

// The second strobe of the show froze the credits: its last change, from the
// first selection's clock, held it until the new clock passed the old one.
TEST(TimelinePictureScenes, AStrobeSelectedAgainStrobesAtOnce)
{
    set_canvas(&canvas);
    timeline = TIMELINE_START;
    picture_scene_state = PICTURE_SCENES_START;
    sync_queue_reset();
    const Frame frames[] = {{0, {0x07}}, {5000, {}}, {6000, {0x06}}, {6100, {0x07}}, {6140, {}}};
    int32_t changed = 0;
    for (const Frame& f : frames) {
        clear_canvas(0x123456);
        for (uint8_t b : f.bytes) {
            push_sync_event(SyncEvent{b});
        }
        run_timeline(f.now);
        changed += (canvas.pixels[0] & 0xFFFFFF) != 0x123456;
    }
    EXPECT_EQ(changed, 4) << "every strobe frame, none of the credits";
}

}  // namespace
