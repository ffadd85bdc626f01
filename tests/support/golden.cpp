// Golden-picture checks: compare, write actual and diff pictures on a mismatch, approve on request.
#include "support/golden.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/stb_for_tests.h"

bool golden_approving()
{
    const char* value = std::getenv("KORVEL_APPROVE");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

std::string golden_sibling_path(const std::string& name, const char* suffix)
{
    return std::string(KORVEL_GOLDEN_DIR) + "/" + name + suffix;
}

namespace {

uint32_t colour_bytes(uint32_t pixel)
{
    return pixel & 0x00FFFFFFu;
}

// Differing pixels bright red, the rest the expected picture as dim grey, so
// the eye lands on the differences.
std::vector<uint32_t> diff_picture(const uint32_t* actual, const std::vector<uint32_t>& expected)
{
    std::vector<uint32_t> diff(expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        if (colour_bytes(actual[i]) != colour_bytes(expected[i])) {
            diff[i] = 0x0000FFu;
            continue;
        }
        uint32_t e = expected[i];
        uint32_t grey = ((e & 0xFF) + ((e >> 8) & 0xFF) + ((e >> 16) & 0xFF)) / 12;
        diff[i] = grey | (grey << 8) | (grey << 16);
    }
    return diff;
}

}  // namespace

std::string golden_approve_hint(const std::string& path)
{
    return "If the new result is right, approve it by running this test again with KORVEL_APPROVE=1 "
           "in the environment; it rewrites " +
           path + ".";
}

std::string golden_path(const std::string& name)
{
    return golden_sibling_path(name, ".png");
}

bool write_png_rgb(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3 + 0] = static_cast<unsigned char>(pixels[i]);
        rgb[i * 3 + 1] = static_cast<unsigned char>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(pixels[i] >> 16);
    }
    return test_png_write(path.c_str(), width, height, rgb.data()) != 0;
}

bool read_png_rgb(const std::string& path, std::vector<uint32_t>* pixels, int32_t* width, int32_t* height)
{
    int w = 0;
    int h = 0;
    unsigned char* rgb = test_png_load(path.c_str(), &w, &h);
    if (rgb == nullptr) {
        return false;
    }
    pixels->assign(static_cast<size_t>(w) * h, 0);
    for (size_t i = 0; i < pixels->size(); ++i) {
        (*pixels)[i] = rgb[i * 3] | (rgb[i * 3 + 1] << 8) | (static_cast<uint32_t>(rgb[i * 3 + 2]) << 16);
    }
    test_png_free(rgb);
    *width = w;
    *height = h;
    return true;
}

::testing::AssertionResult matches_golden(const std::string& name, const uint32_t* pixels, int32_t width,
                                          int32_t height)
{
    const std::string expected_path = golden_path(name);
    const std::string actual_path = golden_sibling_path(name, ".actual.png");
    const std::string diff_path = golden_sibling_path(name, ".diff.png");

    if (golden_approving()) {
        if (!write_png_rgb(expected_path, pixels, width, height)) {
            return ::testing::AssertionFailure() << "could not write " << expected_path;
        }
        std::remove(actual_path.c_str());
        std::remove(diff_path.c_str());
        return ::testing::AssertionSuccess() << "approved " << expected_path;
    }

    std::vector<uint32_t> expected;
    int32_t expected_width = 0;
    int32_t expected_height = 0;
    if (!read_png_rgb(expected_path, &expected, &expected_width, &expected_height)) {
        write_png_rgb(actual_path, pixels, width, height);
        return ::testing::AssertionFailure() << "no expected picture " << expected_path << "; the result is in "
                                             << actual_path << ". " << golden_approve_hint(golden_path(name));
    }
    if (expected_width != width || expected_height != height) {
        write_png_rgb(actual_path, pixels, width, height);
        return ::testing::AssertionFailure()
               << expected_path << " is " << expected_width << " x " << expected_height << ", the result " << width
               << " x " << height << " (in " << actual_path << "). " << golden_approve_hint(golden_path(name));
    }

    int32_t differing = 0;
    int32_t first = -1;
    for (int32_t i = 0; i < width * height; ++i) {
        if (colour_bytes(pixels[i]) != colour_bytes(expected[i])) {
            if (first < 0) {
                first = i;
            }
            ++differing;
        }
    }
    if (differing == 0) {
        std::remove(actual_path.c_str());
        std::remove(diff_path.c_str());
        return ::testing::AssertionSuccess();
    }

    write_png_rgb(actual_path, pixels, width, height);
    std::vector<uint32_t> diff = diff_picture(pixels, expected);
    write_png_rgb(diff_path, diff.data(), width, height);
    char detail[160];
    std::snprintf(detail, sizeof detail, "first at (%d, %d): expected 0x%06X, got 0x%06X", first % width, first / width,
                  colour_bytes(expected[first]), colour_bytes(pixels[first]));
    return ::testing::AssertionFailure() << name << ": " << differing << " of " << width * height << " pixels differ, "
                                         << detail << ". See " << actual_path << " and " << diff_path << ". "
                                         << golden_approve_hint(golden_path(name));
}

::testing::AssertionResult matches_golden(const std::string& name, const Framebuffer& canvas)
{
    return matches_golden(name, canvas.pixels, CANVAS_WIDTH, CANVAS_HEIGHT);
}
