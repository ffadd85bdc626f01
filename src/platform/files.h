// Whole files into memory: the one way the loaders read the disk.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum FileRead : int32_t {
    FILE_READ_OK = 1,
    FILE_READ_MISSING = 0,  // cannot be opened (absent, no permission)
    FILE_READ_FAILED = -1,  // opened, but not a regular file, larger than the limit, or a read error
};

// Whether the file can be opened and is a regular file, without reading it.
// On failure *why holds a short reason without the path.
FileRead platform_check_file(const char* path, std::string* why);

// Replaces *bytes with the whole file. A file larger than `limit` bytes is
// refused before anything is read, so a wrong path (a device, a disk image)
// cannot eat the memory. On failure *bytes is empty and *why holds a short
// reason without the path.
FileRead platform_read_file(const char* path, int64_t limit, std::vector<uint8_t>* bytes, std::string* why);
