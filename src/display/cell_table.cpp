// Building the nearest-pair table once at opening, so that a cell costs a
// lookup and two distances instead of a search over eight candidates.
#include "display/cell_table.h"

#include "display/colour.h"
#include "display/console_display.h"

// Ties go to the later slot (<=), which decides many grey grid points.
static uint8_t nearest_pair(int32_t value, int32_t saturation, int32_t hue)
{
    constexpr int32_t START = 4 * 6 * CHANNEL_MAX * CHANNEL_MAX;  // 402,456,600
    int32_t near = 3;
    int32_t far = 3;
    int32_t near_distance = START;
    int32_t far_distance = START;
    for (int32_t k = 0; k < CANDIDATE_COUNT; k++) {
        const int32_t d = candidate_distance(COLOUR_CANDIDATES[k], value, saturation, hue);
        if (d <= near_distance) {
            far = near;
            far_distance = near_distance;
            near = k;
            near_distance = d;
        } else if (d <= far_distance) {
            far = k;
            far_distance = d;
        }
    }
    return static_cast<uint8_t>(far << 4 | near);
}

int32_t cell_table_build()
{
    SlotPalette& palette = console_display.palette;
    palette.colour[0] = 0;
    palette.colour[1] = 8;
    palette.colour[2] = 7;
    palette.colour[3] = 15;

    uint8_t* out = console_display.table.entry;
    for (int32_t vi = 0; vi < CELL_TABLE_VALUES; vi++) {
        const int32_t value = vi * CHANNEL_MAX / (CELL_TABLE_VALUES - 1);
        for (int32_t si = 0; si < CELL_TABLE_SATURATIONS; si++) {
            const int32_t saturation = si * CHANNEL_MAX / (CELL_TABLE_SATURATIONS - 1);
            for (int32_t hi = 0; hi < CELL_TABLE_HUES; hi++) {
                *out++ = nearest_pair(value, saturation, hi * 273);
            }
        }
    }
    return 0;
}
