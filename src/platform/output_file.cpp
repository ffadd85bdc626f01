// Output files that never clobber: private temporary files renamed into place, devices written as they are.
#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/open_flags.h"

#ifndef PATH_MAX
#define PATH_MAX 4096
#endif

namespace {

// A run writes at most a handful of files at once (recording, audio, video
// and its sound, two pictures, a sheet).
constexpr int32_t UNFINISHED_LIMIT = 16;
// The temporary name keeps this much of the final one, so that a final name
// of the longest length a folder allows still gets a temporary file.
constexpr size_t TEMP_NAME_KEEP = 64;
constexpr int32_t TEMP_NAME_TRIES{100};  // a count of attempts, not a canvas size

// Temporary files not yet renamed or removed, for the handlers that end the
// process abruptly. A slot's path is written before it is marked live.
struct UnfinishedOutputs {
    std::atomic<int32_t> live[UNFINISHED_LIMIT];
    char paths[UNFINISHED_LIMIT][PATH_MAX];
    std::atomic<uint32_t> names_made;  // salts the next temporary name
};

// Lives for the whole process; registered and released on the main thread.
UnfinishedOutputs unfinished;

int32_t register_unfinished(const std::string& path)
{
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (int32_t i = 0; i < UNFINISHED_LIMIT; i++) {
        if (unfinished.live[i].load() != 0) {
            continue;
        }
        std::memcpy(unfinished.paths[i], path.c_str(), path.size() + 1);
        unfinished.live[i].store(1);
        return i;
    }
    return -1;
}

void release_unfinished(OutputFile* out)
{
    if (out->slot >= 0) {
        unfinished.live[out->slot].store(0);
    }
    out->slot = -1;
}

int sync_to_disk(FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file));
#else
    return fsync(fileno(file));
#endif
}

// Replaces final_path by temp_path in one step. 0 on success, errno set otherwise.
int replace_file(const char* temp_path, const char* final_path)
{
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    if (MoveFileExA(temp_path, final_path, MOVEFILE_REPLACE_EXISTING) != 0) {
        return 0;
    }
    errno = EACCES;
    return -1;
#else
    return std::rename(temp_path, final_path);
#endif
}

int32_t fail(OutputFile* out, const char* what)
{
    if (out->failed == 0) {
        out->failed = 1;
        out->error = std::string(what) + " (" + std::strerror(errno) + ")";
    }
    return 0;
}

int32_t refuse(std::string* why, const char* what)
{
    *why = std::string(what) + " (" + std::strerror(errno) + ")";
    return 0;
}

size_t name_start(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

// Unique enough that concurrent runs seldom collide; the exclusive
// creation makes a collision a retry, never a shared file.
uint32_t temp_salt(int32_t attempt)
{
    uint32_t value = static_cast<uint32_t>(getpid()) * 2654435761u;
    value ^= static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&value)) * 40503u;
    value ^= (unfinished.names_made.fetch_add(1) + static_cast<uint32_t>(attempt)) * 0x9E3779B9u;
    value ^= static_cast<uint32_t>(time(nullptr)) * 2246822519u;
    return value;
}

// A file replaced keeps who may read it; a new one gets the umask's say.
void keep_mode(int fd, int mode)
{
#ifdef _WIN32
    (void)fd;
    (void)mode;
#else
    if (mode >= 0) {
        fchmod(fd, static_cast<mode_t>(mode & 0777));
    }
#endif
}

// Creates a file of a new name beside near_path, refusing to follow a link
// or to open anything that is already there.
int32_t create_temporary(OutputFile* out, const std::string& near_path, int mode, std::string* why)
{
    size_t start = name_start(near_path);
    std::string stem = near_path.substr(0, start) + "." + near_path.substr(start, TEMP_NAME_KEEP);
    for (int32_t attempt = 0; attempt < TEMP_NAME_TRIES; attempt++) {
        char suffix[24];
        std::snprintf(suffix, sizeof(suffix), ".%08x.partial", temp_salt(attempt));
        std::string name = stem + suffix;
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_BINARY, 0666);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            return refuse(why, "cannot be written");
        }
        keep_mode(fd, mode);
        out->slot = register_unfinished(name);
        out->file = fdopen(fd, "wb");
        if (out->slot < 0 || out->file == nullptr) {
            if (out->file != nullptr) {
                std::fclose(out->file);
            } else {
                close(fd);
            }
            out->file = nullptr;
            std::remove(name.c_str());
            release_unfinished(out);
            *why = "cannot be written (too many outputs at once)";
            return 0;
        }
        out->temp_path = name;
        return 1;
    }
    *why = "cannot be written (no free temporary name beside it)";
    return 0;
}

// A device or a pipe: written where it is, never replaced.
int32_t open_direct(OutputFile* out, const char* path, std::string* why)
{
    int fd = open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC | O_BINARY);
    if (fd < 0) {
        return refuse(why, "cannot be written");
    }
    out->file = fdopen(fd, "wb");
    if (out->file == nullptr) {
        close(fd);
        return refuse(why, "cannot be written");
    }
    out->kind = OUTPUT_DIRECT;
    out->seekable = lseek(fd, 0, SEEK_CUR) >= 0 ? 1 : 0;
    return 1;
}

// Where the finished file goes: the name itself, or the file a symbolic
// link leads to (the link is kept). Empty with *why set on failure.
std::string publish_path(const char* final_path, std::string* why)
{
#ifdef _WIN32
    (void)why;
    return final_path;
#else
    struct stat link = {};
    if (lstat(final_path, &link) != 0 || !S_ISLNK(link.st_mode)) {
        return final_path;
    }
    char resolved[PATH_MAX];
    if (realpath(final_path, resolved) == nullptr) {
        refuse(why, "cannot be written");
        return std::string();
    }
    return resolved;
#endif
}

// TMPDIR, else the system's own.
std::string temporary_folder()
{
#ifdef _WIN32
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof(folder), folder);
    if (length > 0 && length < sizeof(folder)) {
        return folder;
    }
    return ".\\";
#else
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr && folder[0] != '\0' ? folder : "/tmp") + "/";
#endif
}

}  // namespace

int32_t output_file_open(OutputFile* out, const char* final_path, std::string* why)
{
    *out = OutputFile{};
    out->slot = -1;
    out->final_path = final_path;
    struct stat info = {};
    bool exists = stat(final_path, &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        *why = "is a directory";
        return 0;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        return open_direct(out, final_path, why);
    }
    std::string publish = publish_path(final_path, why);
    if (publish.empty()) {
        return 0;
    }
    out->final_path = publish;
    out->kind = OUTPUT_REPLACED;
    out->seekable = 1;
    int mode = exists ? static_cast<int>(info.st_mode) : -1;
    return create_temporary(out, publish, mode, why);
}

int32_t output_file_open_scratch(OutputFile* out, const char* near_path, std::string* why)
{
    *out = OutputFile{};
    out->slot = -1;
    out->kind = OUTPUT_SCRATCH;
    out->seekable = 1;
    std::string beside = near_path != nullptr ? near_path : temporary_folder() + "korvel";
    return create_temporary(out, beside, -1, why);
}

const std::string& output_file_write_path(const OutputFile& out)
{
    return out.kind == OUTPUT_DIRECT ? out.final_path : out.temp_path;
}

int32_t output_file_write(OutputFile* out, const void* bytes, size_t length)
{
    if (out->file == nullptr || out->failed != 0) {
        return 0;
    }
    if (length > 0 && std::fwrite(bytes, 1, length, out->file) != length) {
        return fail(out, "write failed");
    }
    return 1;
}

int32_t output_file_patch(OutputFile* out, int64_t offset, const void* bytes, size_t length)
{
    if (out->file == nullptr || out->failed != 0 || out->seekable == 0) {
        return 0;
    }
    long end = std::ftell(out->file);
    if (end < 0 || std::fseek(out->file, static_cast<long>(offset), SEEK_SET) != 0) {
        return fail(out, "seek failed");
    }
    int32_t written = output_file_write(out, bytes, length);
    if (std::fseek(out->file, end, SEEK_SET) != 0) {
        return fail(out, "seek failed");
    }
    return written;
}

int32_t output_file_commit(OutputFile* out, std::string* why)
{
    if (out->file == nullptr) {
        *why = "was not open";
        return 0;
    }
    if (std::fflush(out->file) != 0) {
        fail(out, "write failed");
    }
    // A device or a pipe cannot be synced (EINVAL): its writes were the test.
    if (out->failed == 0 && sync_to_disk(out->file) != 0 && errno != EINVAL && errno != EROFS) {
        fail(out, "write failed");
    }
    if (std::fclose(out->file) != 0) {
        fail(out, "write failed");
    }
    out->file = nullptr;
    if (out->failed != 0) {
        *why = out->error;
        output_file_abandon(out);
        return 0;
    }
    if (out->kind != OUTPUT_REPLACED) {
        return 1;
    }
    if (replace_file(out->temp_path.c_str(), out->final_path.c_str()) != 0) {
        refuse(why, "cannot be renamed into place");
        output_file_abandon(out);
        return 0;
    }
    release_unfinished(out);
    out->temp_path.clear();
    return 1;
}

void output_file_abandon(OutputFile* out)
{
    if (out->file != nullptr) {
        std::fclose(out->file);
    }
    out->file = nullptr;
    if (!out->temp_path.empty()) {
        std::remove(out->temp_path.c_str());
    }
    out->temp_path.clear();
    release_unfinished(out);
}

void platform_remove_unfinished_outputs()
{
    for (int32_t i = 0; i < UNFINISHED_LIMIT; i++) {
        if (unfinished.live[i].exchange(0) != 0) {
            unlink(unfinished.paths[i]);
        }
    }
}

int32_t platform_same_file(const char* a, const char* b)
{
#ifdef _WIN32
    HANDLE first = CreateFileA(a, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    HANDLE second = CreateFileA(b, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION x = {};
    BY_HANDLE_FILE_INFORMATION y = {};
    bool same = first != INVALID_HANDLE_VALUE && second != INVALID_HANDLE_VALUE &&
                GetFileInformationByHandle(first, &x) != 0 && GetFileInformationByHandle(second, &y) != 0 &&
                x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
                x.nFileIndexLow == y.nFileIndexLow;
    if (first != INVALID_HANDLE_VALUE) {
        CloseHandle(first);
    }
    if (second != INVALID_HANDLE_VALUE) {
        CloseHandle(second);
    }
    return same ? 1 : 0;
#else
    struct stat x = {};
    struct stat y = {};
    return stat(a, &x) == 0 && stat(b, &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino ? 1 : 0;
#endif
}
