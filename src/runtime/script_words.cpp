// The meaning of a sync byte in the words of the timeline's command table.
#include "runtime/script_words.h"

#include "core/sync_commands.h"

namespace {

std::string timers(int32_t x)
{
    const char* const names[4] = {"flash", "short blur", "long blur", "fade in"};
    std::string words;
    for (int32_t bit = 0; bit < 4; bit++) {
        if ((x & (1 << bit)) == 0) {
            continue;
        }
        if (!words.empty()) {
            words += ", ";
        }
        words += names[bit];
    }
    return words.empty() ? "nothing" : words;
}

// The 5x and 9x arguments: 0, 1 and 2 each have their words, the rest do nothing.
std::string three_way(int32_t x, const char* const (&words)[3])
{
    return x >= 0 && x < 3 ? words[x] : "nothing";
}

std::string greets(int32_t x)
{
    return three_way(x, {"greetings off", "next greetings panel slides in", "greetings slide stops (panel kept)"});
}

std::string letterbox(int32_t x)
{
    return three_way(x, {"letterbox off", "letterbox bars grow", "letterbox bars close"});
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
    case SYNC_SCENE:
        return numbered("scene", x) + " (" + SCENE_NAMES[x] + ")";
    case SYNC_CUE:
        return numbered("cue", x);
    case SYNC_PICTURE:
        return x == 0 ? "picture overlay off" : numbered("picture overlay: slot", x);
    case SYNC_PICTURE_HIGH:
        return x == 0 ? "second picture overlay off" : numbered("second picture overlay: slot", 8 + x);
    case SYNC_TIMERS:
        return timers(x);
    case SYNC_GREETS:
        return greets(x);
    case SYNC_TAG:
    case SYNC_TAG_HIGH:
        return numbered("graffiti tag", ((command >> 4) - SYNC_TAG) * 16 + x);
    case SYNC_DISTORT:
        return x == 0 ? "distortion band off" : numbered("distortion band, thirds:", x);
    case SYNC_LETTERBOX:
        return letterbox(x);
    case SYNC_FINAL:
        return x == FINAL_END ? "end of the show" : numbered("slides scene, slide", x);
    default:
        return "nothing";
    }
}
