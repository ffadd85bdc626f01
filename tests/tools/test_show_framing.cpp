// Every model shot of the real show keeps its animals' heads (the emblem: its name) in the canvas and fills it
// sensibly.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/console.h"
#include "render/framing_measure.h"
#include "support/xm_writer.h"

namespace {

// The show's own data/, with the loaders' messages on standard error.
void use_show_data()
{
    platform_console_close();
    std::filesystem::current_path(KORVEL_SOURCE_DIR);
}

}  // namespace

// The measure must see a head leave the picture, or the check over the show would pass whatever it shows.
TEST(ShowFraming, AShotThatLosesTheHeadIsSeenAndCuesSplitShots)
{
    use_show_data();
    XmSong song = xm_song(2);  // a cell holds one effect: the cue goes in the second channel
    const int32_t p = xm_add_pattern(&song, 64);
    xm_sync(&song, p, 0, 0, 0x02);   // the diplodocus,
    xm_sync(&song, p, 0, 1, 0x10);   // far: the whole animal
    xm_sync(&song, p, 16, 0, 0x13);  // the legs from the ground: the head far above
    xm_sync(&song, p, 32, 0, 0xFF);
    song.orders = {0};
    const std::string path = xm_write_temp(xm_build(song), "framing.xm");
    std::vector<ShotFraming> shots;
    std::string why;
    ASSERT_TRUE(measure_framing(path.c_str(), &shots, &why)) << why;
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_EQ(shots[0].preset, 0);
    EXPECT_EQ(head_share(shots[0]), 1.0);
    EXPECT_GT(mean_coverage(shots[0]), 0.0);
    EXPECT_EQ(shots[1].preset, 3);
    EXPECT_EQ(head_share(shots[1]), 0.0);
}

TEST(ShowFraming, EveryModelShotShowsItsHeadsAndCoversATenthToFourFifths)
{
    platform_console_close();                          // a loader's message goes straight to standard error
    std::filesystem::current_path(KORVEL_SOURCE_DIR);  // the show's data/
    std::vector<ShotFraming> shots;
    std::string why;
    ASSERT_TRUE(measure_framing(KORVEL_SHOW_MODULE, &shots, &why)) << why;
    std::set<int32_t> scenes;
    for (const ShotFraming& shot : shots) {
        SCOPED_TRACE("shot at " + std::to_string(shot.start_ms) + " ms, scene " + std::to_string(shot.scene) +
                     ", preset " + std::to_string(shot.preset));
        scenes.insert(shot.scene);
        EXPECT_GE(head_share(shot), 0.75);
        EXPECT_GE(mean_coverage(shot), 0.10);
        EXPECT_LE(mean_coverage(shot), 0.80);
    }
    EXPECT_EQ(scenes, (std::set<int32_t>{0, 2, 3, 14}));
}
