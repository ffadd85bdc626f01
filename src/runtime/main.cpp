// Command line of the korvel demo: options, the checks that need no terminal, then the show.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/console.h"
#include "platform/data_folder.h"
#include "platform/signals.h"
#include "runtime/console_probe.h"
#include "runtime/data_lookup.h"
#include "runtime/entry.h"
#include "runtime/export.h"
#include "runtime/music.h"
#include "runtime/options.h"
#include "scenes/picture_scenes.h"

namespace {

constexpr int EXIT_FAILURE_STATUS = 1;
constexpr int EXIT_USAGE = 2;

// Chooses the data folder. Without the module there is no show: say so
// before the terminal is taken, rather than show a black screen until Escape.
bool show_data_found(const CommandLine& line, std::string* why)
{
    DataSearch search = {line.data_path, std::getenv("KORVEL_DATA"), platform_executable_folder()};
    return find_data_folder(search, why) != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine line;
    std::string out;
    std::string err;
    int status = parse_command_line(argc, argv, &line, &out, &err);
    if (status >= 0) {
        std::fputs(out.c_str(), stdout);
        if (!err.empty()) {
            std::fprintf(stderr, "%s\n", err.c_str());
        }
        return status;
    }
    console_settings = line.console;
    flash_limits = line.demo.gentle != 0 ? FLASH_LIMITS_GENTLE : FLASH_LIMITS_FULL;
    music_settings.force_silent = line.nosound;
    std::string why;
    if (line.probe_path != nullptr) {
        if (!show_data_found(line, &why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return EXIT_FAILURE_STATUS;
        }
        return run_console_probe(line.demo, line.probe_ms, line.probe_path);
    }
    // Rendering needs neither a terminal nor a sound device; only the module.
    if (export_requested(line.rendering)) {
        if (!show_data_found(line, &why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return EXIT_FAILURE_STATUS;
        }
        return run_export(line.demo, line.rendering);
    }
    if (!platform_console_available(&why)) {
        std::fprintf(stderr, "korvel: %s\n", why.c_str());
        return EXIT_USAGE;
    }
    if (!line.demo.test_card && !show_data_found(line, &why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return EXIT_FAILURE_STATUS;
    }
    return platform_signals_finish(run_demo(line.demo));
}
