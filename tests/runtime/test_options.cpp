// The command line: each argument list and what it leads to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/options.h"

namespace {

struct OptionCase {
    std::vector<const char*> args;  // after the program name
    int32_t status;                 // -1: the demo runs
    const char* drawing;            // expected drawing path, or null
    int32_t fps;
    int32_t grid_columns;
    int32_t grid_rows;
    ConsoleColours colours;
};

// One command line parsed, with what it said; joined names the case in a failure.
struct Parsed {
    int32_t status;
    CommandLine line;
    std::string out;
    std::string err;
    std::string joined;
};

Parsed parse(const std::vector<const char*>& args)
{
    std::vector<const char*> argv = {"korvel"};
    argv.insert(argv.end(), args.begin(), args.end());
    Parsed parsed{};
    for (const char* arg : args) {
        parsed.joined += std::string(arg) + " ";
    }
    parsed.status =
        parse_command_line(static_cast<int>(argv.size()), argv.data(), &parsed.line, &parsed.out, &parsed.err);
    return parsed;
}

TEST(Options, EachArgumentListLeadsWhereItShould)
{
    const ConsoleColours AUTO = CONSOLE_COLOURS_AUTO;
    const OptionCase cases[] = {
        {{}, -1, nullptr, 60, 0, 0, AUTO},
        {{"-h"}, 0, nullptr, 60, 0, 0, AUTO},
        {{"-V"}, 0, nullptr, 60, 0, 0, AUTO},
        {{"--version", "--no-such"}, 0, nullptr, 60, 0, 0, AUTO},  // leaves at the first that ends the run
        {{"a.gml", "b.gml"}, -1, "a.gml", 60, 0, 0, AUTO},         // only the first drawing counts
        {{"-x"}, 2, nullptr, 60, 0, 0, AUTO},                      // not taken for a drawing
        {{"--", "-h"}, -1, "-h", 60, 0, 0, AUTO},                  // "--" ends the options
        {{"-"}, -1, "-", 60, 0, 0, AUTO},
        {{"--fit"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--grid", "80x50"}, -1, nullptr, 60, 80, 50, AUTO},
        {{"--grid=160x100"}, -1, nullptr, 60, 160, 100, AUTO},
        {{"--grid", "161x50"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--grid", "80x"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--grid", "0x50"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--grid"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--fps", "0"}, -1, nullptr, 0, 0, 0, AUTO},
        {{"--fps=30", "d.gml"}, -1, "d.gml", 30, 0, 0, AUTO},
        {{"--fps", "-5"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--fps", "12a"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--fps", "1001"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--color", "none"}, -1, nullptr, 60, 0, 0, CONSOLE_COLOURS_NONE},
        {{"--color=truecolor"}, -1, nullptr, 60, 0, 0, CONSOLE_COLOURS_TRUECOLOR},
        {{"--color", "16"}, -1, nullptr, 60, 0, 0, CONSOLE_COLOURS_ANSI16},
        {{"--color", "256"}, -1, nullptr, 60, 0, 0, CONSOLE_COLOURS_256},
        {{"--color", "255"}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--data", "d", "x.gml"}, -1, "x.gml", 60, 0, 0, AUTO},  // a folder, not the drawing
        {{"--data="}, 2, nullptr, 60, 0, 0, AUTO},
        {{"--data"}, 2, nullptr, 60, 0, 0, AUTO},
    };
    for (const OptionCase& c : cases) {
        const auto [status, line, out, err, joined] = parse(c.args);
        EXPECT_EQ(status, c.status) << joined;
        EXPECT_EQ(status == 0, !out.empty()) << joined;
        EXPECT_EQ(status == 2, !err.empty()) << joined;
        if (status != -1) {
            continue;
        }
        EXPECT_STREQ(line.demo.drawing_path, c.drawing) << joined;
        EXPECT_EQ(line.demo.fps, c.fps) << joined;
        EXPECT_EQ(line.console.grid_columns, c.grid_columns) << joined;
        EXPECT_EQ(line.console.grid_rows, c.grid_rows) << joined;
        EXPECT_EQ(line.console.colours, c.colours) << joined;
    }
}

TEST(Options, TheLookIsCellsUnlessBlocksAreAskedFor)
{
    struct LookCase {
        std::vector<const char*> args;
        int32_t status;
        ConsoleLook look;
    };
    const LookCase cases[] = {
        {{}, -1, CONSOLE_LOOK_CELLS},
        {{"--look", "blocks"}, -1, CONSOLE_LOOK_BLOCKS},
        {{"--look=blocks", "--look=cells"}, -1, CONSOLE_LOOK_CELLS},
        {{"--look", "block"}, 2, CONSOLE_LOOK_CELLS},
        {{"--look"}, 2, CONSOLE_LOOK_CELLS},
    };
    for (const LookCase& c : cases) {
        const Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.status, c.status);
        if (c.status == -1) {
            EXPECT_EQ(parsed.line.console.look, c.look);
        }
    }
}

struct RenderCase {
    std::vector<const char*> args;
    int32_t status;  // -1: it renders
    int32_t fps;
    const char* record;
    const char* shot;
    int32_t shot_ms;
    int32_t duration_ms;
};

TEST(Options, RenderingOptionsTakeTheirValuesAndRefuseMixtures)
{
    const RenderCase cases[] = {
        {{"--record", "a.cast"}, -1, 30, "a.cast", nullptr, 0, 0},  // recordings default to 30 fps
        {{"--record=a.cast", "--fps", "60"}, -1, 60, "a.cast", nullptr, 0, 0},
        {{"--fps", "0", "--record", "a.cast"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--record"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--screenshot", "12.5", "s.png"}, -1, 30, nullptr, "s.png", 12500, 0},
        {{"--screenshot=0.007", "s.png"}, -1, 30, nullptr, "s.png", 7, 0},
        {{"--screenshot", "3"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--screenshot", "-3", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--screenshot", "3.", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--screenshot", "1.0001", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--screenshot", "86401", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--record", "a.cast", "--duration", "90"}, -1, 30, "a.cast", nullptr, 0, 90000},
        {{"--record", "a.cast", "--duration", "x"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--record", "a.cast", "--audio", "a.wav"}, -1, 30, "a.cast", nullptr, 0, 0},
        {{"--record", "a.cast", "--screenshot", "1", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--video", "v.mp4", "--contact-sheet", "c.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--contact-sheet", "c.png", "--every", "0"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--script", "--record", "a.cast"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--script"}, -1, 30, nullptr, nullptr, 0, 0},
        {{"--motion", "--gentle"}, -1, 30, nullptr, nullptr, 0, 0},
        {{"--motion", "--screenshot", "1", "s.png"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--motion", "--script"}, 2, 0, nullptr, nullptr, 0, 0},
        {{"--fps", "0"}, -1, 0, nullptr, nullptr, 0, 0},  // the live show may run unpaced
    };
    for (const RenderCase& c : cases) {
        const auto [status, line, out, err, joined] = parse(c.args);
        EXPECT_EQ(status, c.status) << joined << err;
        if (status != -1) {
            continue;
        }
        EXPECT_EQ(line.demo.fps, c.fps) << joined;
        EXPECT_STREQ(line.rendering.record_path, c.record) << joined;
        EXPECT_STREQ(line.rendering.screenshot_path, c.shot) << joined;
        EXPECT_EQ(line.rendering.screenshot_ms, c.shot_ms) << joined;
        EXPECT_EQ(line.rendering.duration_ms, c.duration_ms) << joined;
    }
}

// The console probe reads a time and a file like a screenshot, and is no rendering:
// the show is played on the platform's own console.
TEST(Options, ConsoleProbeTakesATimeAndAFile)
{
    struct ProbeCase {
        std::vector<const char*> args;
        int32_t status;
        const char* path;
        int32_t ms;
    };
    const ProbeCase cases[] = {
        {{"--console-probe", "24.5", "p.cells"}, -1, "p.cells", 24500},
        {{"--console-probe=0", "p.cells"}, -1, "p.cells", 0},
        {{"--console-probe", "24.5"}, 2, nullptr, 0},
        {{"--console-probe", "x", "p.cells"}, 2, nullptr, 0},
    };
    for (const ProbeCase& c : cases) {
        const Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.status, c.status) << c.args[0] << " " << parsed.err;
        if (c.status != -1) {
            continue;
        }
        EXPECT_STREQ(parsed.line.probe_path, c.path);
        EXPECT_EQ(parsed.line.probe_ms, c.ms);
        EXPECT_FALSE(export_requested(parsed.line.rendering));
    }
}

}  // namespace
