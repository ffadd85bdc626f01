// Golden-picture checks: a rendered canvas against an approved PNG in tests/golden.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/framebuffer.h"

// Compares colour bytes 0-2 (red, green, blue) of width x height packed
// pixels with tests/golden/<name>.png; byte 3 is not compared.
// On a mismatch (or a missing expected picture) it writes <name>.actual.png
// and <name>.diff.png beside the expected one (git ignores them; differing
// pixels are red in the diff, the rest a dim grey copy) and the failure says
// how to re-approve. With KORVEL_APPROVE=1 in the environment it writes the
// expected picture instead and passes. Use as
//   EXPECT_TRUE(matches_golden("blur_radius_4", canvas));
::testing::AssertionResult matches_golden(const std::string& name, const uint32_t* pixels, int32_t width,
                                          int32_t height);
::testing::AssertionResult matches_golden(const std::string& name, const Framebuffer& canvas);

// Whether KORVEL_APPROVE asks to rewrite the expected results.
bool golden_approving();
// KORVEL_GOLDEN_DIR/<name><suffix>.
std::string golden_sibling_path(const std::string& name, const char* suffix);
// The failure's last line: how to approve the expected file at path.
std::string golden_approve_hint(const std::string& path);

// Where the picture called name is kept: KORVEL_GOLDEN_DIR/<name>.png.
std::string golden_path(const std::string& name);

// PNG helpers on packed pixels (red in byte 0). Writing drops byte 3; reading
// sets it to 0. Both return false on failure.
bool write_png_rgb(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height);
bool read_png_rgb(const std::string& path, std::vector<uint32_t>* pixels, int32_t* width, int32_t* height);
