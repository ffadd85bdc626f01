// Command line of the korvel demo.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "runtime/entry.h"
#include "runtime/music.h"

namespace {

constexpr int EXIT_USAGE = 2;

const char* const USAGE =
    "usage: korvel [OPTION]... [DRAWING.gml]\n"
    "A real-time audiovisual demo in the terminal. Escape leaves.\n"
    "\n"
    "  DRAWING.gml    a graffiti drawing replayed as an intro\n"
    "  --test-card    show a still test picture to check colours and glyphs\n"
    "  --fit          keep the picture's shape for the terminal's cell shape\n"
    "  --nosound      play the music silently (the show still follows it)\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Run it from the directory that holds data/.\n";

struct CommandLine {
    DemoOptions demo;
    int32_t nosound;
};

// Returns -1 to go on, or the exit status to leave with.
int parse_command_line(int argc, char** argv, CommandLine* line)
{
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--", 2) != 0) {
            if (line->demo.drawing_path == nullptr)
                line->demo.drawing_path = arg;  // only the first one counts
            continue;
        }
        if (std::strcmp(arg, "--help") == 0) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("korvel %s\n", KORVEL_VERSION);
            return 0;
        }
        if (std::strcmp(arg, "--test-card") == 0)
            line->demo.test_card = 1;
        else if (std::strcmp(arg, "--fit") == 0)
            console_settings.fit = CONSOLE_FIT_ASPECT;
        else if (std::strcmp(arg, "--nosound") == 0)
            line->nosound = 1;
        else {
            std::fprintf(stderr, "korvel: unknown option '%s' (try --help)\n", arg);
            return EXIT_USAGE;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine line = {};
    int status = parse_command_line(argc, argv, &line);
    if (status >= 0)
        return status;
    music_settings.force_silent = line.nosound;
    std::string why;
    if (!platform_console_available(&why)) {
        std::fprintf(stderr, "korvel: %s\n", why.c_str());
        return EXIT_USAGE;
    }
    return run_demo(line.demo);
}
