// korvel-sync as a user runs it: compile a script into their module, list it back, refuse mistakes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/xm_writer.h"
#include "xm/sync_script.h"

namespace {

// ctest runs the tests of this file side by side: each test keeps to files of its own.
std::string temp_path(const char* name)
{
    return testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + name;
}

void write_text(const std::string& path, const std::string& text)
{
    std::string why;
    ASSERT_TRUE(xm_write_file(path.c_str(), std::vector<uint8_t>(text.begin(), text.end()), &why)) << why;
}

// Runs the tool; returns its exit status and what it printed on both streams.
int32_t run_sync(const std::string& arguments, std::string* output)
{
    std::string log = temp_path("sync-output.txt");
    std::string command = std::string(KORVEL_SYNC_BIN) + " " + arguments + " >" + log + " 2>&1";
    int32_t status = std::system(command.c_str());
    std::vector<uint8_t> bytes;
    std::string why;
    xm_read_file(log.c_str(), &bytes, &why);
    output->assign(bytes.begin(), bytes.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string user_module()
{
    XmSong song = xm_song(1);
    xm_add_pattern(&song, 32);
    for (int32_t row = 0; row < 32; row++) {
        xm_effect(&song, 0, row, 0, 0x04, 0x44);  // vibrato everywhere: no free effect column
    }
    xm_note(&song, 0, 0, 0, 49);
    song.orders = {0, 0};
    std::string path = temp_path("user.xm");
    std::string why;
    EXPECT_TRUE(xm_write_file(path.c_str(), xm_build(song), &why)) << why;
    return path;
}

TEST(SyncCommand, CompilesIntoAUsersModuleAndListsTheScriptBack)
{
    std::string module = user_module();
    std::string script = temp_path("user.script");
    std::string out = temp_path("user-show.xm");
    std::string board = temp_path("user-board.md");
    write_text(script, "0:0 scene 2   # opening\n0:0 cue 4\n1:16 timers flash\n1:31 end\n");
    std::string output;
    ASSERT_EQ(run_sync("compile " + module + " " + script + " " + out + " --storyboard " + board, &output), 0)
        << output;
    ASSERT_EQ(run_sync("list " + out, &output), 0);
    EXPECT_EQ(output, "0:0 scene 2\n0:0 cue 4\n1:16 timers flash\n1:31 end\n");

    std::vector<uint8_t> page;
    std::string why;
    ASSERT_TRUE(xm_read_file(board.c_str(), &page, &why));
    std::string text(page.begin(), page.end());
    EXPECT_NE(text.find("| 0:05.760 | 1 | 16 | 41 | timers: flash |"), std::string::npos) << text;
    EXPECT_NE(text.find("| 0:07.560 | 1 | 31 | FF | end of the show |"), std::string::npos) << text;
}

TEST(SyncCommand, MistakesNameTheFileAndLineAndWriteNothing)
{
    std::string module = user_module();
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"0:0 scene 2\n0:3 scene twelve\n", ": line 2: unknown command \"scene twelve\""},
        {"2:0 end\n", ": line 1: order 2 row 0 lies beyond the song's 2 orders"},
    };
    for (const auto& c : cases) {
        std::string script = temp_path("bad.script");
        std::string out = temp_path("never.xm");
        std::remove(out.c_str());
        write_text(script, c.script);
        std::string output;
        EXPECT_EQ(run_sync("compile " + module + " " + script + " " + out, &output), 1);
        EXPECT_EQ(output, "korvel-sync: " + script + c.message + "\n");
        EXPECT_EQ(std::fopen(out.c_str(), "rb"), nullptr);
    }
    std::string output;
    EXPECT_EQ(run_sync("list " + temp_path("missing.xm"), &output), 1);
    EXPECT_EQ(output, "korvel-sync: " + temp_path("missing.xm") + ": cannot be opened\n");
}

}  // namespace
