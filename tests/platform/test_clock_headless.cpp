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
        platform_console_select(CONSOLE_BACKEND_HEADLESS);
        platform_headless_clear();
    }
    ~HeadlessScope()
    {
        platform_console_close();
        platform_headless_clear();
        platform_console_select(CONSOLE_BACKEND_TERMINAL);
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
    ASSERT_EQ(platform_headless_frame_count(), 2);
    const RecordedFrame whole = platform_headless_frame(0);
    const RecordedFrame part = platform_headless_frame(1);
    EXPECT_EQ(whole.columns, 80);
    EXPECT_EQ(whole.rows, 50);
    EXPECT_EQ(std::memcmp(whole.characters, characters, sizeof(characters)), 0);
    EXPECT_EQ(std::memcmp(whole.attributes, attributes, sizeof(attributes)), 0);
    EXPECT_EQ(std::vector<uint8_t>(part.characters, part.characters + 6), (std::vector<uint8_t>{0, 1, 2, 80, 81, 82}));
    EXPECT_EQ(std::vector<uint8_t>(part.attributes, part.attributes + 6), (std::vector<uint8_t>{0, 0, 0, 10, 10, 10}));
    platform_headless_clear();
    EXPECT_EQ(platform_headless_frame_count(), 0);
}

TEST(Headless, KeepsOnlyTheNewestFramesOfALongRun)
{
    HeadlessScope scope;
    uint8_t cell[1] = {0};
    for (int32_t i = 0; i < HEADLESS_FRAME_LIMIT + 3; i++) {
        cell[0] = static_cast<uint8_t>(i);
        platform_console_write(cell, cell, 1, 1, 1);
    }
    ASSERT_EQ(platform_headless_frame_count(), HEADLESS_FRAME_LIMIT);
    EXPECT_EQ(platform_headless_frame(0).characters[0], 3);
    EXPECT_EQ(platform_headless_frame(HEADLESS_FRAME_LIMIT - 1).characters[0],
              static_cast<uint8_t>(HEADLESS_FRAME_LIMIT + 2));
}

}  // namespace
