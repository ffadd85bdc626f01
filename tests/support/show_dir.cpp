// A temporary working directory holding data/dino.xm, and runs of the korvel program in it.
#include "support/show_dir.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

XmSong test_show_song()
{
    XmSong song = xm_song(1);
    int32_t p = xm_add_pattern(&song, 64);
    xm_note(&song, p, 0, 0, 49);
    xm_sync(&song, p, 0, 0, 0x81);
    xm_sync(&song, p, 8, 0, 0x41);
    xm_sync(&song, p, 16, 0, 0x41);
    xm_sync(&song, p, 24, 0, 0x4F);
    xm_sync(&song, p, 40, 0, 0xFF);
    song.orders = {0};
    return song;
}

std::string make_temp_dir(const char* name)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/korvel-" + name + "-XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    if (mkdtemp(path.data()) == nullptr) {
        return "";
    }
    return path.data();
}

std::string make_show_dir(const XmSong& song, const char* name)
{
    std::string dir = make_temp_dir(name);
    mkdir((dir + "/data").c_str(), 0755);
    std::vector<uint8_t> bytes = xm_build(song);
    std::ofstream out(dir + "/data/dino.xm", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return dir;
}

namespace {

// Single quotes keep every argument as it is.
std::string shell_quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    out += '\'';
    return out;
}

}  // namespace

ProgramRun run_korvel(const std::string& dir, const std::vector<std::string>& args, const std::string& env)
{
    std::string out_path = dir + ".out";
    std::string err_path = dir + ".err";
    std::string command = "cd ";
    command += shell_quoted(dir);
    command += " && ";
    if (!env.empty()) {
        command += "env " + env + " ";
    }
    command += shell_quoted(KORVEL_BIN);
    for (const std::string& arg : args) {
        command += ' ';
        command += shell_quoted(arg);
    }
    command += " > ";
    command += shell_quoted(out_path);
    command += " 2> ";
    command += shell_quoted(err_path);
    command += " < /dev/null";
    int raw = std::system(command.c_str());
    ProgramRun run = {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(out_path), read_file(err_path)};
    std::remove(out_path.c_str());
    std::remove(err_path.c_str());
    return run;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool file_exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::vector<std::string> dir_names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
