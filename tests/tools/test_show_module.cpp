// The generated show module: loads cleanly in both players, carries the whole script, sounds right.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "compose/compose.h"
#include "compose/synth.h"
#include "render/render_measure.h"
#include "runtime/music_offline.h"
#include "xm/sync_script.h"

namespace {

std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    std::string why;
    EXPECT_TRUE(xm_read_file(path.c_str(), &bytes, &why)) << why;
    return bytes;
}

void collect_log(const char* message, void* user)
{
    static_cast<std::vector<std::string>*>(user)->push_back(message);
}

TEST(ShowModule, LoadsInLibopenmptWithoutAWarning)
{
    std::vector<uint8_t> bytes = read_bytes(KORVEL_SHOW_MODULE);
    std::vector<std::string> log;
    int error = 0;
    openmpt_module* module = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), collect_log, &log, nullptr,
                                                                nullptr, &error, nullptr, nullptr);
    ASSERT_NE(module, nullptr);
    const char* warnings = openmpt_module_get_metadata(module, "warnings");
    EXPECT_STREQ(warnings, "");
    openmpt_free_string(warnings);
    for (const std::string& line : log) {
        EXPECT_EQ(line.find("arning"), std::string::npos) << line;
    }
    EXPECT_EQ(openmpt_module_get_num_channels(module), SHOW_CHANNELS);
    openmpt_module_destroy(module);
}

TEST(ShowModule, LoadsInLibxmpWithItsChannelsAndOrders)
{
    std::vector<uint8_t> bytes = read_bytes(KORVEL_SHOW_MODULE);
    xmp_context context = xmp_create_context();
    ASSERT_EQ(xmp_load_module_from_memory(context, bytes.data(), static_cast<long>(bytes.size())), 0);
    xmp_module_info info;
    xmp_get_module_info(context, &info);
    EXPECT_EQ(info.mod->chn, SHOW_CHANNELS);
    EXPECT_EQ(info.mod->len, 28);
    EXPECT_EQ(info.mod->ins, INSTRUMENT_COUNT);
    xmp_release_module(context);
    xmp_free_context(context);
}

// Played through the demo's offline driver: every scene, the camera presets,
// several rock counts, each overlay group and the end.
TEST(ShowModule, PlaysEveryRequiredCommandAndEndsWithTheEndByte)
{
    RenderMeasure measure;
    std::string why;
    ASSERT_TRUE(render_measure(KORVEL_SHOW_MODULE, 300, &measure, &why)) << why;
    ASSERT_FALSE(measure.syncs.empty());
    EXPECT_EQ(measure.syncs.back(), 0xFF);
    EXPECT_EQ(std::count(measure.syncs.begin(), measure.syncs.end(), 0xFF), 1);

    // The player fires exactly the script the storyboard lists, in its order.
    XmSong song;
    ASSERT_TRUE(xm_parse(read_bytes(KORVEL_SHOW_MODULE), &song, &why)) << why;
    std::vector<uint8_t> listed;
    SyncScript script = script_read(song);
    for (const ScriptEntry& entry : script.entries) {
        listed.push_back(entry.command);
    }
    ASSERT_EQ(measure.syncs, listed);
    // ... at the times the storyboard gives (a row is seen within one sub-chunk of its start).
    std::vector<std::vector<double>> times = song_row_times(song);
    for (size_t i = 0; i < listed.size(); i++) {
        const ScriptEntry& entry = script.entries[i];
        double storyboard_frame = times[static_cast<size_t>(entry.order)][static_cast<size_t>(entry.row)] * 44.1;
        EXPECT_NEAR(static_cast<double>(measure.sync_frames[i]), storyboard_frame + 128.0, 129.0) << "sync " << i;
    }

    std::set<uint8_t> bytes(measure.syncs.begin(), measure.syncs.end());
    std::vector<uint8_t> required = {0x41, 0x42, 0x44, 0x48, 0x50, 0x51, 0x52, 0x90, 0x91, 0x92};
    for (int32_t scene = 0; scene < 16; scene++) {
        required.push_back(static_cast<uint8_t>(scene == 15 ? 0xF0 : scene));
    }
    for (uint8_t command : required) {
        EXPECT_TRUE(bytes.count(command)) << "missing " << script_command_name(command);
    }
    const struct {
        uint8_t low;
        uint8_t high;
        int32_t at_least;
        const char* what;
    } groups[] = {{0x21, 0x2F, 1, "picture"},
                  {0x31, 0x3F, 1, "second picture"},
                  {0x61, 0x7F, 2, "tags"},
                  {0x81, 0x8F, 2, "distortion"},
                  {0xF0, 0xFE, 4, "slides"}};
    for (const auto& group : groups) {
        int32_t found = 0;
        for (int32_t byte = group.low; byte <= group.high; byte++) {
            found += static_cast<int32_t>(bytes.count(static_cast<uint8_t>(byte)));
        }
        EXPECT_GE(found, group.at_least) << group.what;
    }
}

// The cue in force when each scene is selected, gathered from the played bytes.
std::set<int32_t> presets_of(const std::vector<uint8_t>& syncs, int32_t scene)
{
    std::set<int32_t> presets;
    int32_t current_scene = -1;
    int32_t cue = 0;
    for (uint8_t byte : syncs) {
        if (byte >> 4 == 0) {
            current_scene = byte & 15;
        }
        if (byte >> 4 == 1) {
            cue = byte & 15;
        }
        if (current_scene == scene && byte >> 4 <= 1) {
            presets.insert(cue);
        }
    }
    return presets;
}

// Every preset that keeps its animal's head in the picture (the emblem: its name) is used;
// the others (the emblem's 1-3, the diplodocus's 2 and 3) frame the footprint, the legs or a neck.
TEST(ShowModule, UsesEveryFramingCameraPresetAndSeveralRockCounts)
{
    RenderMeasure measure;
    std::string why;
    ASSERT_TRUE(render_measure(KORVEL_SHOW_MODULE, 300, &measure, &why)) << why;
    const struct {
        int32_t scene;
        std::set<int32_t> presets;
    } cases[] = {{0, {0, 4}}, {2, {0, 1, 4, 5, 6, 7}}, {3, {0, 1, 2, 3}}};
    for (const auto& c : cases) {
        std::set<int32_t> used = presets_of(measure.syncs, c.scene);
        for (int32_t preset : c.presets) {
            EXPECT_TRUE(used.count(preset)) << "scene " << c.scene << " preset " << preset;
        }
    }
    std::set<int32_t> rocks = presets_of(measure.syncs, 4);
    int32_t counts = 0;
    for (int32_t count = 1; count <= 14; count++) {
        counts += static_cast<int32_t>(rocks.count(count));
    }
    EXPECT_GE(counts, 4);
}

// Scenes change on a bar's downbeat and flashes land on a beat, so the pictures move with the music.
TEST(ShowModule, ScenesChangeOnDownbeatsAndFlashesOnBeats)
{
    XmSong song;
    std::string why;
    ASSERT_TRUE(xm_parse(read_bytes(KORVEL_SHOW_MODULE), &song, &why)) << why;
    for (const ScriptEntry& entry : script_read(song).entries) {
        int32_t command = entry.command >> 4;
        std::string where = std::to_string(entry.order) + ":" + std::to_string(entry.row);
        int32_t selects_scene = command == 0x0 || (command == 0xF && entry.command != 0xFF);
        int32_t flashes = command == 0x4 && (entry.command & 1);
        int32_t grid = selects_scene ? 16 : (flashes ? 4 : 1);
        EXPECT_EQ(entry.row % grid, 0) << where << " " << script_command_name(entry.command);
    }
}

TEST(ShowModule, LastsTwoAndAHalfToFourMinutesWithHeadroomAndNoSilentOrder)
{
    RenderMeasure measure;
    std::string why;
    ASSERT_TRUE(render_measure(KORVEL_SHOW_MODULE, 300, &measure, &why)) << why;
    double seconds = measure.frames / 44100.0;
    EXPECT_GE(seconds, 150.0);
    EXPECT_LE(seconds, 240.0);
    EXPECT_LE(level_dbfs(measure.peak / 32768.0), -1.0);
    ASSERT_EQ(measure.orders.size(), 28u);
    for (size_t order = 0; order < measure.orders.size(); order++) {
        EXPECT_GT(order_rms_dbfs(measure.orders[order]), -30.0) << "order " << order;
    }
}

TEST(ShowModule, TwoComposerRunsWriteTheSameBytes)
{
    std::string first = testing::TempDir() + "korvel-compose-1.xm";
    std::string second = testing::TempDir() + "korvel-compose-2.xm";
    ASSERT_EQ(std::system((std::string(KORVEL_COMPOSE_BIN) + " " + first).c_str()), 0);
    ASSERT_EQ(std::system((std::string(KORVEL_COMPOSE_BIN) + " " + second).c_str()), 0);
    std::vector<uint8_t> a = read_bytes(first);
    EXPECT_GT(a.size(), 100000u);
    EXPECT_EQ(a, read_bytes(second));
    EXPECT_EQ(a, xm_build(compose_show_song()));
}

// The fundamental of a rendered note, by the strongest autocorrelation lag near the expected one.
double measured_hz(const std::vector<int16_t>& stereo, double expected)
{
    const size_t start = 4410, span = 8192;
    int32_t low = static_cast<int32_t>(44100.0 / (expected * 1.06));
    int32_t high = static_cast<int32_t>(44100.0 / (expected / 1.06)) + 1;
    std::vector<double> score(static_cast<size_t>(high + 2), 0.0);
    int32_t best = low;
    for (int32_t lag = low - 1; lag <= high + 1; lag++) {
        double sum = 0.0;
        for (size_t i = start; i < start + span; i++) {
            sum += static_cast<double>(stereo[2 * i]) * stereo[2 * (i + static_cast<size_t>(lag))];
        }
        score[static_cast<size_t>(lag)] = sum;
        if (lag >= low && lag <= high && sum > score[static_cast<size_t>(best)]) {
            best = lag;
        }
    }
    double a = score[static_cast<size_t>(best - 1)], b = score[static_cast<size_t>(best)],
           c = score[static_cast<size_t>(best + 1)];
    double shift = 0.5 * (a - c) / (a - 2 * b + c);  // parabola through the peak
    return 44100.0 / (best + shift);
}

TEST(ShowModule, TunedInstrumentsSoundAtTheirNotesPitch)
{
    const struct {
        int32_t instrument;
        uint8_t note;  // XM note: 49 is C-4
        double hz;
    } cases[] = {{INSTRUMENT_BASS, 34, 110.0},
                 {INSTRUMENT_LEAD, 58, 440.0},
                 {INSTRUMENT_ARP, 61, 523.25},
                 {INSTRUMENT_PAD, 49, 261.63},
                 {INSTRUMENT_ECHO, 46, 220.0}};
    for (const auto& c : cases) {
        XmSong song = xm_empty_song(1);
        song.instruments = synth_instruments();
        xm_add_pattern(&song, 64);
        *xm_cell(&song, 0, 0, 0) = {c.note, static_cast<uint8_t>(c.instrument), 0, 0, 0};
        song.orders = {0};
        std::vector<uint8_t> file = xm_build(song);
        MusicOffline offline = {};
        std::string why;
        ASSERT_TRUE(music_offline_open_memory(&offline, file.data(), file.size(), &why)) << why;
        std::vector<int16_t> samples(2 * 22050);
        music_offline_advance_frames(&offline, 22050, nullptr, samples.data(), 22050);
        music_offline_close(&offline);
        double hz = measured_hz(samples, c.hz);
        EXPECT_NEAR(1200.0 * std::log2(hz / c.hz), 0.0, 5.0) << "instrument " << c.instrument << " at " << hz;
    }
}

TEST(ShowModule, StoryboardListsEverySyncByte)
{
    std::vector<uint8_t> page = read_bytes(std::string(KORVEL_SOURCE_DIR) + "/docs/storyboard.md");
    XmSong song;
    std::string why;
    ASSERT_TRUE(xm_parse(read_bytes(KORVEL_SHOW_MODULE), &song, &why)) << why;
    SyncScript script = script_read(song);
    EXPECT_EQ(std::string(page.begin(), page.end()), script_storyboard(song, script));
    EXPECT_GT(script.entries.size(), 100u);
}

}  // namespace

namespace {

// Every pitched note lies in A minor (with the raised G# of the dominant), and
// each bar of the bass starts on the root of the chord the pads hold.
TEST(ShowModule, NotesStayInTheKeyAndTheBassFollowsTheChords)
{
    const std::set<int32_t> a_minor = {9, 11, 0, 2, 4, 5, 7, 8};  // pitch classes, 0 = C
    XmSong song = compose_show_song();
    int32_t held[3] = {0, 0, 0};  // pads keep common tones sounding across bars
    int32_t checked_bars = 0;
    for (uint8_t pattern : song.orders) {
        for (int32_t row = 0; row < SHOW_ROWS; row++) {
            for (int32_t channel = 3; channel < SHOW_CHANNELS; channel++) {
                uint8_t note = xm_cell(&song, pattern, row, channel)->note;
                if (note == XM_NOTE_OFF && channel >= 7) {
                    held[channel - 7] = 0;
                }
                if (note == 0 || note == XM_NOTE_OFF) {
                    continue;
                }
                EXPECT_TRUE(a_minor.count((note + 11) % 12)) << "pattern " << int(pattern) << " row " << row;
                if (channel >= 7) {
                    held[channel - 7] = note;
                }
            }
            uint8_t bass = xm_cell(&song, pattern, row, 3)->note;
            if (row % 16 != 0 || bass == 0 || bass == XM_NOTE_OFF || held[0] == 0 || held[1] == 0 || held[2] == 0) {
                continue;
            }
            std::set<int32_t> chord = {held[0] % 12, held[1] % 12, held[2] % 12};
            EXPECT_TRUE(chord.count(bass % 12)) << "pattern " << int(pattern) << " row " << row;
            checked_bars++;
        }
    }
    EXPECT_GT(checked_bars, 80);
    EXPECT_EQ(xm_cell(&song, song.orders[6], 0, 4)->note, 58);  // the theme opens on A-4 (440 Hz)
}

}  // namespace

namespace {

// The composed song's lead (channel 4) of each order, notes by row.
std::vector<std::vector<std::pair<int32_t, int32_t>>> lead_lines(const XmSong& song)
{
    std::vector<std::vector<std::pair<int32_t, int32_t>>> lines;
    for (uint8_t pattern : song.orders) {
        std::vector<std::pair<int32_t, int32_t>> line;
        for (int32_t row = 0; row < song.patterns[pattern].rows; row++) {
            const XmCell& cell = xm_cell_at(song, pattern, row, 4);
            if (cell.note != 0 && cell.note != 97) {
                line.emplace_back(row, cell.note);
            }
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

// The theme came back six times unchanged, and the song was cut off mid-chord.
TEST(ShowModule, NoLeadLineMoreThanTwiceAndTheLastChordDiesBeforeTheEnd)
{
    const XmSong song = compose_show_song();
    std::map<std::vector<std::pair<int32_t, int32_t>>, int32_t> uses;
    for (const auto& line : lead_lines(song)) {
        if (!line.empty()) {
            EXPECT_LE(++uses[line], 2) << "a lead line heard " << uses[line] << " times";
        }
    }

    RenderMeasure measure;
    std::string why;
    ASSERT_TRUE(render_measure(KORVEL_SHOW_MODULE, 300, &measure, &why)) << why;
    size_t end = 0;
    while (end < measure.syncs.size() && measure.syncs[end] != 0xFF) {
        end++;
    }
    ASSERT_LT(end, measure.syncs.size());
    const int64_t last = measure.sync_frames[end];
    int32_t peak = 0;
    for (int64_t i = (last - 4410) * 2; i < last * 2; i++) {
        peak = std::max(peak, std::abs(int32_t{measure.samples[static_cast<size_t>(i)]}));
    }
    EXPECT_LT(level_dbfs(peak / 32768.0), -60.0) << "the 100 ms before the end command";
}
