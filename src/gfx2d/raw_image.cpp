// Headless raw pictures: the size comes from the name (..._WIDTHxHEIGHT.ext), the pixels follow as they are.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gfx2d/image_files.h"
#include "platform/console.h"
#include "platform/files.h"

namespace {

constexpr int RAW_SIZE_MAX_DIGITS = 4;
// Bytes a raw file may carry after its pixels (a trailer); a longer file is
// taken for a wrong name rather than read whole.
constexpr int64_t RAW_TRAILER_LIMIT = 1 << 20;

// The decimal number in text[first, end), which must be 1 to 4 digits.
bool parse_size_field(const char* text, size_t first, size_t end, int32_t* value)
{
    size_t length = end - first;
    if (length < 1 || length > RAW_SIZE_MAX_DIGITS) {
        return false;
    }
    int32_t number = 0;
    for (size_t i = first; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        number = number * 10 + (text[i] - '0');
    }
    *value = number;
    return true;
}

// The position of the nearest c before position end, or npos.
size_t find_before(const char* text, size_t end, char c)
{
    while (end > 0) {
        --end;
        if (text[end] == c) {
            return end;
        }
    }
    return std::string::npos;
}

void report(const char* text, const char* path, const std::string& detail = std::string())
{
    std::string line = std::string(text) + " (" + path;
    if (!detail.empty()) {
        line += ": " + detail;
    }
    platform_console_message(line + ")");
}

}  // namespace

int32_t parse_raw_image_size(const char* path, int32_t* width, int32_t* height)
{
    *width = 0;
    *height = 0;
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr) {
        return 0;
    }
    size_t dot_at = static_cast<size_t>(dot - path);
    size_t x_at = find_before(path, dot_at, 'x');
    if (x_at == std::string::npos) {
        return 0;
    }
    size_t underscore_at = find_before(path, x_at, '_');
    if (underscore_at == std::string::npos) {
        return 0;
    }
    int32_t w = 0;
    int32_t h = 0;
    if (!parse_size_field(path, x_at + 1, dot_at, &h) || !parse_size_field(path, underscore_at + 1, x_at, &w)) {
        return 0;
    }
    *width = w;
    *height = h;
    return 1;
}

void load_raw_image(const char* path, Image* image, int32_t width, int32_t height)
{
    free_image(image);
    if (width < 1 || width > UINT16_MAX || height < 1 || height > UINT16_MAX) {
        report("EEEEEEEEEEEK!!!     no picture size in the name!!", path, "expected ..._WIDTHxHEIGHT.raw");
        return;
    }
    // Checked before copying: a short file must not pass for a whole picture.
    size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    std::vector<uint8_t> file;
    std::string why;
    FileRead got = platform_read_file(path, static_cast<int64_t>(bytes) + RAW_TRAILER_LIMIT, &file, &why);
    if (got == FILE_READ_MISSING) {
        report("EEEEEEEEEEEK!!!     file not found!!", path, why);
        return;
    }
    if (got != FILE_READ_OK) {
        report("EEEEEEEEEEEK!!!     file cannot be read!!", path, why);
        return;
    }
    std::string detail;
    const char* problem = read_raw_image(file.data(), file.size(), width, height, image, &detail);
    if (problem != nullptr) {
        report(problem, path, detail);
    }
}

const char* read_raw_image(const uint8_t* data, size_t length, int32_t width, int32_t height, Image* image,
                           std::string* detail)
{
    free_image(image);
    if (width < 1 || width > UINT16_MAX || height < 1 || height > UINT16_MAX) {
        *detail = "expected ..._WIDTHxHEIGHT.raw";
        return "EEEEEEEEEEEK!!!     no picture size in the name!!";
    }
    size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (length < bytes) {
        *detail = std::to_string(length) + " of " + std::to_string(bytes) + " bytes";
        return "EEEEEEEEEEEK!!!     file too short!!";
    }
    uint32_t* pixels = static_cast<uint32_t*>(std::malloc(bytes));
    if (pixels == nullptr) {
        return "EEEEEEEEEEEK!!!     not nuff mem!!";
    }
    std::memcpy(pixels, data, bytes);
    image->pixels = pixels;
    image->width = static_cast<uint16_t>(width);
    image->height = static_cast<uint16_t>(height);
    image->width_shift = image_width_shift(static_cast<uint32_t>(width));
    return nullptr;
}
