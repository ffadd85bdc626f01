// The script tool: command names, text, compiling into any module and listing it back, row times.
#include <gtest/gtest.h>

#include "runtime/music_offline.h"
#include "runtime/script_words.h"
#include "support/xm_writer.h"
#include "xm/sync_script.h"

namespace {

SyncScript parsed(const std::string& text)
{
    SyncScript script;
    std::string why;
    EXPECT_TRUE(script_parse(text, &script, &why)) << why;
    return script;
}

// Two 16-row patterns, the first played twice; every channel's effect column of
// pattern 0 is taken by a volume slide, as in a module that leaves no room.
XmSong crowded_song()
{
    XmSong song = xm_song(2);
    xm_add_pattern(&song, 16);
    xm_add_pattern(&song, 16);
    for (int32_t row = 0; row < 16; row++) {
        for (int32_t channel = 0; channel < 2; channel++) {
            xm_effect(&song, 0, row, channel, 0x0A, 0x01);
        }
    }
    xm_note(&song, 0, 0, 0, 49);
    xm_sync(&song, 1, 3, 1, 0x7E);  // an old script byte that compiling replaces
    song.orders = {0, 1, 0};
    return song;
}

std::vector<uint8_t> played_bytes(const XmSong& song, int32_t rows)
{
    std::vector<uint8_t> file = xm_build(song);
    MusicOffline offline = {};
    std::string why;
    if (!music_offline_open_memory(&offline, file.data(), file.size(), &why)) {
        ADD_FAILURE() << why;
        return {};
    }
    uint8_t commands[256];
    MusicOfflineSyncs syncs = {commands, nullptr, 256, 0, 0};
    music_offline_advance_frames(&offline, static_cast<int64_t>(rows) * 6 * 882 - 1, &syncs, nullptr, 0);
    music_offline_close(&offline);
    return std::vector<uint8_t>(commands, commands + syncs.count);
}

// A script text and the reason it is refused.
struct Refusal {
    const char* text;
    const char* why;
};

TEST(SyncScript, EveryByteHasANameThatReadsBackAsTheSameByte)
{
    for (int32_t byte = 0; byte < 256; byte++) {
        std::string name = script_command_name(static_cast<uint8_t>(byte));
        uint8_t back = 0;
        ASSERT_TRUE(script_parse_command(name, &back)) << name;
        EXPECT_EQ(back, byte) << name;
        EXPECT_FALSE(script_command_meaning(static_cast<uint8_t>(byte)).empty());
    }
}

TEST(SyncScript, NamesMapToTheCommandTable)
{
    const struct {
        const char* text;
        uint8_t byte;
    } cases[] = {
        {"scene 13", 0x0D},
        {"cue 15", 0x1F},
        {"picture 6", 0x26},
        {"picture-high 1", 0x31},
        {"timers none", 0x40},
        {"timers fade+flash", 0x49},
        {"greets next", 0x51},
        {"tag 0", 0x60},
        {"tag 31", 0x7F},
        {"distort 3", 0x83},
        {"letterbox close", 0x92},
        {"slides 14", 0xFE},
        {"end", 0xFF},
        {"0xa7", 0xA7},
    };
    for (const auto& c : cases) {
        uint8_t byte = 0;
        ASSERT_TRUE(script_parse_command(c.text, &byte)) << c.text;
        EXPECT_EQ(byte, c.byte) << c.text;
    }
    const char* wrong[] = {"scene 16", "slides 15", "tag 32", "timers flash+strobe", "cue", "0x1", "scene -1"};
    for (const char* text : wrong) {
        uint8_t byte = 0;
        EXPECT_FALSE(script_parse_command(text, &byte)) << text;
    }
}

// The storyboard and the show's own listing call every scene by the same name.
TEST(SyncScript, StoryboardAndListingNameEachSceneAlike)
{
    auto in_brackets = [](const std::string& text) {
        size_t open = text.find('(');
        return text.substr(open + 1, text.find(')') - open - 1);
    };
    for (uint8_t scene = 0; scene < 16; scene++) {
        std::string listed = in_brackets(sync_command_words(scene));
        EXPECT_FALSE(listed.empty()) << int32_t{scene};
        EXPECT_EQ(in_brackets(script_command_meaning(scene)), listed) << int32_t{scene};
    }
}

TEST(SyncScript, ParseReportsTheLineOfAMistake)
{
    const Refusal cases[] = {
        {"0:0 scene 1\n\n1:2 scene 99\n", "line 3: unknown command \"scene 99\""},
        {"# comment\n0 scene 1\n", "line 2: expected \"ORDER:ROW COMMAND\""},
        {"0:x scene 1\n", "line 1: expected \"ORDER:ROW COMMAND\""},
    };
    for (const auto& c : cases) {
        SyncScript script;
        std::string why;
        EXPECT_FALSE(script_parse(c.text, &script, &why));
        EXPECT_EQ(why, c.why);
    }
}

TEST(SyncScript, CompileThenListGivesTheScriptBackEvenWithoutFreeColumns)
{
    const std::string canonical = "0:0 scene 4\n0:0 cue 3\n0:0 timers flash+blur\n1:15 letterbox grow\n2:8 end\n";
    const std::string written =
        "# blanks and comments\n0:0   scene 4   # first\n0:0 0x13\n0:0 timers blur+flash\n\n"
        "2:8 end\n1:15 letterbox grow\n";
    XmSong song = crowded_song();
    std::string why;
    ASSERT_TRUE(script_compile(&song, parsed(written), &why)) << why;
    EXPECT_EQ(script_format(script_read(song)), canonical);
    EXPECT_EQ(song.channels, 5);                       // three bytes in a row of pattern 0
    EXPECT_EQ(xm_cell(&song, 0, 5, 1)->effect, 0x0A);  // the music's own effects stay
    EXPECT_NE(song.orders[0], song.orders[2]);         // order 2 plays pattern 0 without its bytes
    EXPECT_EQ(played_bytes(song, 48), (std::vector<uint8_t>{0x04, 0x13, 0x43, 0x91, 0xFF}));

    // Listing and compiling again changes nothing.
    XmSong again = song;
    ASSERT_TRUE(script_compile(&again, parsed(canonical), &why)) << why;
    EXPECT_EQ(xm_build(again), xm_build(song));
}

TEST(SyncScript, PositionsTheSongNeverPlaysAreRefusedAndNothingChanges)
{
    XmSong song = crowded_song();
    xm_effect(&song, 1, 6, 0, XM_EFFECT_BREAK, 0x00);  // rows 7-15 of pattern 1 are skipped
    const Refusal cases[] = {
        {"3:0 scene 1\n", "line 1: order 3 row 0 lies beyond the song's 3 orders"},
        {"0:16 scene 1\n", "line 1: order 0 row 16 lies beyond the pattern's 16 rows"},
        {"0:1 cue 1\n1:9 scene 1\n", "line 2: order 1 row 9 is never played"},
    };
    std::vector<uint8_t> before = xm_build(song);
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(script_compile(&song, parsed(c.text), &why));
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(xm_build(song), before);
    }
}

TEST(SyncScript, RowTimesFollowSpeedTempoBreaksAndDelays)
{
    XmSong song = xm_song(1);
    xm_add_pattern(&song, 8);
    xm_effect(&song, 0, 2, 0, XM_EFFECT_SPEED, 3);        // from row 2: 3 ticks a row
    xm_effect(&song, 0, 4, 0, XM_EFFECT_SPEED, 250);      // from row 4: 250 BPM
    xm_effect(&song, 0, 5, 0, XM_EFFECT_EXTENDED, 0xE2);  // row 5 lasts three rows
    xm_effect(&song, 0, 6, 0, XM_EFFECT_BREAK, 0x03);     // on to row 3 of the next order
    song.orders = {0, 0};
    std::vector<std::vector<double>> times = song_row_times(song);
    const double row6 = 120.0, row3 = 60.0, row3_250 = 30.0;  // ms per row at 125 and 250 BPM
    EXPECT_DOUBLE_EQ(times[0][1], row6);
    EXPECT_DOUBLE_EQ(times[0][3], 2 * row6 + row3);
    EXPECT_DOUBLE_EQ(times[0][5], 2 * row6 + 2 * row3 + row3_250);
    EXPECT_DOUBLE_EQ(times[0][6], 2 * row6 + 2 * row3 + 4 * row3_250);
    EXPECT_LT(times[0][7], 0);  // skipped by the break
    EXPECT_LT(times[1][0], 0);
    EXPECT_DOUBLE_EQ(times[1][3], 2 * row6 + 2 * row3 + 5 * row3_250);
}

}  // namespace

namespace {

// The storyboard's clock against the player's: at tempos whose tick is not a
// whole number of frames, each row is still seen within one sub-chunk of its time.
TEST(SyncScript, RowTimesMatchThePlayerAtUnevenTempos)
{
    for (int32_t bpm : {128, 135, 141}) {
        XmSong song = xm_song(1);
        song.bpm = bpm;
        xm_add_pattern(&song, 64);
        for (int32_t row = 0; row < 64; row += 9) {
            xm_sync(&song, 0, row, 0, static_cast<uint8_t>(row));
        }
        song.orders = {0, 0, 0};
        std::vector<uint8_t> file = xm_build(song);
        MusicOffline offline = {};
        std::string why;
        ASSERT_TRUE(music_offline_open_memory(&offline, file.data(), file.size(), &why)) << why;
        uint8_t commands[64];
        int64_t frames[64];
        MusicOfflineSyncs syncs = {commands, frames, 64, 0, 0};
        int64_t tick = 44100 * 5 / (2 * bpm);  // frames, cut down as the player does
        music_offline_advance_frames(&offline, 192 * 6 * tick - 300, &syncs, nullptr, 0);  // into row 191
        music_offline_close(&offline);
        std::vector<std::vector<double>> times = song_row_times(song);
        ASSERT_EQ(syncs.count, 8 * 3) << bpm;
        for (int32_t i = 0; i < syncs.count; i++) {
            double start = times[static_cast<size_t>(i / 8)][commands[i]] * 44.1;
            EXPECT_GE(static_cast<double>(frames[i]), start - 0.5) << bpm << " sync " << i;
            EXPECT_LE(static_cast<double>(frames[i]), start + 256.5) << bpm << " sync " << i;
        }
    }
}

}  // namespace
