// Where the show's data is taken from: each combination of places, and the program run with them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/data_folder.h"
#include "runtime/data_lookup.h"
#include "support/show_dir.h"

namespace {

namespace fs = std::filesystem;

void put_module(const fs::path& folder)
{
    fs::create_directories(folder);
    std::ofstream(folder / "dino.xm") << "module";
}

TEST(DataFolder, ShowNamesMapIntoTheRoot)
{
    const struct {
        const char* root;
        const char* name;
        const char* path;
    } cases[] = {
        {"data", "data/title.tga", "data/title.tga"},
        {"mine/", "data/title.tga", "mine/title.tga"},
        {"/", "data/dino.xm", "/dino.xm"},
        {"", "data/dino.xm", "./dino.xm"},
        {"mine", "intro.gml", "intro.gml"},  // a name of the user's own stays as given
    };
    for (const auto& c : cases) {
        EXPECT_EQ(data_file_in(c.root, c.name), c.path) << c.root << " " << c.name;
    }
    data_folder.root = "mine";
    EXPECT_EQ(data_row_path("data/trex.baf|data/texWht.tga"), "mine/trex.baf|mine/texWht.tga");
    data_folder.root = "data";
}

TEST(DataLookup, TakesTheFirstPlaceGivenAndNamesEveryPlaceLooked)
{
    fs::path top = make_temp_dir("lookup");
    put_module(top / "mine");
    put_module(top / "here/data");
    put_module(top / "inst/share/korvel/data");
    fs::create_directories(top / "empty");
    fs::create_directories(top / "bare");
    fs::create_directories(top / "inst/bin");
    std::string mine = (top / "mine").string();
    std::string empty = (top / "empty").string();
    std::string inst_bin = (top / "inst/bin").string();
    const struct {
        const char* cwd;
        const char* option;
        const char* environment;
        std::string program;
        std::string root;                 // "" when none is found
        std::vector<std::string> looked;  // in the message
    } cases[] = {
        {"here", mine.c_str(), empty.c_str(), inst_bin, mine, {}},
        {"here", nullptr, mine.c_str(), inst_bin, mine, {}},
        {"here", "", "", inst_bin, "data", {}},
        {"bare", nullptr, nullptr, inst_bin, (top / "inst/share/korvel/data").string(), {}},
        // A folder named but without the show is never replaced by another.
        {"here", empty.c_str(), mine.c_str(), inst_bin, "", {empty + "/dino.xm", "--data"}},
        {"here", nullptr, empty.c_str(), inst_bin, "", {empty + "/dino.xm", "KORVEL_DATA"}},
        {"bare", nullptr, nullptr, mine, "", {"data/dino.xm", (top / "share/korvel/data/dino.xm").string()}},
        {"bare", nullptr, nullptr, "", "", {"data/dino.xm"}},
    };
    fs::path start = fs::current_path();
    for (const auto& c : cases) {
        fs::current_path(top / c.cwd);
        data_folder.root = "data";
        std::string why;
        int32_t found = find_data_folder({c.option, c.environment, c.program}, &why);
        std::string label = std::string(c.cwd) + " " + (c.option ? c.option : "-") + " " +
                            (c.environment ? c.environment : "-") + " " + c.program;
        EXPECT_EQ(found, !c.root.empty()) << label << ": " << why;
        if (found) {
            EXPECT_EQ(data_folder.root, c.root) << label;
        }
        for (const std::string& place : c.looked) {
            EXPECT_NE(why.find(place), std::string::npos) << label << ": " << why;
        }
    }
    fs::current_path(start);
    data_folder.root = "data";
    fs::remove_all(top);
}

TEST(DataLookup, TheProgramReadsTheShowFromTheFolderNamed)
{
    std::string show = make_show_dir(test_show_song(), "named");
    std::string elsewhere = make_temp_dir("elsewhere");
    std::string wanted = run_korvel(show, {"--script"}).out;
    ASSERT_FALSE(wanted.empty());
    EXPECT_EQ(run_korvel(elsewhere, {"--data", show + "/data", "--script"}).out, wanted);
    EXPECT_EQ(run_korvel(elsewhere, {"--script"}, "KORVEL_DATA=" + show + "/data").out, wanted);
    // The named folder's files are the show's inputs, never written over.
    std::string module = read_file(show + "/data/dino.xm");
    ProgramRun over = run_korvel(elsewhere, {"--data", show + "/data", "--record", show + "/data/dino.xm"});
    EXPECT_EQ(over.status, 2) << over.err;
    EXPECT_EQ(read_file(show + "/data/dino.xm"), module);
    ProgramRun missing = run_korvel(elsewhere, {"--data=nowhere", "--script"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "korvel: nowhere/dino.xm: No such file or directory (the data folder named by --data)\n");
    fs::remove_all(show);
    fs::remove_all(elsewhere);
}

}  // namespace
