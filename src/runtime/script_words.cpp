// The meaning of a sync byte in the words of the timeline's command table.
#include "runtime/script_words.h"

namespace {

const char* const SCENE_NAMES[16] = {
    "shots",     "title tunnel", "diplodocus", "T-rex",   "asteroids", "purple tunnel",           "credits",   "strobe",
    "tile warp", "boom",         "ending",     "curtain", "rotozoom",  "keep the previous frame", "model row", "slides",
};

std::string timers(int32_t x)
{
    const char* const names[4] = {"flash", "short blur", "long blur", "fade in"};
    std::string words;
    for (int32_t bit = 0; bit < 4; bit++) {
        if ((x & (1 << bit)) == 0)
            continue;
        if (!words.empty())
            words += ", ";
        words += names[bit];
    }
    return words.empty() ? "nothing" : words;
}

std::string greets(int32_t x)
{
    if (x == 0)
        return "greetings off";
    if (x == 1)
        return "next greetings panel slides in";
    if (x == 2)
        return "greetings slide stops (panel kept)";
    return "nothing";
}

std::string letterbox(int32_t x)
{
    if (x == 0)
        return "letterbox off";
    if (x == 1)
        return "letterbox bars grow";
    if (x == 2)
        return "letterbox bars close";
    return "nothing";
}

std::string numbered(const char* what, int32_t n)
{
    return std::string(what) + " " + std::to_string(n);
}

}  // namespace

std::string sync_command_words(uint8_t command)
{
    int32_t x = command & 15;
    switch (command >> 4) {
    case 0x0:
        return numbered("scene", x) + " (" + SCENE_NAMES[x] + ")";
    case 0x1:
        return numbered("cue", x);
    case 0x2:
        return x == 0 ? "picture overlay off" : numbered("picture overlay: slot", x);
    case 0x3:
        return x == 0 ? "second picture overlay off" : numbered("second picture overlay: slot", 8 + x);
    case 0x4:
        return timers(x);
    case 0x5:
        return greets(x);
    case 0x6:
    case 0x7:
        return numbered("graffiti tag", ((command >> 4) - 6) * 16 + x);
    case 0x8:
        return x == 0 ? "distortion band off" : numbered("distortion band, thirds:", x);
    case 0x9:
        return letterbox(x);
    case 0xF:
        return x == 15 ? "end of the show" : numbered("slides scene, slide", x);
    default:
        return "nothing";
    }
}
