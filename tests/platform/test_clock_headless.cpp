// The virtual clock and the headless back end.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/clock.h"
#include "platform/console.h"

namespace {

TEST(Clock, VirtualClockElapsedTimeSurvivesTheWrap)
{
    platform_clock_use_virtual(0xFFFFFF00u);
    uint32_t start = platform_ticks_ms();
    platform_clock_advance(0x100);
    EXPECT_EQ(platform_ticks_ms(), 0u);
    platform_clock_advance(0x234);
    EXPECT_EQ(platform_ticks_elapsed(start, platform_ticks_ms()), 0x334);
    platform_clock_set(start - 5);
    EXPECT_EQ(platform_ticks_elapsed(start, platform_ticks_ms()), -5);
    platform_clock_use_real();
    uint32_t real = platform_ticks_ms();
    EXPECT_LE(platform_ticks_elapsed(real, platform_monotonic_ms()), 1000);
}

struct HeadlessScope {
    ConsoleSettings saved = console_settings;
    HeadlessScope()
    {
        console_settings.backend = CONSOLE_BACKEND_HEADLESS;
        platform_headless_clear();
    }
    ~HeadlessScope()
    {
        platform_console_close();
        platform_headless_clear();
        console_settings = saved;
    }
};

TEST(Headless, KeepsEveryWrittenViewAndGivesTheFullGrid)
{
    HeadlessScope scope;
    console_settings.fit = CONSOLE_FIT_ASPECT;  // no terminal: nothing to fit
    ASSERT_EQ(platform_console_open(), 0);
    ASSERT_EQ(platform_console_open(), 0);
    int32_t columns = 0;
    int32_t rows = 0;
    platform_console_view(80, 50, &columns, &rows);
    EXPECT_EQ(columns, 80);
    EXPECT_EQ(rows, 50);

    uint8_t characters[80 * 50];
    uint8_t attributes[80 * 50];
    for (int32_t i = 0; i < 80 * 50; i++) {
        characters[i] = static_cast<uint8_t>(i);
        attributes[i] = static_cast<uint8_t>(i >> 3);
    }
    platform_console_write(characters, attributes, 80, 80, 50);
    platform_console_write(characters, attributes, 80, 3, 2);  // a smaller view of the same arrays
    const std::vector<RecordedFrame>& frames = platform_headless_frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].columns, 80);
    EXPECT_EQ(frames[0].rows, 50);
    EXPECT_EQ(std::memcmp(frames[0].characters.data(), characters, sizeof(characters)), 0);
    EXPECT_EQ(std::memcmp(frames[0].attributes.data(), attributes, sizeof(attributes)), 0);
    EXPECT_EQ(frames[1].characters, (std::vector<uint8_t>{0, 1, 2, 80, 81, 82}));
    EXPECT_EQ(frames[1].attributes, (std::vector<uint8_t>{0, 0, 0, 10, 10, 10}));
    platform_headless_clear();
    EXPECT_TRUE(platform_headless_frames().empty());
}

TEST(Headless, KeepsOnlyTheNewestFramesOfALongRun)
{
    HeadlessScope scope;
    uint8_t cell[1] = {0};
    for (int32_t i = 0; i < HEADLESS_FRAME_LIMIT + 3; i++) {
        cell[0] = static_cast<uint8_t>(i);
        platform_console_write(cell, cell, 1, 1, 1);
    }
    const std::vector<RecordedFrame>& frames = platform_headless_frames();
    ASSERT_EQ(frames.size(), static_cast<size_t>(HEADLESS_FRAME_LIMIT));
    EXPECT_EQ(frames.front().characters[0], 3);
    EXPECT_EQ(frames.back().characters[0], static_cast<uint8_t>(HEADLESS_FRAME_LIMIT + 2));
}

}  // namespace
