// How many cells the picture gets on a terminal of a given size and cell shape.
#include "platform/console_view.h"

namespace {

int32_t at_least_one(int32_t value)
{
    return value < 1 ? 1 : value;
}

// numerator / denominator rounded to the nearest integer; both positive.
int64_t divide_rounded(int64_t numerator, int64_t denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

void console_view_fit(const TerminalSize& terminal, int32_t grid_columns, int32_t grid_rows, ConsoleFit fit,
                      int32_t* view_columns, int32_t* view_rows)
{
    int32_t room_columns = at_least_one(terminal.columns < grid_columns ? terminal.columns : grid_columns);
    int32_t room_rows = at_least_one(terminal.rows < grid_rows ? terminal.rows : grid_rows);
    if (fit == CONSOLE_FIT_GRID && terminal.columns >= grid_columns && terminal.rows >= grid_rows) {
        *view_columns = room_columns;
        *view_rows = room_rows;
        return;
    }
    // Cells wide per cell tall that keep the canvas's shape:
    // (aspect width / aspect height) * (cell height / cell width).
    int64_t cell_width = 1;
    int64_t cell_height = 2;
    if (terminal.pixel_width > 0 && terminal.pixel_height > 0 && terminal.columns > 0 && terminal.rows > 0) {
        cell_width = static_cast<int64_t>(terminal.pixel_width) * terminal.rows;
        cell_height = static_cast<int64_t>(terminal.pixel_height) * terminal.columns;
    }
    int64_t per_row = VIEW_ASPECT_WIDTH * cell_height;  // columns per row, times per_column
    int64_t per_column = VIEW_ASPECT_HEIGHT * cell_width;
    int64_t columns = divide_rounded(room_rows * per_row, per_column);
    int64_t rows = room_rows;
    if (columns > room_columns) {
        columns = room_columns;
        rows = divide_rounded(room_columns * per_column, per_row);
    }
    *view_columns = at_least_one(static_cast<int32_t>(columns < room_columns ? columns : room_columns));
    *view_rows = at_least_one(static_cast<int32_t>(rows < room_rows ? rows : room_rows));
}
