// Whole-file reads of what a user may name instead of a file: a folder, a named pipe, a big file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

std::string scratch_path(const char* name)
{
    return std::string(::testing::TempDir()) + "korvel_files_" + std::to_string(getpid()) + "_" + name;
}

}  // namespace

// A named pipe with no writer: a blocking open would wait for ever.
TEST(Files, APipeIsRefusedWithoutWaitingForAWriter)
{
    const std::string pipe = scratch_path("pipe");
    const std::string folder = scratch_path("folder");
    const std::string big = scratch_path("big");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    FILE* file = std::fopen(big.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("0123456789", file);
    std::fclose(file);
    const struct {
        std::string path;
        int64_t limit;
        FileRead expected;
        const char* why;
    } cases[] = {
        {pipe, 1 << 20, FILE_READ_FAILED, "not a regular file"},
        {folder, 1 << 20, FILE_READ_FAILED, "not a regular file"},
        {big, 9, FILE_READ_FAILED, "file too large"},
        {big, 10, FILE_READ_OK, ""},
        {scratch_path("none"), 10, FILE_READ_MISSING, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes;
        std::string why;
        EXPECT_EQ(platform_read_file(c.path.c_str(), c.limit, &bytes, &why), c.expected) << c.path;
        EXPECT_EQ(why, c.why) << c.path;
        why.clear();
        EXPECT_EQ(platform_check_file(c.path.c_str(), &why), c.limit >= 10 ? c.expected : FILE_READ_OK) << c.path;
    }
    unlink(pipe.c_str());
    rmdir(folder.c_str());
    unlink(big.c_str());
}
