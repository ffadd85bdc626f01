// The view: how many cells the picture gets for a terminal size and cell shape.
#include <gtest/gtest.h>

#include "platform/console.h"
#include "platform/console_view.h"

namespace {

struct ViewCase {
    TerminalSize terminal;
    ConsoleFit fit;
    int32_t columns;
    int32_t rows;
};

TEST(ConsoleView, FitsTheGridOrKeepsTheCanvasShape)
{
    const ViewCase cases[] = {
        {{80, 50, 0, 0}, CONSOLE_FIT_GRID, 80, 50},
        {{200, 60, 0, 0}, CONSOLE_FIT_GRID, 80, 50},    // larger: the grid, centred elsewhere
        {{80, 50, 0, 0}, CONSOLE_FIT_ASPECT, 80, 25},   // cells of 1:2
        {{200, 60, 0, 0}, CONSOLE_FIT_ASPECT, 80, 25},  // never more than the grid
        {{79, 50, 0, 0}, CONSOLE_FIT_GRID, 79, 25},     // one column short: aspect fit, 79 / 3.2 rounded
        {{80, 24, 0, 0}, CONSOLE_FIT_GRID, 77, 24},     // the classic terminal
        {{40, 50, 0, 0}, CONSOLE_FIT_GRID, 40, 13},     // 12.5 rounds up
        {{1, 1, 0, 0}, CONSOLE_FIT_GRID, 1, 1},
        {{3, 1, 0, 0}, CONSOLE_FIT_ASPECT, 3, 1},
        {{1, 40, 0, 0}, CONSOLE_FIT_GRID, 1, 1},  // never 0 rows
        {{0, 0, 0, 0}, CONSOLE_FIT_GRID, 1, 1},
        // Square cells (800 x 800 pixels over 80 x 50 cells is 10 x 16; 800 x 500 is 10 x 10).
        {{80, 50, 800, 500}, CONSOLE_FIT_ASPECT, 80, 50},
        {{80, 50, 800, 800}, CONSOLE_FIT_ASPECT, 80, 31},  // 80 / 2.56 = 31.25
        {{100, 30, 1000, 600}, CONSOLE_FIT_GRID, 80, 25},  // cells 10 x 20: 30 rows would take 96 columns
        {{80, 50, 640, 0}, CONSOLE_FIT_ASPECT, 80, 25},    // half a pixel size is no pixel size
    };
    for (const ViewCase& c : cases) {
        int32_t columns = -1;
        int32_t rows = -1;
        console_view_fit(c.terminal, 80, 50, c.fit, &columns, &rows);
        EXPECT_EQ(columns, c.columns) << c.terminal.columns << " x " << c.terminal.rows << " fit " << c.fit;
        EXPECT_EQ(rows, c.rows) << c.terminal.columns << " x " << c.terminal.rows << " fit " << c.fit;
    }
}

// The driver's own grid: up to 160 x 50 cells, always the canvas's shape.
TEST(ConsoleView, AutomaticGridKeepsTheShapeUpTo160By50)
{
    const ViewCase cases[] = {
        {{80, 50, 0, 0}, CONSOLE_FIT_ASPECT, 80, 25},
        {{200, 60, 0, 0}, CONSOLE_FIT_ASPECT, 160, 50},
        {{160, 50, 0, 0}, CONSOLE_FIT_ASPECT, 160, 50},
        {{120, 40, 0, 0}, CONSOLE_FIT_ASPECT, 120, 38},      // 37.5 rounds up
        {{200, 60, 2000, 600}, CONSOLE_FIT_ASPECT, 80, 50},  // square cells: a cell of 2 x 2 pixels
        {{20, 10, 0, 0}, CONSOLE_FIT_ASPECT, 20, 6},
    };
    for (const ViewCase& c : cases) {
        int32_t columns = -1;
        int32_t rows = -1;
        console_view_fit(c.terminal, CONSOLE_AUTO_COLUMNS, CONSOLE_AUTO_ROWS, c.fit, &columns, &rows);
        EXPECT_EQ(columns, c.columns) << c.terminal.columns << " x " << c.terminal.rows;
        EXPECT_EQ(rows, c.rows) << c.terminal.columns << " x " << c.terminal.rows;
    }
}

// --grid counts only when it names both sizes; otherwise each driver keeps its own.
TEST(ConsoleGrid, ALiteralGridNeedsBothSizes)
{
    const struct {
        int32_t asked_columns, asked_rows, columns, rows;
    } cases[] = {{120, 40, 120, 40}, {0, 40, 70, 30}, {120, 0, 70, 30}, {0, 0, 70, 30}};
    ConsoleSettings saved = console_settings;
    for (const auto& c : cases) {
        console_settings.grid_columns = c.asked_columns;
        console_settings.grid_rows = c.asked_rows;
        int32_t columns = 0;
        int32_t rows = 0;
        console_grid_choose(70, 30, &columns, &rows);
        EXPECT_EQ(columns, c.columns) << c.asked_columns << " x " << c.asked_rows;
        EXPECT_EQ(rows, c.rows) << c.asked_columns << " x " << c.asked_rows;
        EXPECT_EQ(console_grid_is_literal(), c.columns == 120);
    }
    console_settings = saved;
}

}  // namespace
