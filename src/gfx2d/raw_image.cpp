// Headless raw pictures: the size comes from the name (..._WIDTHxHEIGHT.ext), the pixels follow as they are.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx2d/image.h"
#include "platform/console.h"

namespace {

constexpr int RAW_SIZE_MAX_DIGITS = 4;

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

// The file's length, or -1 when it cannot be told.
long file_length(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    long length = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return length;
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
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        report("EEEEEEEEEEEK!!!     file not found!!", path);
        return;
    }
    // Checked before reading: a short file must not pass for a whole picture.
    size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    long length = file_length(file);
    if (length < 0 || static_cast<unsigned long>(length) < bytes) {
        std::fclose(file);
        report("EEEEEEEEEEEK!!!     file too short!!", path,
               std::to_string(length < 0 ? 0 : length) + " of " + std::to_string(bytes) + " bytes");
        return;
    }
    uint32_t* pixels = static_cast<uint32_t*>(std::malloc(bytes));
    if (pixels == nullptr) {
        std::fclose(file);
        report("EEEEEEEEEEEK!!!     not nuff mem!!", path);
        return;
    }
    size_t read = std::fread(pixels, 1, bytes, file);
    std::fclose(file);
    if (read != bytes) {
        std::free(pixels);
        report("EEEEEEEEEEEK!!!     file too short!!", path,
               std::to_string(read) + " of " + std::to_string(bytes) + " bytes");
        return;
    }
    image->pixels = pixels;
    image->width = static_cast<uint16_t>(width);
    image->height = static_cast<uint16_t>(height);
    image->width_shift = image_width_shift(static_cast<uint32_t>(width));
}
