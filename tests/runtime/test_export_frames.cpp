// A recorded frame against the headless console's grid for the same frame of the same show.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/random.h"
#include "display/console_display.h"
#include "platform/console.h"
#include "platform/glyphs.h"
#include "platform/palette.h"
#include "runtime/asset_catalog.h"
#include "runtime/export.h"
#include "runtime/export_music.h"
#include "runtime/sync_queue.h"
#include "runtime/timeline.h"
#include "scenes/scene_prep.h"
#include "support/cast_reader.h"
#include "support/headless_frames.h"
#include "support/screen_model.h"
#include "support/show_dir.h"

namespace {

// Two frames into the first flash (row 8, 0.96 s): a grey, dithered picture.
constexpr int64_t FRAME = 31;
constexpr int32_t FPS = 30;

// The live main loop's steps on the headless console, frames 0 to last.
RecordedFrame headless_frame(int64_t last)
{
    platform_console_select(CONSOLE_BACKEND_HEADLESS);
    platform_headless_clear();
    random_seed(1);
    timeline = TIMELINE_START;
    sync_queue_reset();
    stop_requested = 0;
    ExportPlan plan;
    std::string why;
    EXPECT_TRUE(plan_export(MUSIC_PATH, FPS, 0, 0, nullptr, 0, &plan, &why)) << why;
    open_demo_display();
    load_assets();
    prepare_scenes();
    size_t next = 0;
    for (int64_t k = 0; k <= last; k++) {
        for (; next < plan.syncs.size() && plan.syncs[next].frame == k; next++) {
            push_sync_event(SyncEvent{plan.syncs[next].command});
        }
        int32_t t = export_frame_time_ms(k, FPS);
        run_timeline(t);
    }
    free_assets();
    display_close();
    return last_frame();
}

TEST(ExportFrames, ARecordedFrameShowsTheHeadlessGridOfTheSameFrame)
{
    std::string dir = make_show_dir(test_show_song(), "frames");
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    ExportRequest request = {};
    request.record_path = "show.cast";
    DemoOptions options = {nullptr, 0, FPS};
    ASSERT_EQ(run_export(options, request), 0);
    CastRecording cast = read_cast(read_file("show.cast"));
    ASSERT_GT(static_cast<int64_t>(cast.events.size()), FRAME);

    ConsoleSettings saved = console_settings;
    console_settings.grid_columns = 160;
    console_settings.grid_rows = 50;
    RecordedFrame expected = headless_frame(FRAME);
    console_settings = saved;
    platform_console_select(CONSOLE_BACKEND_TERMINAL);
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);

    ScreenModel screen;
    screen_init(&screen, 160, 50);
    for (int64_t k = 0; k <= FRAME; k++) {
        screen_apply(&screen, cast.events[k].bytes.data(), static_cast<int32_t>(cast.events[k].bytes.size()));
    }
    ASSERT_EQ(expected.columns, 160);
    ASSERT_EQ(expected.rows, 50);
    GlyphTable glyphs;
    glyph_table_build(&glyphs, 1);
    int32_t glyphs_differing = 0;
    int32_t backgrounds_differing = 0;
    int32_t inked = 0;
    for (int32_t i = 0; i < 160 * 50; i++) {
        uint8_t c = expected.characters[i];
        std::string glyph(reinterpret_cast<const char*>(glyphs.bytes[c]), glyphs.length[c]);
        glyphs_differing += screen.glyphs[i] != glyph;
        backgrounds_differing += screen.backgrounds[i] != ansi_from_console(expected.attributes[i] >> 4);
        inked += c != ' ';
    }
    EXPECT_EQ(glyphs_differing, 0);
    EXPECT_EQ(backgrounds_differing, 0);
    EXPECT_GT(inked, 100) << "the frame should show the flash's dithered grey";
    EXPECT_EQ(screen.edge_overwrites, 0);
}

}  // namespace
