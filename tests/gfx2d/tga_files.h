// Writes small TGA and raw picture files for the loader tests, in any storage order the format allows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture as the loader should produce it: top row first, red in byte 0.
struct TestPicture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
};

struct TgaLayout {
    int32_t bits_per_pixel;  // 24 or 32
    int32_t alpha_bits;      // low four descriptor bits
    bool top_down;           // descriptor bit 5: first stored row is the top one
    bool right_to_left;      // descriptor bit 4
    bool run_length;         // image type 10 instead of 2
};

// A picture whose pixels all differ, alpha included.
TestPicture make_test_picture(int32_t width, int32_t height);

// The file bytes of picture in the given layout.
std::vector<uint8_t> encode_tga(const TestPicture& picture, const TgaLayout& layout);

// A fresh path in the test's temporary directory ending in name.
std::string temp_path(const std::string& name);

void write_file(const std::string& path, const std::vector<uint8_t>& bytes);

// A picture made mostly of runs: a long run of one colour that crosses rows
// and exceeds one packet, then short runs of five colours.
TestPicture make_runs_picture(int32_t width, int32_t height);
