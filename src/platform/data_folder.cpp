// The show's file names mapped into the chosen data folder.
#include "platform/data_folder.h"

#include <cstring>

DataFolder data_folder = {"data"};

std::string data_file_path(const char* name)
{
    return data_file_in(data_folder.root, name);
}

std::string data_row_path(const char* row)
{
    std::string path = row != nullptr ? row : "";
    const size_t bar = path.find('|');
    if (bar == std::string::npos) {
        return data_file_path(path.c_str());
    }
    return data_file_path(path.substr(0, bar).c_str()) + "|" + data_file_path(path.c_str() + bar + 1);
}

std::string data_file_in(const std::string& root, const char* name)
{
    static const char PREFIX[] = "data/";
    constexpr size_t PREFIX_LENGTH = sizeof PREFIX - 1;
    if (name == nullptr || std::strncmp(name, PREFIX, PREFIX_LENGTH) != 0) {
        return name != nullptr ? name : "";
    }
    // "mydir/" and "mydir" name the same folder; "/" stays itself.
    std::string folder = root.empty() ? "." : root;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder + (name + PREFIX_LENGTH);
}
