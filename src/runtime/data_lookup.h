// Where the show's data is: the command line, the environment, the working directory, the installation.
#pragma once
#include <cstdint>
#include <string>

// The installed data, relative to the program's folder, so that a moved
// installation still finds its own.
constexpr const char* INSTALLED_DATA = "../share/korvel/data";

// What the start-up knows of the places to look; null, "" when not given.
struct DataSearch {
    const char* option;          // --data DIR
    const char* environment;     // KORVEL_DATA
    std::string program_folder;  // the folder of the running program
};

// Chooses the folder that holds the show's module and makes it data_folder's
// root. A folder named by --data (else by KORVEL_DATA) is the only one looked
// at: another show must never stand in for the one asked for. Otherwise
// data/ in the working directory, then the installed data. Returns 1 when
// found; else 0, with one line in *why naming every file looked for and why
// it was not taken.
int32_t find_data_folder(const DataSearch& search, std::string* why);
