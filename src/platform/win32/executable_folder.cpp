// Where the running program's file lies, as Windows loaded it.
#include <windows.h>

#include <string>

#include "platform/data_folder.h"

std::string platform_executable_folder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "";
    }
    std::string file(path, length);
    size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? "" : file.substr(0, slash);
}
