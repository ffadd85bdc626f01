// The headless console's kept frames as owned copies, for comparing whole grids.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/console.h"

inline std::vector<uint8_t> frame_characters(const RecordedFrame& frame)
{
    return std::vector<uint8_t>(frame.characters, frame.characters + frame.columns * frame.rows);
}

inline std::vector<uint8_t> frame_attributes(const RecordedFrame& frame)
{
    return std::vector<uint8_t>(frame.attributes, frame.attributes + frame.columns * frame.rows);
}

// The newest kept frame; an empty frame (0 x 0) when none is kept.
inline RecordedFrame last_frame()
{
    return platform_headless_frame(platform_headless_frame_count() - 1);
}
