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
        {{"--color", "256"}, 2, nullptr, 60, 0, 0, AUTO},
    };
    for (const OptionCase& c : cases) {
        std::vector<const char*> argv = {"korvel"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string joined;
        for (const char* arg : c.args)
            joined += std::string(arg) + " ";
        CommandLine line;
        std::string out;
        std::string err;
        int32_t status = parse_command_line(static_cast<int>(argv.size()), argv.data(), &line, &out, &err);
        EXPECT_EQ(status, c.status) << joined;
        EXPECT_EQ(status == 0, !out.empty()) << joined;
        EXPECT_EQ(status == 2, !err.empty()) << joined;
        if (status != -1)
            continue;
        EXPECT_STREQ(line.demo.drawing_path, c.drawing) << joined;
        EXPECT_EQ(line.demo.fps, c.fps) << joined;
        EXPECT_EQ(line.console.grid_columns, c.grid_columns) << joined;
        EXPECT_EQ(line.console.grid_rows, c.grid_rows) << joined;
        EXPECT_EQ(line.console.colours, c.colours) << joined;
    }
}

}  // namespace
