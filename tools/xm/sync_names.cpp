// Names and meanings of the show's command bytes (high nibble command, low nibble argument).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "xm/sync_script.h"

namespace {

// Commands whose low nibble is a plain argument 0..15.
struct NamedNibble {
    const char* name;
    uint8_t high;
};

// clang-format off
constexpr NamedNibble NIBBLE_COMMANDS[] = {
    {"scene", 0x00}, {"cue", 0x10}, {"picture", 0x20}, {"picture-high", 0x30},
    {"distort", 0x80}, {"slides", 0xF0},
};

// Single bytes with names of their own.
struct NamedByte {
    const char* name;
    uint8_t command;
};

constexpr NamedByte BYTE_COMMANDS[] = {
    {"greets off", 0x50}, {"greets next", 0x51}, {"greets hide", 0x52},
    {"letterbox off", 0x90}, {"letterbox grow", 0x91}, {"letterbox close", 0x92},
    {"end", 0xFF},
};

const char* const TIMER_NAMES[] = {"flash", "blur", "long-blur", "fade"};

const char* const SCENE_NAMES[] = {
    "blz shots", "title tunnel", "diplodocus", "t-rex", "asteroids", "purple tunnel", "credits", "strobe",
    "tile warp", "boom", "ending", "curtain", "rotozoom", "frozen frame", "model row", "slides",
};
// clang-format on

std::string hex_byte(uint8_t command)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", command);
    return text;
}

int32_t parse_number(const std::string& text, int32_t low, int32_t high, int32_t* value)
{
    if (text.empty() || text.size() > 3)
        return 0;
    for (char c : text)
        if (c < '0' || c > '9')
            return 0;
    *value = std::atoi(text.c_str());
    return *value >= low && *value <= high;
}

int32_t parse_hex(const std::string& text, uint8_t* command)
{
    if (text.size() != 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str() + 2, &end, 16);
    if (*end != '\0')
        return 0;
    *command = static_cast<uint8_t>(value);
    return 1;
}

// "flash+fade" gives bits 0 and 3; "none" gives 0.
int32_t parse_timers(const std::string& text, uint8_t* command)
{
    int32_t bits = 0;
    if (text != "none") {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('+', start);
            std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            int32_t found = 0;
            for (int32_t bit = 0; bit < 4; bit++)
                if (part == TIMER_NAMES[bit]) {
                    bits |= 1 << bit;
                    found = 1;
                }
            if (!found)
                return 0;
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    *command = static_cast<uint8_t>(0x40 | bits);
    return 1;
}

std::string timer_list(int32_t bits)
{
    if (bits == 0)
        return "none";
    std::string text;
    for (int32_t bit = 0; bit < 4; bit++) {
        if (!(bits & (1 << bit)))
            continue;
        if (!text.empty())
            text += "+";
        text += TIMER_NAMES[bit];
    }
    return text;
}

// What a cue's argument picks depends on the scene that receives it.
std::string cue_effect(int32_t scene, int32_t x)
{
    std::string n = std::to_string(x);
    switch (scene) {
    case 0:
    case 2:
    case 3:
        return "camera preset " + n;
    case 4:
        if (x == 0)
            return "next band of the promo text";
        return x == 15 ? "first band of the promo text" : n + " rock(s)";
    case 1:
    case 5:
    case 6:
    case 10:
    case 15:
        return "picture band " + n;
    case 11:
        return "the next curtain column closes";
    default:
        return "argument " + n;
    }
}

}  // namespace

int32_t script_parse_command(const std::string& text, uint8_t* command)
{
    if (parse_hex(text, command))
        return 1;
    for (const NamedByte& named : BYTE_COMMANDS)
        if (text == named.name) {
            *command = named.command;
            return 1;
        }
    size_t space = text.find(' ');
    if (space == std::string::npos)
        return 0;
    std::string word = text.substr(0, space);
    std::string argument = text.substr(space + 1);
    int32_t value = 0;
    if (word == "timers")
        return parse_timers(argument, command);
    if (word == "tag" && parse_number(argument, 0, 31, &value)) {
        *command = static_cast<uint8_t>(0x60 + value);
        return 1;
    }
    for (const NamedNibble& named : NIBBLE_COMMANDS)
        if (word == named.name && parse_number(argument, 0, named.high == 0xF0 ? 14 : 15, &value)) {
            *command = static_cast<uint8_t>(named.high | value);
            return 1;
        }
    return 0;
}

std::string script_command_name(uint8_t command)
{
    int32_t high = command & 0xF0;
    int32_t x = command & 15;
    for (const NamedByte& named : BYTE_COMMANDS)
        if (command == named.command)
            return named.name;
    if (high == 0x40)
        return "timers " + timer_list(x);
    if (high == 0x60 || high == 0x70)
        return "tag " + std::to_string(command - 0x60);
    for (const NamedNibble& named : NIBBLE_COMMANDS)
        if (high == named.high)
            return std::string(named.name) + " " + std::to_string(x);
    return hex_byte(command);
}

std::string script_command_meaning_in_scene(uint8_t command, int32_t scene)
{
    if ((command & 0xF0) != 0x10 || scene < 0 || scene > 15)
        return script_command_meaning(command);
    return "cue: " + cue_effect(scene, command & 15) + ", the cue clock from 0";
}

std::string script_command_meaning(uint8_t command)
{
    int32_t high = command & 0xF0;
    int32_t x = command & 15;
    std::string n = std::to_string(x);
    switch (high) {
    case 0x00:
        return std::string("show scene ") + n + " (" + SCENE_NAMES[x] + "), its clock from 0";
    case 0x10:
        return "cue " + n + ": the scene's argument, its cue clock from 0";
    case 0x20:
        return x ? "lay picture slot " + n + " over every frame" : "remove the picture overlay";
    case 0x30:
        return x ? "lay picture slot " + std::to_string(8 + x) + " over every frame" : "remove the second overlay";
    case 0x40:
        return "timers: " + timer_list(x);
    case 0x60:
    case 0x70:
        return command == 0x60 ? "remove the graffiti tag" : "draw graffiti tag " + std::to_string(command - 0x61);
    case 0x80:
        return x ? "distortion band over " + n + " third(s) of the width" : "distortion band off";
    case 0xF0:
        return x == 15 ? "end of the show" : "slides, band " + n;
    default:
        break;
    }
    switch (command) {
    case 0x50:
        return "greetings off";
    case 0x51:
        return "next greetings panel slides in";
    case 0x52:
        return "greetings hidden";
    case 0x90:
        return "letterbox bars off";
    case 0x91:
        return "letterbox bars grow one step";
    case 0x92:
        return "letterbox bars start closing";
    default:
        return "nothing";
    }
}
