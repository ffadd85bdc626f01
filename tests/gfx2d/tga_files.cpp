// Test TGA and raw file writers.
#include "tga_files.h"

#include <gtest/gtest.h>

#include <cstdio>

TestPicture make_test_picture(int32_t width, int32_t height)
{
    TestPicture picture{width, height, {}};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint32_t red = static_cast<uint32_t>(x * 40 + 10) & 0xFF;
            uint32_t green = static_cast<uint32_t>(y * 70 + 5) & 0xFF;
            uint32_t blue = static_cast<uint32_t>(x * y * 13 + 1) & 0xFF;
            uint32_t alpha = static_cast<uint32_t>(100 + x + y * 10) & 0xFF;
            picture.pixels.push_back(red | green << 8 | blue << 16 | alpha << 24);
        }
    }
    return picture;
}

namespace {

void put_u16(std::vector<uint8_t>* bytes, int32_t value)
{
    bytes->push_back(static_cast<uint8_t>(value));
    bytes->push_back(static_cast<uint8_t>(value >> 8));
}

// One pixel as the file stores it: blue, green, red (, alpha).
std::vector<uint8_t> stored_pixel(uint32_t p, int32_t bits_per_pixel)
{
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
    if (bits_per_pixel == 32) {
        bytes.push_back(static_cast<uint8_t>(p >> 24));
    }
    return bytes;
}

// Run-length packets over the whole pixel stream: runs of equal pixels as
// repeat packets, everything else as raw packets, at most 128 per packet.
void append_run_length(std::vector<uint8_t>* out, const std::vector<std::vector<uint8_t>>& stored)
{
    size_t i = 0;
    while (i < stored.size()) {
        size_t run = 1;
        while (i + run < stored.size() && run < 128 && stored[i + run] == stored[i]) {
            ++run;
        }
        if (run > 1) {
            out->push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            out->insert(out->end(), stored[i].begin(), stored[i].end());
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < stored.size() && raw < 128 && stored[i + raw] != stored[i + raw - 1]) {
            ++raw;
        }
        out->push_back(static_cast<uint8_t>(raw - 1));
        for (size_t k = 0; k < raw; ++k) {
            out->insert(out->end(), stored[i + k].begin(), stored[i + k].end());
        }
        i += raw;
    }
}

}  // namespace

std::vector<uint8_t> encode_tga(const TestPicture& picture, const TgaLayout& layout)
{
    std::vector<uint8_t> bytes = {0, 0, static_cast<uint8_t>(layout.run_length ? 10 : 2), 0, 0, 0, 0, 0};
    put_u16(&bytes, 0);
    put_u16(&bytes, 0);
    put_u16(&bytes, picture.width);
    put_u16(&bytes, picture.height);
    bytes.push_back(static_cast<uint8_t>(layout.bits_per_pixel));
    bytes.push_back(static_cast<uint8_t>((layout.alpha_bits & 0x0F) | (layout.right_to_left ? 0x10 : 0) |
                                         (layout.top_down ? 0x20 : 0)));
    std::vector<std::vector<uint8_t>> stored;
    for (int32_t r = 0; r < picture.height; ++r) {
        int32_t y = layout.top_down ? r : picture.height - 1 - r;
        for (int32_t c = 0; c < picture.width; ++c) {
            int32_t x = layout.right_to_left ? picture.width - 1 - c : c;
            stored.push_back(stored_pixel(picture.pixels[y * picture.width + x], layout.bits_per_pixel));
        }
    }
    if (layout.run_length) {
        append_run_length(&bytes, stored);
        return bytes;
    }
    for (const std::vector<uint8_t>& p : stored) {
        bytes.insert(bytes.end(), p.begin(), p.end());
    }
    return bytes;
}

std::string temp_path(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "korvel_" + test->test_suite_name() + "_" + test->name() + "_" + name;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    if (!bytes.empty()) {
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    }
    std::fclose(file);
}

TestPicture make_runs_picture(int32_t width, int32_t height)
{
    static const uint32_t colours[5] = {0xFF102030u, 0x80FFFFFFu, 0x00000000u, 0xFF0000FFu, 0x7F00FF00u};
    TestPicture picture{width, height, {}};
    int32_t count = width * height;
    for (int32_t k = 0; k < count; ++k) {
        picture.pixels.push_back(k < count * 3 / 4 ? 0xC0405060u : colours[(k / 7) % 5]);
    }
    return picture;
}
