// Where the running program's file lies, from the kernel's link to it.
#include <unistd.h>

#include <string>

#include "platform/data_folder.h"

std::string platform_executable_folder()
{
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return "";
    }
    std::string file(path, static_cast<size_t>(length));
    size_t slash = file.rfind('/');
    return slash == std::string::npos ? "" : file.substr(0, slash == 0 ? 1 : slash);
}
