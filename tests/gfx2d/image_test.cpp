// Picture loading: TGA storage orders and kinds, raw pictures, and every way a picture can be bad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "gfx2d/image_files.h"
#include "tga_files.h"

namespace {

std::vector<uint32_t> image_pixels(const Image& image)
{
    return std::vector<uint32_t>(image.pixels, image.pixels + image.width * image.height);
}

std::vector<uint32_t> opaque(const std::vector<uint32_t>& pixels)
{
    std::vector<uint32_t> result;
    for (uint32_t p : pixels) {
        result.push_back(p | 0xFF000000u);
    }
    return result;
}

Image load_tga_bytes(const std::vector<uint8_t>& bytes, const std::string& name = "picture.tga")
{
    std::string path = temp_path(name);
    write_file(path, bytes);
    Image image = {};
    load_image(path.c_str(), &image);
    return image;
}

// Loads path into an image that already holds pixels, expecting failure: the
// image must end up empty and one message naming the file must appear.
std::string expect_load_failure(const std::string& path)
{
    Image image = {};
    image.pixels = static_cast<uint32_t*>(std::malloc(4));
    image.width = 1;
    image.height = 1;
    ::testing::internal::CaptureStderr();
    load_image(path.c_str(), &image);
    std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(image.pixels, nullptr) << path;
    EXPECT_EQ(image.width, 0) << path;
    EXPECT_EQ(image.height, 0) << path;
    EXPECT_NE(message.find(path), std::string::npos) << "message should name the file: " << message;
    free_image(&image);
    return message;
}

const TgaLayout LAYOUTS_24[] = {
    {24, 0, false, false, false},
    {24, 0, true, false, false},
    {24, 0, false, true, false},
    {24, 0, true, true, false},
};

}  // namespace

TEST(TgaImage, EveryStorageOrderOf24BitGivesTopRowFirstRedFirstOpaque)
{
    TestPicture picture = make_test_picture(5, 3);
    for (const TgaLayout& layout : LAYOUTS_24) {
        Image image = load_tga_bytes(encode_tga(picture, layout));
        ASSERT_NE(image.pixels, nullptr);
        EXPECT_EQ(image.width, 5);
        EXPECT_EQ(image.height, 3);
        EXPECT_EQ(image_pixels(image), opaque(picture.pixels))
            << "top_down " << layout.top_down << " right_to_left " << layout.right_to_left;
        free_image(&image);
    }
}

TEST(TgaImage, EveryStorageOrderOf32BitKeepsAlpha)
{
    TestPicture picture = make_test_picture(4, 6);
    for (TgaLayout layout : LAYOUTS_24) {
        layout.bits_per_pixel = 32;
        layout.alpha_bits = 8;
        Image image = load_tga_bytes(encode_tga(picture, layout));
        ASSERT_NE(image.pixels, nullptr);
        EXPECT_EQ(image_pixels(image), picture.pixels)
            << "top_down " << layout.top_down << " right_to_left " << layout.right_to_left;
        free_image(&image);
    }
}

TEST(TgaImage, FourthByteWithoutDeclaredAlphaBitsIsOpaque)
{
    TestPicture picture = make_test_picture(3, 2);
    Image image = load_tga_bytes(encode_tga(picture, {32, 0, false, false, false}));
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image_pixels(image), opaque(picture.pixels));
    free_image(&image);
}

TEST(TgaImage, RunLengthFilesExpandToTheSamePicture)
{
    TestPicture picture = make_runs_picture(20, 20);
    for (int32_t bits : {24, 32}) {
        for (bool top_down : {false, true}) {
            for (bool right_to_left : {false, true}) {
                TgaLayout layout = {bits, bits == 32 ? 8 : 0, top_down, right_to_left, true};
                std::vector<uint8_t> bytes = encode_tga(picture, layout);
                ASSERT_LT(bytes.size(), 20u * 20u * 3u) << "the file should hold repeat packets";
                Image image = load_tga_bytes(bytes);
                ASSERT_NE(image.pixels, nullptr);
                EXPECT_EQ(image_pixels(image), bits == 32 ? picture.pixels : opaque(picture.pixels))
                    << bits << " bits, top_down " << top_down << " right_to_left " << right_to_left;
                free_image(&image);
            }
        }
    }
}

TEST(TgaImage, GreyAndColourMappedPicturesAreAccepted)
{
    // 2 x 1 grey: 0x10, 0xF0, bottom-up.
    std::vector<uint8_t> grey = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 8, 0, 0x10, 0xF0};
    Image image = load_tga_bytes(grey, "grey.tga");
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image_pixels(image), (std::vector<uint32_t>{0xFF101010u, 0xFFF0F0F0u}));
    free_image(&image);

    // Two 24-bit map entries (blue, green, red), then indices 1, 0.
    std::vector<uint8_t> mapped = {0, 1, 1, 0, 0, 2,    0,    24,   0,    0,    0,    0, 2,
                                   0, 1, 0, 8, 0, 0x01, 0x02, 0x03, 0x0A, 0x0B, 0x0C, 1, 0};
    image = load_tga_bytes(mapped, "mapped.tga");
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image_pixels(image), (std::vector<uint32_t>{0xFF0A0B0Cu, 0xFF010203u}));
    free_image(&image);

    // A true-colour picture may carry a map it does not use: skipped, not refused.
    std::vector<uint8_t> unused_map = {0,    1,    2,    0,    0,    2,    0,    24,   0,    0,
                                       0,    0,    2,    0,    1,    0,    24,   0,    0x01, 0x02,
                                       0x03, 0x0A, 0x0B, 0x0C, 0x30, 0x20, 0x10, 0x60, 0x50, 0x40};
    image = load_tga_bytes(unused_map, "unused_map.tga");
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image_pixels(image), (std::vector<uint32_t>{0xFF302010u, 0xFF605040u}));
    free_image(&image);
}

TEST(TgaImage, WidthShiftAndExtensionTest)
{
    const uint32_t shifts[][2] = {{160, 7}, {256, 8}, {1, 0}, {0, 0}, {65535, 15}};
    for (const auto& [width, shift] : shifts) {
        EXPECT_EQ(image_width_shift(width), shift) << width;
    }

    // The test is a substring test: ".TGA" before a further extension counts.
    EXPECT_TRUE(has_tga_extension("data/pic.TGA.bak"));
    EXPECT_TRUE(has_tga_extension("x.tga"));
    EXPECT_FALSE(has_tga_extension("data/pic_16x16.raw"));
    EXPECT_FALSE(has_tga_extension("data/pic.Tga"));

    Image image = load_tga_bytes(encode_tga(make_test_picture(8, 2), LAYOUTS_24[0]), "wide.TGA.old");
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width_shift, 3);
    free_image(&image);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    free_image(&image);  // a second free is harmless
}

TEST(TgaImage, BadFilesLeaveTheImageEmptyWithAMessage)
{
    TestPicture picture = make_test_picture(6, 5);
    std::vector<uint8_t> plain = encode_tga(picture, {24, 0, false, false, false});
    std::vector<uint8_t> packed = encode_tga(make_runs_picture(20, 20), {32, 8, false, false, true});

    EXPECT_NE(expect_load_failure(temp_path("missing.tga")).find("not found"), std::string::npos);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty.tga", {}},
        {"header_cut.tga", std::vector<uint8_t>(plain.begin(), plain.begin() + 10)},
        {"pixels_cut.tga", std::vector<uint8_t>(plain.begin(), plain.end() - 1)},
        {"packets_cut.tga", std::vector<uint8_t>(packed.begin(), packed.end() - 1)},
        {"packets_header_only.tga", std::vector<uint8_t>(packed.begin(), packed.begin() + 18)},
    };
    std::vector<uint8_t> bad_type = plain;
    bad_type[2] = 7;
    cases.push_back({"bad_type.tga", bad_type});
    std::vector<uint8_t> bad_depth = plain;
    bad_depth[16] = 13;
    cases.push_back({"bad_depth.tga", bad_depth});
    std::vector<uint8_t> zero_width = plain;
    zero_width[12] = 0;
    zero_width[13] = 0;
    cases.push_back({"zero_width.tga", zero_width});
    std::vector<uint8_t> huge = plain;  // 65535 x 65535 with six pixels of data
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    cases.push_back({"huge.tga", huge});
    // A colour map that does not start at entry 0 would be misplaced.
    cases.push_back({"map_offset.tga", {0, 1, 1, 1, 0, 2, 0, 24, 0, 0, 0, 0, 1, 0, 1, 0, 8, 0, 1, 2, 3, 4, 5, 6, 1}});

    for (const Case& c : cases) {
        std::string path = temp_path(c.name);
        write_file(path, c.bytes);
        std::string message = expect_load_failure(path);
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(RawImage, SizeComesFromTheName)
{
    int32_t width = -1;
    int32_t height = -1;
    EXPECT_EQ(parse_raw_image_size("data/logo_160x100.raw", &width, &height), 1);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 100);
    EXPECT_EQ(parse_raw_image_size("a_b_1x9999.dat", &width, &height), 1);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 9999);

    const char* sizeless[] = {"data/logo.raw",         "data/logo_160x100",     "data/logo160x100.raw",
                              "data/logo_x100.raw",    "data/logo_160x.raw",    "data/logo_16a0x100.raw",
                              "data/logo_10000x1.raw", "data/logo_1x10000.raw", "data.d/logo_160x100",
                              "data/logo_-1x5.raw"};
    for (const char* name : sizeless) {
        EXPECT_EQ(parse_raw_image_size(name, &width, &height), 0) << name;
        EXPECT_EQ(width, 0) << name;
        EXPECT_EQ(height, 0) << name;
    }
}

TEST(RawImage, WholeFileLoadsAsItIs)
{
    std::vector<uint8_t> bytes;
    for (int32_t i = 0; i < 4 * 2 * 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(i * 7 + 1));
    }
    std::string path = temp_path("pic_4x2.raw");
    write_file(path, bytes);
    Image image = {};
    load_image(path.c_str(), &image);
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.width_shift, 2);
    EXPECT_EQ(std::memcmp(image.pixels, bytes.data(), bytes.size()), 0);
    free_image(&image);
}

TEST(RawImage, BadFilesLeaveTheImageEmptyWithAMessage)
{
    std::string missing = expect_load_failure(temp_path("gone_4x2.raw"));
    EXPECT_NE(missing.find("EEEEEEEEEEEK!!!     file not found!!"), std::string::npos) << missing;

    // One byte short of 4 x 2 pixels: must not pass for a whole picture.
    std::string short_path = temp_path("short_4x2.raw");
    write_file(short_path, std::vector<uint8_t>(31, 0x55));
    std::string short_message = expect_load_failure(short_path);
    EXPECT_NE(short_message.find("EEEEEEEEEEEK!!!"), std::string::npos) << short_message;
    EXPECT_NE(short_message.find("31 of 32"), std::string::npos) << short_message;

    for (const char* name : {"nosize.raw", "zero_0x5.raw"}) {
        std::string path = temp_path(name);
        write_file(path, std::vector<uint8_t>(64, 1));
        std::string message = expect_load_failure(path);
        EXPECT_NE(message.find("EEEEEEEEEEEK!!!"), std::string::npos) << message;
    }
}

TEST(TgaImage, TruncationsFailAndCorruptionNeverCrashes)
{
    std::vector<uint8_t> packed = encode_tga(make_runs_picture(12, 9), {32, 8, true, true, true});
    std::vector<uint8_t> plain = encode_tga(make_test_picture(7, 5), {24, 0, false, false, false});
    std::string path = temp_path("cut.tga");
    for (const std::vector<uint8_t>* file : {&packed, &plain}) {
        // Every cut up to 20 bytes, then every fifth, then the last bytes
        // (file writes are slow on some machines).
        for (size_t length = 0; length < file->size(); ++length) {
            if (length > 20 && length + 4 < file->size() && length % 5 != 0) {
                continue;
            }
            write_file(path, std::vector<uint8_t>(file->begin(), file->begin() + length));
            Image image = {};
            ::testing::internal::CaptureStderr();
            load_image(path.c_str(), &image);
            ::testing::internal::GetCapturedStderr();
            ASSERT_EQ(image.pixels, nullptr) << "cut to " << length << " bytes";
        }
    }

    std::mt19937 generator(2024);
    for (int32_t round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = round % 2 ? packed : plain;
        for (int32_t flips = 1 + round % 4; flips > 0; --flips) {
            bytes[generator() % bytes.size()] = static_cast<uint8_t>(generator());
        }
        write_file(path, bytes);
        Image image = {};
        ::testing::internal::CaptureStderr();
        load_image(path.c_str(), &image);
        ::testing::internal::GetCapturedStderr();
        if (image.pixels != nullptr) {
            ASSERT_EQ(image.width, bytes[12] | bytes[13] << 8);
            ASSERT_EQ(image.height, bytes[14] | bytes[15] << 8);
        }
        free_image(&image);
    }
}
