// Whole files into memory, with the reasons a loader can pass on.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/open_flags.h"

namespace {

// Why the opened file cannot be read whole, or null when it can.
const char* unreadable(int fd, int64_t limit, int64_t* size)
{
    struct stat info = {};
    if (fstat(fd, &info) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return "not a regular file";
    }
    if (info.st_size > limit) {
        return "file too large";
    }
    *size = info.st_size;
    return nullptr;
}

// A named pipe or a device would make a blocking open wait for a writer that
// never comes; opened without waiting, they are refused as not regular files.
// Reads of regular files ignore the flag.
int open_without_waiting(const char* path)
{
    return open(path, O_RDONLY | O_CLOEXEC | O_BINARY | O_NONBLOCK);
}

// Reads exactly bytes->size() bytes. Returns null, or the reason it could not.
const char* read_all(int fd, std::vector<uint8_t>* bytes)
{
    size_t done = 0;
    while (done < bytes->size()) {
        ssize_t got = read(fd, bytes->data() + done, bytes->size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::strerror(errno);
        }
        if (got == 0) {
            return "file shrank while it was read";
        }
        done += static_cast<size_t>(got);
    }
    return nullptr;
}

// Why open() refused path. Windows refuses a directory with "Permission denied":
// name what it is instead, as the other systems' reading does.
FileRead refused(const char* path, std::string* why)
{
    int error = errno;
    struct stat info = {};
    if (stat(path, &info) == 0 && !S_ISREG(info.st_mode)) {
        *why = "not a regular file";
        return FILE_READ_FAILED;
    }
    *why = std::strerror(error);
    return FILE_READ_MISSING;
}

}  // namespace

FileRead platform_check_file(const char* path, std::string* why)
{
    int fd = open_without_waiting(path);
    if (fd < 0) {
        return refused(path, why);
    }
    int64_t size = 0;
    const char* problem = unreadable(fd, INT64_MAX, &size);
    close(fd);
    if (problem == nullptr) {
        return FILE_READ_OK;
    }
    *why = problem;
    return FILE_READ_FAILED;
}

FileRead platform_read_file(const char* path, int64_t limit, std::vector<uint8_t>* bytes, std::string* why)
{
    bytes->clear();
    int fd = open_without_waiting(path);
    if (fd < 0) {
        return refused(path, why);
    }
    int64_t size = 0;
    const char* problem = unreadable(fd, limit, &size);
    if (problem == nullptr) {
        bytes->resize(static_cast<size_t>(size));
        problem = read_all(fd, bytes);
    }
    close(fd);
    if (problem == nullptr) {
        return FILE_READ_OK;
    }
    bytes->clear();
    *why = problem;
    return FILE_READ_FAILED;
}
