// Every model shot of the real show keeps its animals' heads (the emblem: its name) in the canvas and fills it
// sensibly.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/console.h"
#include "render/framing_measure.h"

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
