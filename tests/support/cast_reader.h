// Reads a terminal recording back: its header line and each output event's time and bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct CastEvent {
    int64_t time_ms;
    std::string bytes;  // the JSON string unescaped
};

struct CastRecording {
    std::string header;
    std::vector<CastEvent> events;
    int32_t malformed;  // lines that are not an output event
};

CastRecording read_cast(const std::string& text);
