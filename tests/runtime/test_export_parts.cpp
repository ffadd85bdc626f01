// The rendering's parts: the script's words, the WAV header, the recording's escaping, the contact sheet, the progress
// line.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/cast_writer.h"
#include "runtime/export_music.h"
#include "runtime/export_pictures.h"
#include "runtime/export_progress.h"
#include "runtime/script_words.h"
#include "runtime/wav_writer.h"
#include "support/show_dir.h"

namespace {

TEST(ExportParts, SyncBytesAreNamedByTheCommandTable)
{
    const struct {
        uint8_t command;
        const char* words;
    } cases[] = {
        {0x03, "scene 3 (T-rex)"},
        {0x0D, "scene 13 (keep the previous frame)"},
        {0x1A, "cue 10"},
        {0x20, "picture overlay off"},
        {0x25, "picture overlay: slot 5"},
        {0x33, "second picture overlay: slot 11"},
        {0x40, "nothing"},
        {0x46, "short blur, long blur"},
        {0x51, "next greetings panel slides in"},
        {0x5F, "nothing"},
        {0x6A, "graffiti tag 10"},
        {0x7F, "graffiti tag 31"},
        {0x80, "distortion band off"},
        {0x92, "letterbox bars close"},
        {0xA7, "nothing"},
        {0xF3, "slides scene, slide 3"},
        {0xFF, "end of the show"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sync_command_words(c.command), c.words) << std::hex << int(c.command);
    }
}

TEST(ExportParts, WavHeaderDescribesSixteenBitStereoAt44100)
{
    uint8_t header[WAV_HEADER_BYTES];
    wav_header(1000, header);
    auto le = [&](int at, int bytes) {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; i--) {
            value = value << 8 | header[at + i];
        }
        return value;
    };
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header), 4), "RIFF");
    EXPECT_EQ(le(4, 4), 36u + 4000u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 8), 8), "WAVEfmt ");
    EXPECT_EQ(le(20, 2), 1u);  // PCM
    EXPECT_EQ(le(22, 2), 2u);
    EXPECT_EQ(le(24, 4), 44100u);
    EXPECT_EQ(le(28, 4), 176400u);
    EXPECT_EQ(le(32, 2), 4u);
    EXPECT_EQ(le(34, 2), 16u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 36), 4), "data");
    EXPECT_EQ(le(40, 4), 4000u);
}

TEST(ExportParts, RecordingEventsEscapeTheTerminalBytesAsJson)
{
    std::string dir = make_temp_dir("cast");
    std::string path = dir + "/x.cast";
    auto cast = std::make_unique<CastWriter>();
    std::string why;
    ASSERT_TRUE(cast_open(cast.get(), path.c_str(), 80, 50, &why)) << why;
    EXPECT_FALSE(file_exists(path)) << "nothing under the final name before the end";
    cast_write_event(cast.get(), 61234, "\x1b[1;2H\"\\\xc2\xb7\x07", 11);
    cast_write_event(cast.get(), 0, "", 0);
    ASSERT_TRUE(cast_finish(cast.get(), &why)) << why;
    EXPECT_EQ(read_file(path),
              "{\"version\": 2, \"width\": 80, \"height\": 50, \"title\": \"korvel\", \"env\": {\"TERM\": "
              "\"xterm-256color\"}}\n"
              "[61.234, \"o\", \"\\u001b[1;2H\\\"\\\\\xc2\xb7\\u0007\"]\n"
              "[0.000, \"o\", \"\"]\n");
    std::filesystem::remove_all(dir);
}

TEST(ExportParts, AudioFramesPerVideoFrameNeverDrift)
{
    // 30 divides 44,100: exactly 1,470 a frame.
    EXPECT_EQ(export_audio_start(1, 30), 1470);
    EXPECT_EQ(export_audio_start(900, 30), 900 * 1470);
    // 24 does not: 1,837 and 1,838 alternate, and 24 frames are one second.
    EXPECT_EQ(export_audio_start(1, 24), 1837);
    EXPECT_EQ(export_audio_start(2, 24), 3675);
    EXPECT_EQ(export_audio_start(24 * 60, 24), 44100 * 60);
    EXPECT_EQ(export_frame_time_ms(29, 30), 966);
}

TEST(ExportParts, ContactSheetLaysTilesSixToARowWithTheirTimes)
{
    RgbPicture cells = {32, 20, std::vector<uint8_t>(32 * 20 * 3, 200)};
    ContactSheet sheet;
    for (int32_t i = 0; i < 7; i++) {
        sheet_add(&sheet, cells, i * 5000);
    }
    RgbPicture picture;
    sheet_compose(sheet, &picture);
    EXPECT_EQ(picture.width, 6 * (16 + 8) + 8);
    EXPECT_EQ(picture.height, 2 * (10 + 14 + 8) + 8);
    auto pixel = [&](int32_t x, int32_t y) { return picture.pixels[(static_cast<size_t>(y) * picture.width + x) * 3]; };
    EXPECT_EQ(pixel(8, 8), 200);  // the first tile's corner
    EXPECT_EQ(pixel(0, 0), 24);   // the ground
    int32_t ink = 0;
    for (int32_t y = 8 + 10; y < 8 + 10 + 14; y++) {
        for (int32_t x = 8; x < 8 + 16; x++) {
            ink += pixel(x, y) == 220;
        }
    }
    EXPECT_GT(ink, 0) << "a label under the first tile";
    EXPECT_EQ(time_label(65000), "1:05");
    EXPECT_EQ(time_label(1500), "0:01.500");
}

TEST(ExportParts, ProgressLineShowsShareSpeedAndTimeLeft)
{
    char line[128];
    progress_format(50, 200, 2000, line, sizeof(line));
    EXPECT_STREQ(line, "[#######.......................]  25%  25 fps  0:06 left");
    progress_format(200, 200, 4000, line, sizeof(line));
    EXPECT_STREQ(line, "[##############################] 100%  50 fps  0:00 left");
}

}  // namespace
