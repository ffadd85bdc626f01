// The headless console driver: frames kept in a fixed ring, the terminal never touched.
#include "platform/headless.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t SLOT_BYTES = static_cast<size_t>(HEADLESS_FRAME_CELLS) * 2;  // characters, then attributes

struct HeadlessRing {
    uint8_t* cells;  // HEADLESS_FRAME_LIMIT slots of SLOT_BYTES; allocated at the first write
    int32_t columns[HEADLESS_FRAME_LIMIT];
    int32_t rows[HEADLESS_FRAME_LIMIT];
    int32_t oldest;  // slot of frame 0
    int32_t count;
};

// Lives for the whole process; emptied by platform_headless_clear.
HeadlessRing ring = {};

int32_t headless_open()
{
    return 0;
}

void headless_close() {}

void headless_grid(int32_t* columns, int32_t* rows)
{
    console_grid_choose(CONSOLE_DESIGN_COLUMNS, CONSOLE_DESIGN_ROWS, columns, rows);
}

void headless_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows)
{
    *view_columns = grid_columns;
    *view_rows = grid_rows;
}

// The slot the next frame goes into: the oldest one once the ring is full.
int32_t take_slot()
{
    if (ring.count < HEADLESS_FRAME_LIMIT) {
        return (ring.oldest + ring.count++) % HEADLESS_FRAME_LIMIT;
    }
    int32_t slot = ring.oldest;
    ring.oldest = (ring.oldest + 1) % HEADLESS_FRAME_LIMIT;
    return slot;
}

void headless_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                    int32_t view_rows)
{
    if (view_columns <= 0 || view_rows <= 0 || view_columns > HEADLESS_FRAME_CELLS) {
        return;
    }
    if (ring.cells == nullptr) {
        ring.cells = static_cast<uint8_t*>(std::malloc(SLOT_BYTES * HEADLESS_FRAME_LIMIT));
        if (ring.cells == nullptr) {
            return;
        }
    }
    int32_t rows = view_rows < HEADLESS_FRAME_CELLS / view_columns ? view_rows : HEADLESS_FRAME_CELLS / view_columns;
    int32_t slot = take_slot();
    uint8_t* kept_characters = ring.cells + static_cast<size_t>(slot) * SLOT_BYTES;
    uint8_t* kept_attributes = kept_characters + HEADLESS_FRAME_CELLS;
    for (int32_t y = 0; y < rows; y++) {
        size_t from = static_cast<size_t>(y) * stride;
        size_t to = static_cast<size_t>(y) * view_columns;
        std::memcpy(kept_characters + to, characters + from, static_cast<size_t>(view_columns));
        std::memcpy(kept_attributes + to, attributes + from, static_cast<size_t>(view_columns));
    }
    ring.columns[slot] = view_columns;
    ring.rows[slot] = rows;
}

}  // namespace

// The kept frames are cells: the block look falls back. Keys arrive only
// through platform_key_inject, and nobody types: a wait for a key would
// never end.
const ConsoleDriver HEADLESS_CONSOLE_DRIVER = {
    .name = "headless",
    .open = headless_open,
    .close = headless_close,
    .grid = headless_grid,
    .view = headless_view,
    .write = headless_write,
};

int32_t platform_headless_frame_count()
{
    return ring.count;
}

RecordedFrame platform_headless_frame(int32_t index)
{
    if (index < 0 || index >= ring.count) {
        return RecordedFrame{0, 0, nullptr, nullptr, nullptr};
    }
    int32_t slot = (ring.oldest + index) % HEADLESS_FRAME_LIMIT;
    const uint8_t* characters = ring.cells + static_cast<size_t>(slot) * SLOT_BYTES;
    return RecordedFrame{ring.columns[slot], ring.rows[slot], characters, characters + HEADLESS_FRAME_CELLS, nullptr};
}

void platform_headless_clear()
{
    ring.oldest = 0;
    ring.count = 0;
}
