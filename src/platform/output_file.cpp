// Output files written beside their final name and renamed into place only when complete.
#include "platform/output_file.h"

#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif
#include <cerrno>
#include <cstring>

namespace {

// Flushes the file's data to the disk. 0 on success.
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

}  // namespace

std::string output_file_temp_path(const char* final_path)
{
    return std::string(final_path) + ".partial";
}

int32_t output_file_open(OutputFile* out, const char* final_path, std::string* why)
{
    *out = OutputFile{};
    out->final_path = final_path;
    out->temp_path = output_file_temp_path(final_path);
    struct stat info = {};
    if (stat(final_path, &info) == 0 && S_ISDIR(info.st_mode)) {
        *why = "is a directory";
        return 0;
    }
    out->file = std::fopen(out->temp_path.c_str(), "wb");
    if (out->file == nullptr) {
        *why = std::string("cannot be written (") + std::strerror(errno) + ")";
        return 0;
    }
    return 1;
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
    if (out->file == nullptr || out->failed != 0) {
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
    if (out->failed == 0 && sync_to_disk(out->file) != 0 && errno != EINVAL) {
        fail(out, "write failed");
    }
    if (std::fclose(out->file) != 0) {
        fail(out, "write failed");
    }
    out->file = nullptr;
    if (out->failed != 0) {
        *why = out->error;
        std::remove(out->temp_path.c_str());
        return 0;
    }
    return platform_rename_into_place(out->temp_path, out->final_path, why);
}

void output_file_abandon(OutputFile* out)
{
    if (out->file == nullptr) {
        return;
    }
    std::fclose(out->file);
    out->file = nullptr;
    std::remove(out->temp_path.c_str());
}

int32_t platform_rename_into_place(const std::string& temp_path, const std::string& final_path, std::string* why)
{
    if (replace_file(temp_path.c_str(), final_path.c_str()) != 0) {
        *why = std::string("cannot be renamed into place (") + std::strerror(errno) + ")";
        std::remove(temp_path.c_str());
        return 0;
    }
    return 1;
}

void platform_remove_file(const std::string& path)
{
    std::remove(path.c_str());
}
