// The folder the show's files are read from, and where the running program lies.
#pragma once
#include <string>

// The catalog and the entry name the show's files "data/NAME"; they are read
// from root instead, "data" (relative to the working directory) unless the
// start-up chose another folder. Set once before anything loads; main thread only.
struct DataFolder {
    std::string root;
};
extern DataFolder data_folder;

// "data/NAME" as the path to read, root + "/NAME"; any other path unchanged.
std::string data_file_path(const char* name);
// "data/NAME" as it would lie in the folder root.
std::string data_file_in(const std::string& root, const char* name);
// A catalog row's path with both sides of a "MODEL|TEXTURE" bar mapped.
std::string data_row_path(const char* row);

// The folder that holds the running program's file, or "" when the system
// does not say.
std::string platform_executable_folder();
