// Command-line options: long and short forms, values, "--" and refusals.
#include "runtime/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t EXIT_USAGE = 2;
constexpr int64_t MAX_SECONDS = 24 * 60 * 60;

const char* const USAGE =
    "Warning: the show flashes, and its strobe changes the whole screen's colour many\n"
    "times a second. If flashing light may harm you, watch with --gentle (at most three\n"
    "flashes a second) or not at all.\n"
    "\n"
    "usage: korvel [OPTION]... [--] [DRAWING.gml]\n"
    "A real-time audiovisual demo in the terminal. Escape leaves.\n"
    "\n"
    "  DRAWING.gml         a graffiti drawing replayed as an intro\n"
    "  --test-card         show a still test picture to check colours and glyphs\n"
    "  --grid COLSxROWS    a literal grid of cells, e.g. 80x50 for terminals with square cells;\n"
    "                      by default the largest grid (up to 160x50) that keeps the\n"
    "                      picture's shape in the terminal's tall cells\n"
    "  --fps N             frames a second shown (default 60; 0: as many as the machine can)\n"
    "  --color MODE        16, 256, truecolor or none (default: by COLORTERM and NO_COLOR)\n"
    "  --look LOOK         cells (default): coloured glyphs, the show's own look;\n"
    "                      blocks: the canvas itself, two pixels per cell as half blocks\n"
    "                      (256 or 24-bit colours; with fewer, cells are shown)\n"
    "  --nosound           play the music silently (the show still follows it)\n"
    "  --data DIR          read the show's module, pictures, models and drawings from DIR\n"
    "  --gentle            at most three full-screen flashes a second: a slower strobe,\n"
    "                      softer flashes that rise and fall over at least 200 ms\n"
    "  --resize-window     ask the terminal to resize its window to 80x50 and go full\n"
    "                      screen (by default the window is left as it is)\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n"
    "\n"
    "Rendering without a terminal (30 frames a second unless --fps says otherwise):\n"
    "  --record FILE       the show as a terminal recording (asciicast v2), 160x50 cells\n"
    "                      unless --grid says otherwise; replay with: asciinema play FILE\n"
    "  --audio FILE        the show's sound as WAV (44,100 Hz, 16-bit stereo)\n"
    "  --video FILE        the show as an MP4 video with sound (needs ffmpeg)\n"
    "  --screenshot SECONDS FILE    the cell grid at that time as a PNG picture\n"
    "  --canvas-shot SECONDS FILE   the 160x100 canvas at that time, 4 times larger\n"
    "  --contact-sheet FILE         a picture every 5 seconds (--every S) with its time\n"
    "  --duration SECONDS  render only the first SECONDS of the show\n"
    "  --script            print every sync byte of the module with its meaning\n"
    "  --motion            measure the whole show's still and single-colour stretches and\n"
    "                      its flashes a second; exit 1 when a stretch is over its limit\n"
    "                      (or, with --gentle, when a second holds more than three flashes)\n"
    "\n"
    "The show's files come from --data DIR, else from $KORVEL_DATA, else from data/\n"
    "in the working directory, else from the installed share/korvel/data.\n";

// A whole decimal number from lo to hi, nothing else.
bool parse_number(const char* text, int32_t lo, int32_t hi, int32_t* value)
{
    if (text == nullptr || text[0] < '0' || text[0] > '9') {
        return false;
    }
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    if (*end != '\0' || number < lo || number > hi) {
        return false;
    }
    *value = static_cast<int32_t>(number);
    return true;
}

// Seconds with up to three decimals ("12", "0.5", "90.125") as milliseconds,
// from 0 to a day; no sign.
bool parse_seconds(const char* text, int32_t* ms)
{
    if (text == nullptr || text[0] < '0' || text[0] > '9') {
        return false;
    }
    int64_t whole = 0;
    const char* c = text;
    for (; *c >= '0' && *c <= '9'; c++) {
        whole = whole * 10 + (*c - '0');
        if (whole > MAX_SECONDS) {
            return false;
        }
    }
    int64_t fraction = 0;
    int32_t digits = 0;
    if (*c == '.') {
        for (c++; *c >= '0' && *c <= '9' && digits < 3; c++, digits++) {
            fraction = fraction * 10 + (*c - '0');
        }
        if (digits == 0) {
            return false;
        }
        for (; digits < 3; digits++) {
            fraction *= 10;
        }
    }
    if (*c != '\0' || whole * 1000 + fraction > MAX_SECONDS * 1000) {
        return false;
    }
    *ms = static_cast<int32_t>(whole * 1000 + fraction);
    return true;
}

bool parse_grid(const char* text, int32_t* columns, int32_t* rows)
{
    const char* x = text == nullptr ? nullptr : std::strchr(text, 'x');
    if (x == nullptr || x - text > 8) {
        return false;
    }
    char head[9] = {};
    std::memcpy(head, text, static_cast<size_t>(x - text));
    return parse_number(head, 1, CONSOLE_MAX_COLUMNS, columns) && parse_number(x + 1, 1, CONSOLE_MAX_ROWS, rows);
}

bool parse_colours(const char* text, ConsoleColours* colours)
{
    if (text == nullptr) {
        return false;
    }
    if (std::strcmp(text, "16") == 0) {
        *colours = CONSOLE_COLOURS_ANSI16;
    } else if (std::strcmp(text, "256") == 0) {
        *colours = CONSOLE_COLOURS_256;
    } else if (std::strcmp(text, "truecolor") == 0) {
        *colours = CONSOLE_COLOURS_TRUECOLOR;
    } else if (std::strcmp(text, "none") == 0) {
        *colours = CONSOLE_COLOURS_NONE;
    } else {
        return false;
    }
    return true;
}

// "--name=value" or "--name value": the value, or null when there is none.
// *i moves past a value taken from the next argument.
const char* option_value(int argc, const char* const* argv, int* i, const char* name)
{
    const char* arg = argv[*i];
    size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0) {
        return nullptr;
    }
    if (arg[length] == '=') {
        return arg + length + 1;
    }
    if (arg[length] != '\0' || *i + 1 >= argc) {
        return nullptr;
    }
    *i += 1;
    return argv[*i];
}

bool is_option(const char* arg, const char* name)
{
    size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 && (arg[length] == '\0' || arg[length] == '=');
}

int32_t refuse(std::string* err, const std::string& text)
{
    *err = "korvel: " + text + " (try --help)";
    return EXIT_USAGE;
}

// "--name FILE": a non-empty path.
int32_t take_path(int argc, const char* const* argv, int* i, const char* name, const char** path, std::string* err)
{
    const char* value = option_value(argc, argv, i, name);
    if (value == nullptr || value[0] == '\0') {
        return refuse(err, std::string(name) + " takes a file name");
    }
    *path = value;
    return -1;
}

// "--name SECONDS FILE".
int32_t take_shot(int argc, const char* const* argv, int* i, const char* name, int32_t* ms, const char** path,
                  std::string* err)
{
    std::string usage = std::string(name) + " takes SECONDS FILE, the time 0 or more (e.g. 12.5)";
    if (!parse_seconds(option_value(argc, argv, i, name), ms)) {
        return refuse(err, usage);
    }
    if (*i + 1 >= argc || argv[*i + 1][0] == '\0') {
        return refuse(err, usage);
    }
    *i += 1;
    *path = argv[*i];
    return -1;
}

// The options that render rather than show: -1 when arg is none of them.
int32_t take_export_option(int argc, const char* const* argv, int* i, CommandLine* line, std::string* err)
{
    const char* arg = argv[*i];
    ExportRequest& r = line->rendering;
    if (is_option(arg, "--record")) {
        return take_path(argc, argv, i, "--record", &r.record_path, err);
    }
    if (is_option(arg, "--audio")) {
        return take_path(argc, argv, i, "--audio", &r.audio_path, err);
    }
    if (is_option(arg, "--video")) {
        return take_path(argc, argv, i, "--video", &r.video_path, err);
    }
    if (is_option(arg, "--contact-sheet")) {
        return take_path(argc, argv, i, "--contact-sheet", &r.sheet_path, err);
    }
    if (is_option(arg, "--screenshot")) {
        return take_shot(argc, argv, i, "--screenshot", &r.screenshot_ms, &r.screenshot_path, err);
    }
    if (is_option(arg, "--canvas-shot")) {
        return take_shot(argc, argv, i, "--canvas-shot", &r.canvas_shot_ms, &r.canvas_shot_path, err);
    }
    if (is_option(arg, "--every")) {
        if (!parse_seconds(option_value(argc, argv, i, "--every"), &r.every_ms) || r.every_ms == 0) {
            return refuse(err, "--every takes a time in seconds above 0");
        }
        return -1;
    }
    if (is_option(arg, "--duration")) {
        if (!parse_seconds(option_value(argc, argv, i, "--duration"), &r.duration_ms) || r.duration_ms == 0) {
            return refuse(err, "--duration takes a time in seconds above 0");
        }
        return -1;
    }
    if (std::strcmp(arg, "--script") == 0) {
        r.script = 1;
        return -1;
    }
    if (std::strcmp(arg, "--motion") == 0) {
        r.motion = 1;
        return -1;
    }
    // Test-only, so not in the help: the end-to-end check of a platform's console.
    if (is_option(arg, "--console-probe")) {
        return take_shot(argc, argv, i, "--console-probe", &line->probe_ms, &line->probe_path, err);
    }
    return refuse(err, std::string("unknown option '") + arg + "'");
}

// What renders together: the audio with anything; one of the recording,
// the video and the pictures (they need grids of different sizes); the
// script alone.
int32_t check_rendering(CommandLine* line, bool fps_given, std::string* err)
{
    const ExportRequest& r = line->rendering;
    if (!export_requested(r)) {
        return -1;
    }
    int32_t pictures = r.screenshot_path != nullptr || r.canvas_shot_path != nullptr || r.sheet_path != nullptr;
    int32_t kinds = (r.record_path != nullptr) + (r.video_path != nullptr) + pictures;
    if (r.script && (kinds > 0 || r.audio_path != nullptr || r.motion)) {
        return refuse(err, "--script prints the script alone; render files in another run");
    }
    if (r.motion && (kinds > 0 || r.audio_path != nullptr)) {
        return refuse(err, "--motion measures alone; render files in another run");
    }
    if (kinds > 1) {
        return refuse(err, "--record, --video and the pictures are made in separate runs");
    }
    if (!fps_given) {
        line->demo.fps = DEFAULT_EXPORT_FPS;
    }
    if (line->demo.fps == 0 && !r.script) {
        return refuse(err, "--fps must be at least 1 to render");
    }
    return -1;
}

// One option at argv[*i]. Returns -1 to go on, or the exit status.
int32_t take_option(int argc, const char* const* argv, int* i, CommandLine* line, std::string* out, std::string* err)
{
    const char* arg = argv[*i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
        *out = USAGE;
        return 0;
    }
    if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-V") == 0) {
        *out = std::string("korvel ") + KORVEL_VERSION + "\n";
        return 0;
    }
    if (std::strcmp(arg, "--test-card") == 0) {
        line->demo.test_card = 1;
        return -1;
    }
    // Not in the help: only the terminal tests crash on purpose.
    if (std::strcmp(arg, "--test-crash=segv") == 0 || std::strcmp(arg, "--test-crash=abort") == 0) {
        line->demo.test_card = 1;
        line->demo.test_crash = arg[13] == 's' ? TEST_CRASH_SEGV : TEST_CRASH_ABORT;
        return -1;
    }
    if (std::strcmp(arg, "--nosound") == 0) {
        line->nosound = 1;
        return -1;
    }
    if (std::strcmp(arg, "--gentle") == 0) {
        line->demo.gentle = 1;
        return -1;
    }
    if (std::strcmp(arg, "--resize-window") == 0) {
        line->console.resize_window = 1;
        return -1;
    }
    if (is_option(arg, "--grid")) {
        const char* value = option_value(argc, argv, i, "--grid");
        if (!parse_grid(value, &line->console.grid_columns, &line->console.grid_rows)) {
            return refuse(err, "--grid takes COLSxROWS, from 1x1 to 160x100");
        }
        return -1;
    }
    if (is_option(arg, "--fps")) {
        if (!parse_number(option_value(argc, argv, i, "--fps"), 0, MAX_FPS, &line->demo.fps)) {
            return refuse(err, "--fps takes a whole number from 0 to 1000");
        }
        return -1;
    }
    if (is_option(arg, "--color")) {
        if (!parse_colours(option_value(argc, argv, i, "--color"), &line->console.colours)) {
            return refuse(err, "--color takes 16, 256, truecolor or none");
        }
        return -1;
    }
    if (is_option(arg, "--look")) {
        const char* value = option_value(argc, argv, i, "--look");
        if (value != nullptr && std::strcmp(value, "cells") == 0) {
            line->console.look = CONSOLE_LOOK_CELLS;
        } else if (value != nullptr && std::strcmp(value, "blocks") == 0) {
            line->console.look = CONSOLE_LOOK_BLOCKS;
        } else {
            return refuse(err, "--look takes cells or blocks");
        }
        return -1;
    }
    if (is_option(arg, "--data")) {
        const char* value = option_value(argc, argv, i, "--data");
        if (value == nullptr || value[0] == '\0') {
            return refuse(err, "--data takes a folder name");
        }
        line->data_path = value;
        return -1;
    }
    return take_export_option(argc, argv, i, line, err);
}

}  // namespace

int32_t parse_command_line(int argc, const char* const* argv, CommandLine* line, std::string* out, std::string* err)
{
    *line = CommandLine{};
    line->demo.fps = DEFAULT_TERMINAL_FPS;
    line->console = console_settings;
    line->rendering.every_ms = DEFAULT_SHEET_EVERY_MS;
    bool options_ended = false;
    bool fps_given = false;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (!options_ended && std::strcmp(arg, "--") == 0) {
            options_ended = true;
            continue;
        }
        // A lone "-" is a name like any other.
        if (!options_ended && arg[0] == '-' && arg[1] != '\0') {
            fps_given = fps_given || is_option(arg, "--fps");
            int32_t status = take_option(argc, argv, &i, line, out, err);
            if (status >= 0) {
                return status;
            }
            continue;
        }
        if (line->demo.drawing_path == nullptr) {
            line->demo.drawing_path = arg;  // only the first one counts
        }
    }
    return check_rendering(line, fps_given, err);
}
