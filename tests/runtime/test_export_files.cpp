// Rendering through the program itself: recordings, audio, video, pictures, the script and refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "support/cast_reader.h"
#include "support/show_dir.h"
#include "support/stb_for_tests.h"

namespace {

constexpr int64_t FRAMES_PER_VIDEO_FRAME = 1470;  // 44,100 / 30
// The end command sits on row 40: audio frame 211,680, the start of video frame 144.
constexpr int64_t SHOW_FRAMES = 145;

int64_t wav_frames(const std::string& bytes)
{
    return bytes.size() < 44 ? -1 : static_cast<int64_t>(bytes.size() - 44) / 4;
}

uint32_t le32(const std::string& bytes, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])); };
    return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

class Export : public ::testing::Test {
protected:
    void SetUp() override { dir = make_show_dir(test_show_song(), "export"); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string at(const char* name) const { return dir + "/" + name; }
    std::string dir;
};

TEST_F(Export, RecordingHasItsHeaderOneEventPerFrameAtItsTimeAndTheAudioOfTheSameSpan)
{
    ProgramRun run = run_korvel(dir, {"--record", "show.cast", "--audio", "show.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    CastRecording cast = read_cast(read_file(at("show.cast")));
    EXPECT_NE(cast.header.find("{\"version\": 2, \"width\": 160, \"height\": 50"), std::string::npos) << cast.header;
    EXPECT_EQ(cast.malformed, 0);
    ASSERT_EQ(static_cast<int64_t>(cast.events.size()), SHOW_FRAMES);
    for (size_t i = 0; i < cast.events.size(); i++) {
        ASSERT_EQ(cast.events[i].time_ms, static_cast<int64_t>(i) * 1000 / 30) << "event " << i;
    }
    std::string wav = read_file(at("show.wav"));
    EXPECT_EQ(wav_frames(wav), SHOW_FRAMES * FRAMES_PER_VIDEO_FRAME);
    EXPECT_EQ(le32(wav, 40), wav.size() - 44);  // the data chunk's size was filled in
    EXPECT_EQ(dir_names(dir), (std::vector<std::string>{"data", "show.cast", "show.wav"}));

    ProgramRun literal = run_korvel(dir, {"--record", "grid.cast", "--grid", "80x50", "--fps", "10"});
    ASSERT_EQ(literal.status, 0) << literal.err;
    CastRecording small = read_cast(read_file(at("grid.cast")));
    EXPECT_NE(small.header.find("\"width\": 80, \"height\": 50"), std::string::npos) << small.header;
    ASSERT_EQ(small.events.size(), 49u);  // 4.8 s at 10 frames a second, the end frame included
    EXPECT_EQ(small.events[48].time_ms, 4800);
}

TEST_F(Export, TwoRunsGiveIdenticalFilesAndDurationCutsTheShort)
{
    ProgramRun first = run_korvel(dir, {"--record", "a.cast", "--audio", "a.wav", "--duration", "2"});
    ProgramRun second = run_korvel(dir, {"--duration=2", "--audio", "b.wav", "--record", "b.cast"});
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(second.status, 0) << second.err;
    std::string cast = read_file(at("a.cast"));
    EXPECT_EQ(cast, read_file(at("b.cast")));
    EXPECT_EQ(read_file(at("a.wav")), read_file(at("b.wav")));
    CastRecording events = read_cast(cast);
    ASSERT_EQ(events.events.size(), 60u);
    EXPECT_EQ(events.events.back().time_ms, 1966);
    EXPECT_EQ(wav_frames(read_file(at("a.wav"))), 60 * FRAMES_PER_VIDEO_FRAME);
    // The audio alone is the same audio; standard error is no terminal, so no progress line.
    ProgramRun audio = run_korvel(dir, {"--audio", "c.wav", "--duration", "2"});
    ASSERT_EQ(audio.status, 0) << audio.err;
    EXPECT_EQ(read_file(at("c.wav")), read_file(at("a.wav")));
    EXPECT_EQ(first.err.find('\r'), std::string::npos);
}

TEST_F(Export, VideoHasTheFramesAndDurationAskedFor)
{
    if (std::system("command -v ffprobe > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ffprobe is not installed (scripts/install-deps.sh installs it)";
    }
    ProgramRun run = run_korvel(dir, {"--video", "show.mp4", "--duration", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir_names(dir), (std::vector<std::string>{"data", "show.mp4"}));
    std::string probe = dir + "/probe.txt";
    std::string command =
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=nb_read_frames,width,height:format=duration -of default=nw=1 '" +
        at("show.mp4") + "' > '" + probe + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string said = read_file(probe);
    EXPECT_NE(said.find("width=1280\nheight=800\nnb_read_frames=60\n"), std::string::npos) << said;
    double duration = std::atof(said.substr(said.find("duration=") + 9).c_str());
    EXPECT_GE(duration, 2.0) << said;
    EXPECT_LT(duration, 2.1) << said;  // the audio's encoder pads a little

    ProgramRun without = run_korvel(dir, {"--video", "other.mp4"}, "PATH=/nonexistent");
    EXPECT_EQ(without.status, 2);
    EXPECT_NE(without.err.find("korvel: --video needs ffmpeg"), std::string::npos) << without.err;
    EXPECT_FALSE(file_exists(at("other.mp4")));
}

TEST_F(Export, PicturesHaveTheGridsShape)
{
    ProgramRun run = run_korvel(dir, {"--screenshot", "1", "cells.png", "--canvas-shot", "1.0", "canvas.png",
                                      "--contact-sheet", "sheet.png", "--every", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const struct {
        const char* name;
        int width;
        int height;
    } pictures[] = {
        {"cells.png", 640, 400},                             // 80 x 50 cells of 8 x 8
        {"canvas.png", 640, 400},                            // 160 x 100 pixels, 4 times
        {"sheet.png", 3 * (320 + 8) + 8, 8 + 200 + 14 + 8},  // 0:00, 0:02, 0:04 in one row
    };
    for (const auto& picture : pictures) {
        int width = 0;
        int height = 0;
        unsigned char* rgb = test_png_load(at(picture.name).c_str(), &width, &height);
        ASSERT_NE(rgb, nullptr) << picture.name;
        EXPECT_EQ(width, picture.width) << picture.name;
        EXPECT_EQ(height, picture.height) << picture.name;
        int lit = 0;
        for (int i = 0; i < width * height * 3; i++) {
            lit += rgb[i] != 0;
        }
        EXPECT_GT(lit, 0) << picture.name << ": the flash at 1 s shows grey";
        test_png_free(rgb);
    }
}

TEST_F(Export, TheBlockLookRecordsDeterministicallyShowsTheCanvasAndFallsBackWithSixteenColours)
{
    const char* const UPPER_HALF = "\xE2\x96\x80";
    ProgramRun first = run_korvel(dir, {"--record", "a.cast", "--look", "blocks", "--duration", "2"});
    ProgramRun second = run_korvel(dir, {"--look=blocks", "--duration=2", "--record", "b.cast"});
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(second.status, 0) << second.err;
    std::string cast = read_file(at("a.cast"));
    EXPECT_EQ(cast, read_file(at("b.cast")));
    EXPECT_NE(cast.find(UPPER_HALF), std::string::npos);
    EXPECT_NE(cast.find("48;2;"), std::string::npos);  // a recording in the block look is 24-bit unless told
    ProgramRun palette =
        run_korvel(dir, {"--record", "c.cast", "--look", "blocks", "--color", "256", "--duration", "2"});
    ASSERT_EQ(palette.status, 0) << palette.err;
    EXPECT_NE(read_file(at("c.cast")).find("48;5;"), std::string::npos);

    ProgramRun fallback =
        run_korvel(dir, {"--record", "d.cast", "--look", "blocks", "--color", "16", "--duration", "2"});
    ASSERT_EQ(fallback.status, 0) << fallback.err;
    EXPECT_NE(fallback.err.find("the cells look was shown instead"), std::string::npos) << fallback.err;
    ProgramRun cells = run_korvel(dir, {"--record", "e.cast", "--duration", "2"});
    ASSERT_EQ(cells.status, 0) << cells.err;
    EXPECT_EQ(read_file(at("d.cast")), read_file(at("e.cast")));

    // The half blocks drawn as pixels are the canvas itself.
    ProgramRun shots =
        run_korvel(dir, {"--look", "blocks", "--screenshot", "1", "blocks.png", "--canvas-shot", "1", "canvas.png"});
    ASSERT_EQ(shots.status, 0) << shots.err;
    int width[2] = {0, 0};
    int height[2] = {0, 0};
    unsigned char* blocks = test_png_load(at("blocks.png").c_str(), &width[0], &height[0]);
    unsigned char* canvas = test_png_load(at("canvas.png").c_str(), &width[1], &height[1]);
    ASSERT_NE(blocks, nullptr);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(width[0], 640);
    EXPECT_EQ(height[0], 400);
    EXPECT_EQ(width[0], width[1]);
    EXPECT_EQ(height[0], height[1]);
    EXPECT_EQ(std::memcmp(blocks, canvas, static_cast<size_t>(width[0]) * height[0] * 3), 0);
    test_png_free(blocks);
    test_png_free(canvas);
}

TEST_F(Export, ScriptListsEverySyncByteWithItsMeaningThenTheLength)
{
    ProgramRun run = run_korvel(dir, {"--script"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "time        order  row  byte  meaning\n"
              "0:00.000        0    0   81   distortion band, thirds: 1\n"
              "0:00.960        0    8   41   flash\n"
              "0:01.920        0   16   41   flash\n"
              "0:02.880        0   24   4F   flash, short blur, long blur, fade in\n"
              "0:04.800        0   40   FF   end of the show\n"
              "length 0:04.800 (the end command)\n");
    EXPECT_EQ(dir_names(dir), (std::vector<std::string>{"data"}));
}

// The player loops a song forever; without the end command the show ends with
// the song's first pass and its rows are not listed twice.
TEST(ExportSongEnd, ASongWithoutTheEndCommandEndsWithItsLastRow)
{
    XmSong song = xm_song(1);
    int32_t p = xm_add_pattern(&song, 16);  // 16 rows of 0.12 s: 1.92 s, 57.6 video frames
    xm_note(&song, p, 0, 0, 49);
    xm_sync(&song, p, 4, 0, 0x41);
    song.orders = {0};
    std::string dir = make_show_dir(song, "song-end");
    ProgramRun run = run_korvel(dir, {"--record", "show.cast"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_cast(read_file(dir + "/show.cast")).events.size(), 58u);
    ProgramRun script = run_korvel(dir, {"--script"});
    EXPECT_EQ(script.out,
              "time        order  row  byte  meaning\n"
              "0:00.480        0    4   41   flash\n"
              "length 0:01.920 (the end of the module)\n");
    std::filesystem::remove_all(dir);
}

TEST_F(Export, RefusalsSayWhyAndLeaveNoFileBehind)
{
    const struct {
        std::vector<std::string> args;
        int32_t status;
        const char* said;
    } cases[] = {
        {{"--record", "missing/x.cast"}, 1, "korvel: missing/x.cast: cannot be written (No such file or directory)"},
        {{"--record", "data"}, 1, "korvel: data: is a directory"},
        {{"--fps", "0", "--record", "x.cast"}, 2, "korvel: --fps must be at least 1 to render"},
        {{"--screenshot", "-1", "x.png"}, 2, "korvel: --screenshot takes SECONDS FILE"},
        {{"--canvas-shot", "1.2345", "x.png"}, 2, "korvel: --canvas-shot takes SECONDS FILE"},
        {{"--screenshot", "60", "x.png"}, 1, "korvel: x.png: the show is only 0:04.833 long"},
        {{"--duration", "0", "--record", "x.cast"}, 2, "korvel: --duration takes a time in seconds above 0"},
        {{"--record", "x.cast", "--video", "x.mp4"}, 2, "made in separate runs"},
        {{"--script", "--audio", "x.wav"}, 2, "--script prints the script alone"},
        // 4.8 s at 240 frames a second, a tile each: 1,160 tiles would take 84 megapixels.
        {{"--fps", "240", "--contact-sheet", "s.png", "--every", "0.001"}, 2, "korvel: s.png: a contact sheet of"},
    };
    for (const auto& c : cases) {
        ProgramRun run = run_korvel(dir, c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_EQ(dir_names(dir), (std::vector<std::string>{"data"})) << c.said;
    }
    std::string empty = make_temp_dir("no-data");
    ProgramRun run = run_korvel(empty, {"--record", "x.cast", "--audio", "x.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("korvel: data/dino.xm: "), std::string::npos) << run.err;
    EXPECT_TRUE(dir_names(empty).empty());
    std::filesystem::remove_all(empty);
}

}  // namespace
