// The script's text form: "ORDER:ROW COMMAND" lines with comments, read and written.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "xm/sync_script.h"

namespace {

std::string trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Inner runs of blanks become one space, so "scene   4" reads as "scene 4".
std::string squeeze(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\t') {
            c = ' ';
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') {
            continue;
        }
        out += c;
    }
    return out;
}

int32_t parse_position(const std::string& text, int32_t* order, int32_t* row)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size()) {
        return 0;
    }
    for (size_t i = 0; i < text.size(); i++) {
        if (i != colon && (text[i] < '0' || text[i] > '9')) {
            return 0;
        }
    }
    if (colon > 3 || text.size() - colon - 1 > 3) {
        return 0;
    }
    *order = std::atoi(text.substr(0, colon).c_str());
    *row = std::atoi(text.substr(colon + 1).c_str());
    return 1;
}

int32_t line_error(std::string* why, int32_t line, const std::string& reason)
{
    *why = "line " + std::to_string(line) + ": " + reason;
    return 0;
}

}  // namespace

int32_t script_parse(const std::string& text, SyncScript* script, std::string* why)
{
    script->entries.clear();
    size_t start = 0;
    int32_t line = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string content = text.substr(start, end - start);
        start = end + 1;
        line++;
        content = squeeze(trim(content.substr(0, content.find('#'))));
        if (content.empty()) {
            continue;
        }
        size_t space = content.find(' ');
        ScriptEntry entry = {0, 0, 0, line};
        if (space == std::string::npos || !parse_position(content.substr(0, space), &entry.order, &entry.row)) {
            return line_error(why, line, "expected \"ORDER:ROW COMMAND\"");
        }
        if (!script_parse_command(content.substr(space + 1), &entry.command)) {
            return line_error(why, line, "unknown command \"" + content.substr(space + 1) + "\"");
        }
        script->entries.push_back(entry);
    }
    // One position's commands keep their written order; positions may be written in any order.
    std::stable_sort(script->entries.begin(), script->entries.end(), [](const ScriptEntry& a, const ScriptEntry& b) {
        return a.order != b.order ? a.order < b.order : a.row < b.row;
    });
    return 1;
}

std::string script_format(const SyncScript& script)
{
    std::string text;
    char position[16];
    for (const ScriptEntry& entry : script.entries) {
        std::snprintf(position, sizeof position, "%d:%d", entry.order, entry.row);
        text += position;
        text += " ";
        text += script_command_name(entry.command);
        text += "\n";
    }
    return text;
}
