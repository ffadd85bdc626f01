// The headless back end: frames kept in memory, the terminal never touched.
#include "platform/headless.h"

#include <vector>

#include "platform/console.h"

namespace {

// Lives for the whole process; emptied by platform_headless_clear.
std::vector<RecordedFrame> headless_frames;

}  // namespace

void headless_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                    int32_t view_rows)
{
    if (view_columns <= 0 || view_rows <= 0) {
        return;
    }
    if (static_cast<int32_t>(headless_frames.size()) >= HEADLESS_FRAME_LIMIT) {
        headless_frames.erase(headless_frames.begin());
    }
    RecordedFrame frame;
    frame.columns = view_columns;
    frame.rows = view_rows;
    frame.characters.reserve(static_cast<size_t>(view_columns) * view_rows);
    frame.attributes.reserve(static_cast<size_t>(view_columns) * view_rows);
    for (int32_t y = 0; y < view_rows; y++) {
        const uint8_t* row_characters = characters + static_cast<size_t>(y) * stride;
        const uint8_t* row_attributes = attributes + static_cast<size_t>(y) * stride;
        frame.characters.insert(frame.characters.end(), row_characters, row_characters + view_columns);
        frame.attributes.insert(frame.attributes.end(), row_attributes, row_attributes + view_columns);
    }
    headless_frames.push_back(std::move(frame));
}

const std::vector<RecordedFrame>& platform_headless_frames()
{
    return headless_frames;
}

void platform_headless_clear()
{
    headless_frames.clear();
}
