// A temporary working directory holding data/dino.xm, and runs of the korvel program in it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/xm_writer.h"

// The test show: one channel at speed 6, 125 BPM (5,292 audio frames a row),
// 64 rows. Row 0 lays the distortion band over the right third, rows 8 and
// 16 flash (the black canvas turns grey and darkens again, so frames differ),
// row 24 arms every timer, and row 40 (4.8 seconds) ends the show.
XmSong test_show_song();

// A fresh empty directory under the system's temporary directory.
std::string make_temp_dir(const char* name);

// make_temp_dir with data/dino.xm holding the song.
std::string make_show_dir(const XmSong& song, const char* name);

struct ProgramRun {
    int32_t status;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the program in dir with the arguments (each passed as it is), with
// env (e.g. "PATH=/nowhere") set for it when not empty.
ProgramRun run_korvel(const std::string& dir, const std::vector<std::string>& args, const std::string& env = "");

std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
// The names in dir, sorted.
std::vector<std::string> dir_names(const std::string& dir);
