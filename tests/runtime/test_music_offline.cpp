// Sync bytes of generated modules through the offline driver: their order, their
// times, the flow effects, the sub-chunk grain and the determinism of two runs.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/music_offline.h"
#include "support/xm_writer.h"

namespace {

constexpr int64_t FRAMES_PER_TICK_125 = 882;  // 44,100 x 2.5 / 125 BPM
constexpr int64_t FRAMES_PER_ROW = 6 * FRAMES_PER_TICK_125;

struct Played {
    std::vector<uint8_t> commands;
    std::vector<int64_t> frames;
};

// Plays the song offline for `rows` rows of speed 6 at 125 BPM (or `frames` frames).
Played play_frames(const XmSong& song, int64_t frames, int32_t subchunk = MODULE_SUBCHUNK_FRAMES)
{
    std::vector<uint8_t> file = xm_build(song);
    MusicOffline offline = {};
    offline.player.subchunk_frames = subchunk;
    std::string why;
    Played played;
    if (!music_offline_open_memory(&offline, file.data(), file.size(), &why)) {
        ADD_FAILURE() << "module did not load: " << why;
        return played;
    }
    uint8_t commands[4096];
    int64_t at[4096];
    MusicOfflineSyncs syncs = {commands, at, 4096, 0, 0};
    music_offline_advance_frames(&offline, frames, &syncs, nullptr, 0);
    EXPECT_EQ(syncs.lost, 0);
    played.commands.assign(commands, commands + syncs.count);
    played.frames.assign(at, at + syncs.count);
    music_offline_close(&offline);
    return played;
}

// A song of `patterns` empty patterns of `rows` rows each, played once in order.
XmSong song_in_order(int32_t channels, int32_t patterns, int32_t rows)
{
    XmSong song = xm_song(channels);
    song.orders.clear();
    for (int32_t p = 0; p < patterns; p++) {
        song.orders.push_back(static_cast<uint8_t>(xm_add_pattern(&song, rows)));
    }
    return song;
}

Played play_rows(const XmSong& song, int64_t rows)
{
    return play_frames(song, rows * FRAMES_PER_ROW - 1);
}

// A row is seen at the end of the sub-chunk in which it started.
void expect_row_time(const Played& played, size_t index, int64_t row)
{
    ASSERT_LT(index, played.frames.size());
    int64_t start = row * FRAMES_PER_ROW;
    EXPECT_GE(played.frames[index], start) << "sync " << index;
    EXPECT_LE(played.frames[index], start + MODULE_SUBCHUNK_FRAMES) << "sync " << index;
}

using Bytes = std::vector<uint8_t>;

TEST(MusicOffline, RowsReportTheirBytesInChannelOrderWhenTheyStart)
{
    XmSong song = xm_song(3);
    int32_t p = xm_add_pattern(&song, 16);
    xm_sync(&song, p, 0, 0, 0x11);
    xm_sync(&song, p, 0, 2, 0x13);
    xm_sync(&song, p, 0, 1, 0x12);
    xm_sync(&song, p, 4, 1, 0x00);  // a zero parameter is a command too
    xm_sync(&song, p, 9, 2, 0xFF);
    xm_note(&song, p, 0, 0, 49);
    xm_effect(&song, p, 5, 0, XM_EFFECT_SPEED, 0x06);  // other effects are not syncs
    song.orders = {0, 0};
    Played played = play_rows(song, 16);
    EXPECT_EQ(played.commands, (Bytes{0x11, 0x12, 0x13, 0x00, 0xFF}));
    expect_row_time(played, 0, 0);
    expect_row_time(played, 2, 0);
    expect_row_time(played, 3, 4);
    expect_row_time(played, 4, 9);
}

TEST(MusicOffline, SkippedRowsFireNothing)
{
    // Break: pattern 0 leaves at row 2 for row 3 of the next pattern.
    XmSong broken = song_in_order(2, 2, 8);
    xm_sync(&broken, 0, 1, 0, 0xA1);
    xm_effect(&broken, 0, 2, 1, XM_EFFECT_BREAK, 0x03);
    xm_sync(&broken, 0, 3, 0, 0xA3);
    xm_sync(&broken, 1, 0, 0, 0xB0);
    xm_sync(&broken, 1, 3, 0, 0xB3);
    Played played = play_rows(broken, 3 + 5);
    EXPECT_EQ(played.commands, (Bytes{0xA1, 0xB3}));
    expect_row_time(played, 1, 3);

    // Jump: order 0 jumps over order 1 to order 2.
    XmSong jumped = song_in_order(1, 3, 4);
    xm_sync(&jumped, 0, 0, 0, 0x01);
    xm_effect(&jumped, 0, 1, 0, XM_EFFECT_JUMP, 0x02);
    xm_sync(&jumped, 1, 0, 0, 0x02);
    xm_sync(&jumped, 2, 1, 0, 0x03);
    played = play_rows(jumped, 2 + 4);
    EXPECT_EQ(played.commands, (Bytes{0x01, 0x03}));
    expect_row_time(played, 1, 3);
}

TEST(MusicOffline, RowsPlayedAgainFireAgain)
{
    // Pattern loop over rows 1..3, played three times; then row 4.
    XmSong looped = song_in_order(2, 1, 8);
    xm_effect(&looped, 0, 1, 1, XM_EFFECT_EXTENDED, 0x60);
    xm_effect(&looped, 0, 3, 1, XM_EFFECT_EXTENDED, 0x62);
    xm_sync(&looped, 0, 1, 0, 0x51);
    xm_sync(&looped, 0, 2, 0, 0x52);
    xm_sync(&looped, 0, 4, 0, 0x54);
    Played played = play_rows(looped, 1 + 9 + 1);
    EXPECT_EQ(played.commands, (Bytes{0x51, 0x52, 0x51, 0x52, 0x51, 0x52, 0x54}));
    expect_row_time(played, 6, 10);

    // Restart position: after order 1 the song goes on at order 1.
    XmSong restarted = song_in_order(1, 2, 4);
    xm_sync(&restarted, 0, 0, 0, 0x70);
    xm_sync(&restarted, 1, 2, 0, 0x72);
    restarted.restart = 1;
    played = play_rows(restarted, 4 + 4 * 3);
    EXPECT_EQ(played.commands, (Bytes{0x70, 0x72, 0x72, 0x72}));
    expect_row_time(played, 2, 10);

    // A backward jump replays the orders it jumps to.
    XmSong back = song_in_order(1, 2, 4);
    xm_sync(&back, 1, 0, 0, 0x80);
    xm_effect(&back, 1, 1, 0, XM_EFFECT_JUMP, 0x01);
    played = play_rows(back, 4 + 2 * 3);
    EXPECT_EQ(played.commands, (Bytes{0x80, 0x80, 0x80}));
    expect_row_time(played, 1, 6);
}

TEST(MusicOffline, PatternDelayFiresOnceAndHoldsTheNextRow)
{
    XmSong song = song_in_order(2, 1, 8);
    xm_effect(&song, 0, 2, 1, XM_EFFECT_EXTENDED, 0xE2);  // row 2 lasts three rows
    xm_sync(&song, 0, 2, 0, 0x62);
    xm_sync(&song, 0, 3, 0, 0x63);
    Played played = play_rows(song, 6);
    EXPECT_EQ(played.commands, (Bytes{0x62, 0x63}));
    expect_row_time(played, 0, 2);
    expect_row_time(played, 1, 5);
}

// The shortest row there is: 432 frames, longer than a 256-frame sub-chunk.
TEST(MusicOffline, SpeedOneAt255BpmMissesNoRow)
{
    XmSong song = xm_song(1);
    song.speed = 1;
    song.bpm = 255;
    xm_add_pattern(&song, 64);
    Bytes expected;
    for (int32_t row = 0; row < 64; row++) {
        xm_sync(&song, 0, row, 0, static_cast<uint8_t>(row));
        expected.push_back(static_cast<uint8_t>(row));
    }
    song.orders = {0, 0};
    // Stops before the second pass over row 0 (at frame 27,670).
    Played played = play_frames(song, 27600);
    EXPECT_EQ(played.commands, expected);
}

// Breaks, loops, delays and tempo changes in one song, detected at two grains.
TEST(MusicOffline, OneFrameAndFullSubChunksGiveTheSameSequence)
{
    XmSong song = xm_song(4);
    for (int32_t p = 0; p < 3; p++) {
        xm_add_pattern(&song, 16);
    }
    for (int32_t p = 0; p < 3; p++) {
        for (int32_t row = 0; row < 16; row += 3) {
            xm_sync(&song, p, row, (row / 3) % 4, static_cast<uint8_t>(p * 16 + row));
        }
    }
    xm_effect(&song, 0, 5, 3, XM_EFFECT_SPEED, 0x02);
    xm_effect(&song, 0, 9, 3, XM_EFFECT_SPEED, 0xC8);  // 200 BPM
    xm_effect(&song, 0, 12, 3, XM_EFFECT_BREAK, 0x06);
    xm_effect(&song, 1, 6, 2, XM_EFFECT_EXTENDED, 0x60);
    xm_effect(&song, 1, 10, 2, XM_EFFECT_EXTENDED, 0x61);
    xm_effect(&song, 1, 13, 1, XM_EFFECT_EXTENDED, 0xE3);
    xm_effect(&song, 2, 3, 0, XM_EFFECT_SPEED, 0x01);
    song.orders = {0, 1, 2, 1};
    int64_t frames = 44100 * 6;
    Played coarse = play_frames(song, frames, MODULE_SUBCHUNK_FRAMES);
    Played fine = play_frames(song, frames, 1);
    EXPECT_GT(coarse.commands.size(), 20u);
    EXPECT_EQ(coarse.commands, fine.commands);
    ASSERT_EQ(coarse.frames.size(), fine.frames.size());
    for (size_t i = 0; i < fine.frames.size(); i++) {
        EXPECT_GE(coarse.frames[i], fine.frames[i]) << i;
        EXPECT_LT(coarse.frames[i] - fine.frames[i], MODULE_SUBCHUNK_FRAMES) << i;
    }
}

struct Recording {
    std::vector<int16_t> samples;
    std::vector<std::vector<uint8_t>> syncs_per_frame;
};

Recording record_video_frames(const std::vector<uint8_t>& file, int32_t fps, int32_t video_frames)
{
    Recording run;
    MusicOffline offline = {};
    std::string why;
    if (!music_offline_open_memory(&offline, file.data(), file.size(), &why)) {
        ADD_FAILURE() << why;
        return run;
    }
    int32_t per_frame = music_offline_frames_per_video_frame(fps);
    std::vector<int16_t> frame_samples(static_cast<size_t>(per_frame) * 2);
    uint8_t commands[64];
    MusicOfflineSyncs syncs = {commands, nullptr, 64, 0, 0};
    for (int32_t i = 0; i < video_frames; i++) {
        music_offline_advance_frames(&offline, per_frame, &syncs, frame_samples.data(), per_frame);
        run.samples.insert(run.samples.end(), frame_samples.begin(), frame_samples.end());
        run.syncs_per_frame.emplace_back(commands, commands + syncs.count);
    }
    music_offline_close(&offline);
    return run;
}

TEST(MusicOffline, TwoRunsAtOneFrameRateAreByteIdentical)
{
    XmSong song = song_in_order(2, 1, 32);
    for (int32_t row = 0; row < 32; row += 2) {
        xm_note(&song, 0, row, row % 4 == 0 ? 0 : 1, static_cast<uint8_t>(37 + row));
        xm_sync(&song, 0, row, 1, static_cast<uint8_t>(row));
    }
    xm_sync(&song, 0, 7, 0, 0xF0);
    xm_sync(&song, 0, 7, 1, 0xF1);  // two on one row land in the same video frame
    std::vector<uint8_t> file = xm_build(song);
    EXPECT_EQ(music_offline_frames_per_video_frame(30), 1470);

    Recording first = record_video_frames(file, 30, 90);
    Recording second = record_video_frames(file, 30, 90);
    ASSERT_EQ(first.samples.size(), static_cast<size_t>(90 * 1470 * 2));
    EXPECT_TRUE(first.samples == second.samples);
    EXPECT_TRUE(first.syncs_per_frame == second.syncs_per_frame);

    int64_t loud = 0;
    for (int16_t sample : first.samples) {
        loud += sample != 0;
    }
    EXPECT_GT(loud, static_cast<int64_t>(first.samples.size() / 4)) << "the notes should sound";

    // Row 7 starts at frame 37,044, inside video frame 25.
    EXPECT_EQ(first.syncs_per_frame[25], (Bytes{0xF0, 0xF1}));
}

TEST(MusicOffline, MillisecondStepsKeepTheExactTotal)
{
    XmSong song = song_in_order(1, 1, 4);
    std::vector<uint8_t> file = xm_build(song);
    MusicOffline offline = {};
    std::string why;
    ASSERT_EQ(music_offline_open_memory(&offline, file.data(), file.size(), &why), 1) << why;
    int64_t total = 0;
    for (int32_t i = 0; i < 300; i++) {
        total += music_offline_advance_ms(&offline, i % 3 == 0 ? 34 : 33, nullptr, nullptr, 0);
    }
    EXPECT_EQ(offline.elapsed_ms, 10000);
    EXPECT_EQ(total, 441000);
    EXPECT_EQ(offline.frames, 441000);
    music_offline_close(&offline);
}

TEST(MusicOffline, SyncsBeyondTheCapacityAreCountedAsLost)
{
    XmSong song = song_in_order(4, 1, 4);
    for (int32_t channel = 0; channel < 4; channel++) {
        xm_sync(&song, 0, 0, channel, static_cast<uint8_t>(channel + 1));
    }
    std::vector<uint8_t> file = xm_build(song);
    MusicOffline offline = {};
    std::string why;
    ASSERT_EQ(music_offline_open_memory(&offline, file.data(), file.size(), &why), 1) << why;
    uint8_t commands[3];
    MusicOfflineSyncs syncs = {commands, nullptr, 3, 0, 0};
    music_offline_advance_frames(&offline, 1000, &syncs, nullptr, 0);
    EXPECT_EQ(syncs.count, 3);
    EXPECT_EQ(syncs.lost, 1);
    EXPECT_EQ(commands[2], 3);
    music_offline_close(&offline);
}

}  // namespace
