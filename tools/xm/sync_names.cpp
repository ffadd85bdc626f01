// Names and meanings of the show's command bytes (high nibble command, low nibble argument).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/sync_commands.h"
#include "xm/sync_script.h"

namespace {

// Commands whose low nibble is a plain argument 0..15.
struct NamedNibble {
    const char* name;
    uint8_t high;
};

// clang-format off
constexpr NamedNibble NIBBLE_COMMANDS[] = {
    {"scene", sync_byte(SYNC_SCENE, 0)}, {"cue", sync_byte(SYNC_CUE, 0)},
    {"picture", sync_byte(SYNC_PICTURE, 0)}, {"picture-high", sync_byte(SYNC_PICTURE_HIGH, 0)},
    {"distort", sync_byte(SYNC_DISTORT, 0)}, {"slides", sync_byte(SYNC_FINAL, 0)},
};

// Single bytes with names of their own.
struct NamedByte {
    const char* name;
    uint8_t command;
};

constexpr NamedByte BYTE_COMMANDS[] = {
    {"greets off", sync_byte(SYNC_GREETS, GREETS_OFF)},
    {"greets next", sync_byte(SYNC_GREETS, GREETS_NEXT)},
    {"greets hide", sync_byte(SYNC_GREETS, GREETS_HIDE)},
    {"letterbox off", sync_byte(SYNC_LETTERBOX, LETTERBOX_OFF)},
    {"letterbox grow", sync_byte(SYNC_LETTERBOX, LETTERBOX_GROW)},
    {"letterbox close", sync_byte(SYNC_LETTERBOX, LETTERBOX_CLOSE)},
    {"end", sync_byte(SYNC_FINAL, FINAL_END)},
};

const char* const TIMER_NAMES[] = {"flash", "blur", "long-blur", "fade"};
// clang-format on

std::string hex_byte(uint8_t command)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", command);
    return text;
}

int32_t parse_number(const std::string& text, int32_t low, int32_t high, int32_t* value)
{
    if (text.empty() || text.size() > 3) {
        return 0;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
    }
    *value = std::atoi(text.c_str());
    return *value >= low && *value <= high;
}

int32_t parse_hex(const std::string& text, uint8_t* command)
{
    if (text.size() != 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return 0;
    }
    char* end = nullptr;
    long value = std::strtol(text.c_str() + 2, &end, 16);
    if (*end != '\0') {
        return 0;
    }
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
            for (int32_t bit = 0; bit < 4; bit++) {
                if (part == TIMER_NAMES[bit]) {
                    bits |= 1 << bit;
                    found = 1;
                }
            }
            if (!found) {
                return 0;
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
    }
    *command = sync_byte(SYNC_TIMERS, bits);
    return 1;
}

std::string timer_list(int32_t bits)
{
    if (bits == 0) {
        return "none";
    }
    std::string text;
    for (int32_t bit = 0; bit < 4; bit++) {
        if (!(bits & (1 << bit))) {
            continue;
        }
        if (!text.empty()) {
            text += "+";
        }
        text += TIMER_NAMES[bit];
    }
    return text;
}

// What a cue's argument picks depends on the scene that receives it.
std::string cue_effect(int32_t scene, int32_t x)
{
    std::string n = std::to_string(x);
    switch (scene) {
    case SCENE_BLZ_SHOTS:
    case SCENE_DIPLODOCUS:
    case SCENE_TREX:
        return "camera preset " + n;
    case SCENE_ASTEROIDS:
        if (x == 0) {
            return "next band of the promo text";
        }
        return x == 15 ? "first band of the promo text" : n + " rock(s)";
    case SCENE_TITLE_TUNNEL:
    case SCENE_PURPLE_TUNNEL:
    case SCENE_CREDITS:
    case SCENE_ENDING:
    case SCENE_SLIDES:
        return "picture band " + n;
    case SCENE_CURTAIN:
        return "the next curtain column closes";
    default:
        return "argument " + n;
    }
}

}  // namespace

int32_t script_parse_command(const std::string& text, uint8_t* command)
{
    if (parse_hex(text, command)) {
        return 1;
    }
    for (const NamedByte& named : BYTE_COMMANDS) {
        if (text == named.name) {
            *command = named.command;
            return 1;
        }
    }
    size_t space = text.find(' ');
    if (space == std::string::npos) {
        return 0;
    }
    std::string word = text.substr(0, space);
    std::string argument = text.substr(space + 1);
    int32_t value = 0;
    if (word == "timers") {
        return parse_timers(argument, command);
    }
    if (word == "tag" && parse_number(argument, 0, 31, &value)) {
        *command = static_cast<uint8_t>(sync_byte(SYNC_TAG, 0) + value);
        return 1;
    }
    for (const NamedNibble& named : NIBBLE_COMMANDS) {
        if (word == named.name &&
            parse_number(argument, 0, named.high == sync_byte(SYNC_FINAL, 0) ? FINAL_END - 1 : 15, &value)) {
            *command = static_cast<uint8_t>(named.high | value);
            return 1;
        }
    }
    return 0;
}

std::string script_command_name(uint8_t command)
{
    int32_t high = command & 0xF0;
    int32_t x = command & 15;
    for (const NamedByte& named : BYTE_COMMANDS) {
        if (command == named.command) {
            return named.name;
        }
    }
    if (command >> 4 == SYNC_TIMERS) {
        return "timers " + timer_list(x);
    }
    if (command >> 4 == SYNC_TAG || command >> 4 == SYNC_TAG_HIGH) {
        return "tag " + std::to_string(command - sync_byte(SYNC_TAG, 0));
    }
    for (const NamedNibble& named : NIBBLE_COMMANDS) {
        if (high == named.high) {
            return std::string(named.name) + " " + std::to_string(x);
        }
    }
    return hex_byte(command);
}

std::string script_command_meaning_in_scene(uint8_t command, int32_t scene)
{
    if (command >> 4 != SYNC_CUE || scene < SCENE_BLZ_SHOTS || scene > SCENE_SLIDES) {
        return script_command_meaning(command);
    }
    return "cue: " + cue_effect(scene, command & 15) + ", the cue clock from 0";
}

std::string script_command_meaning(uint8_t command)
{
    int32_t x = command & 15;
    std::string n = std::to_string(x);
    switch (command >> 4) {
    case SYNC_SCENE:
        return std::string("show scene ") + n + " (" + SCENE_NAMES[x] + "), its clock from 0";
    case SYNC_CUE:
        return "cue " + n + ": the scene's argument, its cue clock from 0";
    case SYNC_PICTURE:
        return x ? "lay picture slot " + n + " over every frame" : "remove the picture overlay";
    case SYNC_PICTURE_HIGH:
        return x ? "lay picture slot " + std::to_string(8 + x) + " over every frame" : "remove the second overlay";
    case SYNC_TIMERS:
        return "timers: " + timer_list(x);
    case SYNC_TAG:
    case SYNC_TAG_HIGH:
        return x == 0 && command >> 4 == SYNC_TAG
                   ? "remove the graffiti tag"
                   : "draw graffiti tag " + std::to_string(command - sync_byte(SYNC_TAG, 1));
    case SYNC_DISTORT:
        return x ? "distortion band over " + n + " third(s) of the width" : "distortion band off";
    case SYNC_FINAL:
        return x == FINAL_END ? "end of the show" : "slides, band " + n;
    default:
        break;
    }
    switch (command) {
    case sync_byte(SYNC_GREETS, GREETS_OFF):
        return "greetings off";
    case sync_byte(SYNC_GREETS, GREETS_NEXT):
        return "next greetings panel slides in";
    case sync_byte(SYNC_GREETS, GREETS_HIDE):
        return "greetings hidden";
    case sync_byte(SYNC_LETTERBOX, LETTERBOX_OFF):
        return "letterbox bars off";
    case sync_byte(SYNC_LETTERBOX, LETTERBOX_GROW):
        return "letterbox bars grow one step";
    case sync_byte(SYNC_LETTERBOX, LETTERBOX_CLOSE):
        return "letterbox bars start closing";
    default:
        return "nothing";
    }
}
