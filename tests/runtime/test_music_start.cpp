// start_music and stop_music: failures name the file and the reason; a module played
// on the silent thread delivers its sync bytes through the queue in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "runtime/music.h"
#include "support/xm_writer.h"

namespace {

class StartMusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        music_settings.force_silent = 1;  // never probe a real device from a test
        sync_queue_reset();
    }
    void TearDown() override
    {
        stop_music();
        sync_queue_reset();
    }
};

// Runs start_music and returns what it wrote on standard error.
std::string start_and_capture(const std::string& path, int32_t* result)
{
    ::testing::internal::CaptureStderr();
    *result = start_music(path.c_str());
    std::fflush(stderr);
    return ::testing::internal::GetCapturedStderr();
}

TEST_F(StartMusicTest, MissingFileFailsAndSaysWhichAndWhy)
{
    std::string path = "/nonexistent-korvel-dir/dino.xm";
    int32_t result = -1;
    std::string printed = start_and_capture(path, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(music_state.playing, 0);
    EXPECT_NE(music_state.last_error.find(path), std::string::npos);
    EXPECT_NE(music_state.last_error.find("No such file or directory"), std::string::npos);
    EXPECT_NE(printed.find(path), std::string::npos) << printed;
    SyncEvent event = {};
    EXPECT_EQ(pop_sync_event(&event), 0);
}

TEST_F(StartMusicTest, UnplayableFilesFailAndSayWhy)
{
    std::string junk = xm_write_temp(std::vector<uint8_t>(300, 0x5A), "junk.xm");
    int32_t result = -1;
    std::string printed = start_and_capture(junk, &result);
    EXPECT_EQ(result, 0);
    EXPECT_NE(printed.find(junk), std::string::npos) << printed;
    EXPECT_NE(music_state.last_error.find("not a module"), std::string::npos) << music_state.last_error;
    std::remove(junk.c_str());

    std::string empty = xm_write_temp({}, "empty.xm");
    EXPECT_EQ(start_music(empty.c_str()), 0);
    EXPECT_NE(music_state.last_error.find("empty file"), std::string::npos) << music_state.last_error;
    std::remove(empty.c_str());

    std::string directory = xm_write_temp({}, "dir.xm");
    std::remove(directory.c_str());
    ASSERT_TRUE(std::filesystem::create_directory(directory));
    EXPECT_EQ(start_music(directory.c_str()), 0);
    EXPECT_NE(music_state.last_error.find("not a regular file"), std::string::npos) << music_state.last_error;
    std::filesystem::remove(directory);
    EXPECT_EQ(music_state.playing, 0);
}

// The library loads these without a word: a file cut short plays as
// silence, a header claiming 65,535 patterns costs seconds and hundreds of MB.
// Either way the show plays what there is and says why it may sound wrong.
TEST_F(StartMusicTest, AModuleItsFileCannotHoldIsPlayedAndSaidOnce)
{
    std::vector<uint8_t> whole = xm_build(xm_song(2));
    std::vector<uint8_t> cut(whole.begin(), whole.end() - 100);
    std::vector<uint8_t> claiming = whole;
    claiming[70]++;  // one pattern more than the file holds
    const std::pair<std::vector<uint8_t>, bool> cases[] = {{whole, false}, {cut, true}, {claiming, true}};
    for (const auto& [bytes, doubted] : cases) {
        std::string path = xm_write_temp(bytes, "doubt.xm");
        int32_t result = -1;
        std::string printed = start_and_capture(path, &result);
        EXPECT_EQ(result, 1) << path;
        size_t said = printed.find("korvel: " + path + ": the file is cut short or its headers claim more");
        EXPECT_EQ(said != std::string::npos, doubted) << printed;
        EXPECT_EQ(printed.find('\n', said) + 1, printed.size()) << "one line: " << printed;
        stop_music();
        std::remove(path.c_str());
    }
}

// Not a timing check: the row-0 byte must arrive at all, and stop must end it.
TEST_F(StartMusicTest, SilentPlaybackDeliversSyncBytesThroughTheQueue)
{
    XmSong song = xm_song(2);
    xm_add_pattern(&song, 4);
    xm_sync(&song, 0, 0, 0, 0x42);
    xm_sync(&song, 0, 0, 1, 0x1F);
    song.orders = {0};
    std::string path = xm_write_temp(xm_build(song), "sync.xm");

    int32_t result = -1;
    std::string printed = start_and_capture(path, &result);
    ASSERT_EQ(result, 1) << music_state.last_error;
    EXPECT_EQ(music_state.playing, 1);
    EXPECT_EQ(music_state.output, MUSIC_OUTPUT_SILENT);
    EXPECT_EQ(printed.find("silently"), std::string::npos) << "silence that was asked for needs no word: " << printed;

    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (sync_queue.count.load() < 2 && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    stop_music();
    EXPECT_EQ(music_state.playing, 0);
    SyncEvent event = {};
    ASSERT_EQ(pop_sync_event(&event), 1);
    EXPECT_EQ(event.command, 0x42);
    ASSERT_EQ(pop_sync_event(&event), 1);
    EXPECT_EQ(event.command, 0x1F);
    std::remove(path.c_str());
}

}  // namespace
