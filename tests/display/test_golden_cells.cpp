// The whole conversion of a still picture, cell for cell, against approved grids.
#include <gtest/gtest.h>

#include <vector>

#include "core/framebuffer.h"
#include "core/random.h"
#include "display/console_display.h"
#include "display/display_test_support.h"
#include "display/present.h"
#include "runtime/test_card.h"
#include "support/golden_cells.h"
#include "support/headless_frames.h"

namespace {

struct GridCase {
    const char* golden;
    int32_t dither;
    int32_t sampling;
    int32_t colour_scheme;
};

TEST(GoldenCells, TestCardThroughEachDitherAndSampling)
{
    const GridCase cases[] = {
        {"cells_test_card_bayer4", OPT_DITHER_BAYER4, OPT_SAMPLE_AVERAGE, OPT_COLOUR_BLEND},
        {"cells_test_card_random", OPT_DITHER_RANDOM, OPT_SAMPLE_AVERAGE, OPT_COLOUR_BLEND},
        {"cells_test_card_centre_single", OPT_DITHER_NONE, OPT_SAMPLE_CENTRE, OPT_COLOUR_SINGLE},
    };
    static Framebuffer canvas;
    draw_test_card(&canvas);
    for (const GridCase& c : cases) {
        HeadlessDisplay display;
        display_set_option(c.dither);
        display_set_option(c.sampling);
        display_set_option(c.colour_scheme);
        random_seed(1);
        display_present(canvas.pixels);
        const RecordedFrame frame = last_frame();
        ASSERT_EQ(frame.columns, 80) << c.golden;
        EXPECT_TRUE(matches_golden_cells(c.golden, frame.characters, frame.attributes, frame.columns, frame.rows));
    }
}

}  // namespace
