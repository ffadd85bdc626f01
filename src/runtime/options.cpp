// Command-line options: long and short forms, values, "--" and refusals.
#include "runtime/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t EXIT_USAGE = 2;

const char* const USAGE =
    "usage: korvel [OPTION]... [--] [DRAWING.gml]\n"
    "A real-time audiovisual demo in the terminal. Escape leaves.\n"
    "\n"
    "  DRAWING.gml         a graffiti drawing replayed as an intro\n"
    "  --test-card         show a still test picture to check colours and glyphs\n"
    "  --grid COLSxROWS    a literal grid of cells, e.g. 80x50 for terminals with square cells;\n"
    "                      by default the largest grid (up to 160x50) that keeps the\n"
    "                      picture's shape in the terminal's tall cells\n"
    "  --fps N             frames a second shown (default 60; 0: as many as the machine can)\n"
    "  --color MODE        16, truecolor or none (default: by COLORTERM and NO_COLOR)\n"
    "  --nosound           play the music silently (the show still follows it)\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n"
    "\n"
    "Run it from the directory that holds data/.\n";

// A whole decimal number from lo to hi, nothing else.
bool parse_number(const char* text, int32_t lo, int32_t hi, int32_t* value)
{
    if (text == nullptr || text[0] < '0' || text[0] > '9')
        return false;
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    if (*end != '\0' || number < lo || number > hi)
        return false;
    *value = static_cast<int32_t>(number);
    return true;
}

bool parse_grid(const char* text, int32_t* columns, int32_t* rows)
{
    const char* x = text == nullptr ? nullptr : std::strchr(text, 'x');
    if (x == nullptr || x - text > 8)
        return false;
    char head[9] = {};
    std::memcpy(head, text, static_cast<size_t>(x - text));
    return parse_number(head, 1, CONSOLE_MAX_COLUMNS, columns) && parse_number(x + 1, 1, CONSOLE_MAX_ROWS, rows);
}

bool parse_colours(const char* text, ConsoleColours* colours)
{
    if (text == nullptr)
        return false;
    if (std::strcmp(text, "16") == 0)
        *colours = CONSOLE_COLOURS_ANSI16;
    else if (std::strcmp(text, "truecolor") == 0)
        *colours = CONSOLE_COLOURS_TRUECOLOR;
    else if (std::strcmp(text, "none") == 0)
        *colours = CONSOLE_COLOURS_NONE;
    else
        return false;
    return true;
}

// "--name=value" or "--name value": the value, or null when there is none.
// *i moves past a value taken from the next argument.
const char* option_value(int argc, const char* const* argv, int* i, const char* name)
{
    const char* arg = argv[*i];
    size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0)
        return nullptr;
    if (arg[length] == '=')
        return arg + length + 1;
    if (arg[length] != '\0' || *i + 1 >= argc)
        return nullptr;
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
    if (std::strcmp(arg, "--nosound") == 0) {
        line->nosound = 1;
        return -1;
    }
    if (is_option(arg, "--grid")) {
        const char* value = option_value(argc, argv, i, "--grid");
        if (!parse_grid(value, &line->console.grid_columns, &line->console.grid_rows))
            return refuse(err, "--grid takes COLSxROWS, from 1x1 to 160x100");
        return -1;
    }
    if (is_option(arg, "--fps")) {
        if (!parse_number(option_value(argc, argv, i, "--fps"), 0, MAX_FPS, &line->demo.fps))
            return refuse(err, "--fps takes a whole number from 0 to 1000");
        return -1;
    }
    if (is_option(arg, "--color")) {
        if (!parse_colours(option_value(argc, argv, i, "--color"), &line->console.colours))
            return refuse(err, "--color takes 16, truecolor or none");
        return -1;
    }
    return refuse(err, std::string("unknown option '") + arg + "'");
}

}  // namespace

int32_t parse_command_line(int argc, const char* const* argv, CommandLine* line, std::string* out, std::string* err)
{
    *line = CommandLine{};
    line->demo.fps = DEFAULT_TERMINAL_FPS;
    line->console = console_settings;
    bool options_ended = false;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (!options_ended && std::strcmp(arg, "--") == 0) {
            options_ended = true;
            continue;
        }
        // A lone "-" is a name like any other.
        if (!options_ended && arg[0] == '-' && arg[1] != '\0') {
            int32_t status = take_option(argc, argv, &i, line, out, err);
            if (status >= 0)
                return status;
            continue;
        }
        if (line->demo.drawing_path == nullptr)
            line->demo.drawing_path = arg;  // only the first one counts
    }
    return -1;
}
