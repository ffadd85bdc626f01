// The data folder chosen in order: --data, KORVEL_DATA, data/ here, the installed data.
#include "runtime/data_lookup.h"

#include <filesystem>

#include "platform/data_folder.h"
#include "platform/files.h"
#include "runtime/entry.h"

namespace {

// Whether root holds the module; else its path and the reason go on *looked.
bool holds_module(const std::string& root, std::string* looked)
{
    std::string path = data_file_in(root, MUSIC_PATH);
    std::string reason;
    if (platform_check_file(path.c_str(), &reason) == FILE_READ_OK) {
        return true;
    }
    *looked += (looked->empty() ? "" : "; ") + path + ": " + reason;
    return false;
}

int32_t take(const std::string& root)
{
    data_folder.root = root;
    return 1;
}

}  // namespace

int32_t find_data_folder(const DataSearch& search, std::string* why)
{
    std::string looked;
    const char* named_by = nullptr;
    const char* named = nullptr;
    if (search.option != nullptr && search.option[0] != '\0') {
        named_by = "--data";
        named = search.option;
    } else if (search.environment != nullptr && search.environment[0] != '\0') {
        named_by = "KORVEL_DATA";
        named = search.environment;
    }
    if (named != nullptr) {
        if (holds_module(named, &looked)) {
            return take(named);
        }
        *why = "korvel: " + looked + " (the data folder named by " + named_by + ")";
        return 0;
    }
    if (holds_module("data", &looked)) {
        return take("data");
    }
    if (!search.program_folder.empty()) {
        std::filesystem::path installed = std::filesystem::path(search.program_folder) / INSTALLED_DATA;
        std::string root = installed.lexically_normal().generic_string();
        if (holds_module(root, &looked)) {
            return take(root);
        }
    }
    *why = "korvel: " + looked +
           " (the show's data is made by scripts/build.sh and installed under share/korvel/data;"
           " name another folder with --data DIR or KORVEL_DATA)";
    return 0;
}
