// Reads a terminal recording back: its header line and each output event's time and bytes.
#include "support/cast_reader.h"

#include <cstdlib>
#include <sstream>

namespace {

// Unescapes a JSON string starting after its opening quote; false when it is cut.
bool unescape(const std::string& line, size_t at, std::string* out)
{
    for (size_t i = at; i < line.size(); i++) {
        char c = line[i];
        if (c == '"') {
            return true;
        }
        if (c != '\\') {
            *out += c;
            continue;
        }
        if (++i >= line.size()) {
            return false;
        }
        char kind = line[i];
        if (kind == 'u') {
            if (i + 4 >= line.size()) {
                return false;
            }
            long code = std::strtol(line.substr(i + 1, 4).c_str(), nullptr, 16);
            if (code > 0x7F) {
                return false;  // the recorder escapes control bytes only
            }
            *out += static_cast<char>(code);
            i += 4;
        } else if (kind == '"' || kind == '\\' || kind == '/') {
            *out += kind;
        } else {
            return false;
        }
    }
    return false;
}

// "[12.345, "o", "..."]"
bool parse_event(const std::string& line, CastEvent* event)
{
    size_t comma = line.find(',');
    size_t dot = line.find('.');
    const std::string opening = ", \"o\", \"";
    if (line.empty() || line[0] != '[' || comma == std::string::npos || dot > comma ||
        line.compare(comma, opening.size(), opening) != 0) {
        return false;
    }
    event->time_ms = std::atoll(line.substr(1, dot - 1).c_str()) * 1000 + std::atoll(line.substr(dot + 1, 3).c_str());
    event->bytes.clear();
    if (!unescape(line, comma + opening.size(), &event->bytes)) {
        return false;
    }
    return line.size() >= 2 && line.compare(line.size() - 2, 2, "\"]") == 0;
}

}  // namespace

CastRecording read_cast(const std::string& text)
{
    CastRecording cast = {};
    std::istringstream lines(text);
    std::getline(lines, cast.header);
    std::string line;
    while (std::getline(lines, line)) {
        CastEvent event;
        if (parse_event(line, &event)) {
            cast.events.push_back(event);
        } else {
            cast.malformed++;
        }
    }
    return cast;
}
