// Golden cell grids: a converted picture against an approved text grid in tests/golden.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// Compares columns x rows cells with tests/golden/<name>.cells: first the
// glyphs as text (the ramp's glyphs as they look, so the file reads as a
// picture), then the attributes as two hex digits a cell (background,
// foreground). On a mismatch it writes <name>.cells.actual beside it and
// says how to approve; KORVEL_APPROVE=1 writes the expected file instead.
::testing::AssertionResult matches_golden_cells(const std::string& name, const uint8_t* characters,
                                                const uint8_t* attributes, int32_t columns, int32_t rows);
