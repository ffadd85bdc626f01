// Where a rendering may write: new names, files, links, pipes, devices, inputs, and runs racing for one name.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "support/cast_reader.h"
#include "support/show_dir.h"

namespace {

constexpr size_t EVENTS_A_SECOND = 30;

enum Target { MISSING, REGULAR, SYMLINK, FIFO, DEVICE, FULL_DEVICE, DIRECTORY, READ_ONLY_FOLDER, INPUT, LONG_NAME };

bool whole_recording(const std::string& text, size_t events)
{
    CastRecording cast = read_cast(text);
    return cast.malformed == 0 && cast.events.size() == events;
}

bool no_temporary_left(const std::string& dir)
{
    for (const std::string& name : dir_names(dir)) {
        if (name.find("partial") != std::string::npos) {
            return false;
        }
    }
    return true;
}

struct stat stat_of(const std::string& path)
{
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info;
}

TEST(ExportTargets, EachKindOfTargetIsWrittenReplacedOrRefusedAsItShouldBe)
{
    const bool root = geteuid() == 0;
    const struct {
        Target kind;
        std::string path;
        int32_t status;
        const char* said;
    } cases[] = {
        {MISSING, "new.cast", 0, ""},
        {REGULAR, "old.cast", 0, ""},
        {SYMLINK, "link.cast", 0, ""},
        {FIFO, "pipe.cast", 0, ""},
        {DEVICE, "null.cast", 0, ""},
        {FULL_DEVICE, "/dev/full", 1, "korvel: /dev/full: write failed (No space left on device)"},
        {DIRECTORY, "folder", 1, "korvel: folder: is a directory"},
        {READ_ONLY_FOLDER, "locked/x.cast", 1, "korvel: locked/x.cast: cannot be written (Permission denied)"},
        {INPUT, "song.cast", 2, "korvel: song.cast: is an input of the show (data/dino.xm); nothing was written"},
        {LONG_NAME, std::string(250, 'n') + ".cast", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        if ((c.kind == DEVICE && !root) || (c.kind == READ_ONLY_FOLDER && root)) {
            continue;  // making a device node needs root; root writes into any folder
        }
        std::string dir = make_show_dir(test_show_song(), "targets");
        std::string at = c.path[0] == '/' ? c.path : dir + "/" + c.path;
        std::string song_before = read_file(dir + "/data/dino.xm");
        std::string piped;
        std::thread reader;
        if (c.kind == REGULAR) {
            std::filesystem::copy_file(dir + "/data/dino.xm", at);
            chmod(at.c_str(), 0640);
        }
        if (c.kind == SYMLINK) {
            std::filesystem::copy_file(dir + "/data/dino.xm", dir + "/kept.cast");
            symlink("kept.cast", at.c_str());
        }
        if (c.kind == FIFO) {
            mkfifo(at.c_str(), 0600);
            reader = std::thread([&] { piped = read_file(at); });
        }
        if (c.kind == DEVICE) {
            mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 3));
        }
        if (c.kind == DIRECTORY) {
            mkdir(at.c_str(), 0755);
        }
        if (c.kind == READ_ONLY_FOLDER) {
            mkdir((dir + "/locked").c_str(), 0555);
        }
        if (c.kind == INPUT) {
            symlink("data/dino.xm", at.c_str());
        }
        ProgramRun run = run_korvel(dir, {"--record", c.path, "--duration", "1"});
        if (reader.joinable()) {
            reader.join();
        }
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_TRUE(no_temporary_left(dir)) << testing::PrintToString(dir_names(dir));
        EXPECT_EQ(read_file(dir + "/data/dino.xm"), song_before);
        if (c.kind == MISSING || c.kind == REGULAR || c.kind == LONG_NAME) {
            EXPECT_TRUE(whole_recording(read_file(at), EVENTS_A_SECOND));
        }
        if (c.kind == REGULAR) {
            EXPECT_EQ(stat_of(at).st_mode & 0777, 0640u) << "a replaced file keeps who may read it";
        }
        if (c.kind == SYMLINK) {
            EXPECT_TRUE(S_ISLNK(stat_of(at).st_mode)) << "the link stays a link";
            EXPECT_TRUE(whole_recording(read_file(dir + "/kept.cast"), EVENTS_A_SECOND));
        }
        if (c.kind == FIFO) {
            EXPECT_TRUE(S_ISFIFO(stat_of(at).st_mode));
            EXPECT_TRUE(whole_recording(piped, EVENTS_A_SECOND));
        }
        if (c.kind == DEVICE) {
            EXPECT_TRUE(S_ISCHR(stat_of(at).st_mode)) << "a device is written, never replaced";
        }
        chmod((dir + "/locked").c_str(), 0755);
        std::filesystem::remove_all(dir);
    }
}

TEST(ExportTargets, RunsRecordingToOneNameEachPublishAWholeFileOfTheirOwn)
{
    std::string dir = make_show_dir(test_show_song(), "racing");
    ProgramRun runs[4];
    std::vector<std::thread> threads;
    for (int32_t i = 0; i < 4; i++) {
        threads.emplace_back([&, i] {
            runs[i] = run_korvel(dir, {"--record", "show.cast", "--duration", std::to_string(i + 1)});
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const ProgramRun& run : runs) {
        EXPECT_EQ(run.status, 0) << run.err;
    }
    CastRecording cast = read_cast(read_file(dir + "/show.cast"));
    EXPECT_EQ(cast.malformed, 0);
    EXPECT_EQ(cast.events.size() % EVENTS_A_SECOND, 0u) << "the last rename wins, whole";
    EXPECT_EQ(dir_names(dir), (std::vector<std::string>{"data", "show.cast"}));
    std::filesystem::remove_all(dir);
}

}  // namespace
