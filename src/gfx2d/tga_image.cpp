// TGA pictures: the header is checked here, stb_image decodes, then origin and byte order are put right.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "gfx2d/image_files.h"
#include "platform/console.h"
#include "platform/files.h"

// The decoder is compiled here alone, with internal linkage (STB_IMAGE_STATIC)
// so the tests' own copy of it cannot collide, and with only its TGA reader.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

namespace {

constexpr size_t TGA_HEADER_BYTES = 18;
constexpr uint32_t TGA_MAX_PIXELS = 4096 * 4096;
// The decoder takes an int length; no picture of ours comes near it.
constexpr int64_t TGA_FILE_LIMIT = INT32_MAX;
constexpr uint8_t TGA_RIGHT_TO_LEFT = 0x10;  // descriptor bit 4: columns stored right to left
constexpr uint8_t TGA_ALPHA_BITS = 0x0F;     // descriptor bits 0-3: attribute (alpha) bits per pixel

struct TgaHeader {
    uint8_t id_length;
    uint8_t colour_map_type;
    uint8_t image_type;  // 1 mapped, 2 true colour, 3 grey; +8 run-length
    uint16_t colour_map_first;
    uint16_t colour_map_length;
    uint8_t colour_map_bits;
    uint16_t width;
    uint16_t height;
    uint8_t bits_per_pixel;
    uint8_t descriptor;
};

uint16_t read_u16(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

TgaHeader parse_header(const unsigned char* bytes)
{
    TgaHeader h;
    h.id_length = bytes[0];
    h.colour_map_type = bytes[1];
    h.image_type = bytes[2];
    h.colour_map_first = read_u16(bytes + 3);
    h.colour_map_length = read_u16(bytes + 5);
    h.colour_map_bits = bytes[7];
    h.width = read_u16(bytes + 12);
    h.height = read_u16(bytes + 14);
    h.bits_per_pixel = bytes[16];
    h.descriptor = bytes[17];
    return h;
}

bool is_one_of(int value, std::initializer_list<int> allowed)
{
    for (int a : allowed) {
        if (value == a) {
            return true;
        }
    }
    return false;
}

// The kinds the decoder reads correctly; null when supported, else why not.
// A colour map that does not start at entry 0 is refused because the decoder
// would misplace it.
const char* unsupported_kind(const TgaHeader& h)
{
    int kind = h.image_type & 7;
    if (h.width == 0 || h.height == 0) {
        return "zero width or height";
    }
    // A run-length file of a few hundred bytes can claim 65,535 x 65,535
    // pixels; no picture of the show comes near the cap.
    if (static_cast<uint32_t>(h.width) * h.height > TGA_MAX_PIXELS) {
        return "picture too large";
    }
    if (h.colour_map_type > 1 || h.image_type > 11 || (h.image_type & 7) > 3 || kind == 0) {
        return "unknown picture type";
    }
    if (kind == 1) {
        if (h.colour_map_type != 1 || !is_one_of(h.bits_per_pixel, {8, 16}) ||
            !is_one_of(h.colour_map_bits, {15, 16, 24, 32}) || h.colour_map_length == 0 || h.colour_map_first != 0) {
            return "unsupported colour-mapped format";
        }
        return nullptr;
    }
    if (kind == 2 && !is_one_of(h.bits_per_pixel, {15, 16, 24, 32})) {
        return "unsupported bits per pixel";
    }
    if (kind == 3 && !is_one_of(h.bits_per_pixel, {8, 16})) {
        return "unsupported bits per pixel for grey";
    }
    return nullptr;
}

// A true-colour or grey picture may carry a colour map it does not use.
// The decoder refuses that layout, so the map is cut out of the bytes and
// the header says there is none. Call after the truncation check.
void drop_unused_colour_map(TgaHeader* h, unsigned char* bytes, size_t* length)
{
    if ((h->image_type & 7) == 1 || h->colour_map_type == 0) {
        return;
    }
    size_t map_start = TGA_HEADER_BYTES + h->id_length;
    size_t map_bytes = static_cast<size_t>(h->colour_map_length) * ((h->colour_map_bits + 7) / 8);
    std::memmove(bytes + map_start, bytes + map_start + map_bytes, *length - map_start - map_bytes);
    *length -= map_bytes;
    std::memset(bytes + 1, 0, 1);  // colour map type
    std::memset(bytes + 3, 0, 5);  // first entry, length, entry bits
    h->colour_map_type = 0;
    h->colour_map_length = 0;
}

// The decoder reads zeros past the end of its input instead of failing, so a
// truncated file is caught here. Null when every pixel's data is present.
const char* truncated_data(const TgaHeader& h, const unsigned char* bytes, size_t length)
{
    size_t offset = TGA_HEADER_BYTES + h.id_length;
    if (h.colour_map_type == 1) {
        offset += static_cast<size_t>(h.colour_map_length) * ((h.colour_map_bits + 7) / 8);
    }
    size_t pixel_bytes = (h.bits_per_pixel + 7) / 8;
    size_t pixels = static_cast<size_t>(h.width) * h.height;
    if (offset > length) {
        return "truncated before the pixels";
    }
    if (h.image_type < 8) {
        return length - offset < pixels * pixel_bytes ? "truncated pixel data" : nullptr;
    }
    size_t done = 0;
    while (done < pixels) {
        if (offset >= length) {
            return "truncated run-length data";
        }
        unsigned char packet = bytes[offset++];
        size_t count = (packet & 0x7F) + 1u;
        size_t need = (packet & 0x80) ? pixel_bytes : count * pixel_bytes;
        if (length - offset < need) {
            return "truncated run-length data";
        }
        offset += need;
        done += count;
    }
    return nullptr;
}

void report(const char* path, const std::string& reason)
{
    platform_console_message(std::string(path) + ": cannot load TGA picture: " + reason);
}

// Decoded red, green, blue, alpha bytes into packed pixels; the decoder already
// turned the picture top row first, but not the columns.
void convert_pixels(const unsigned char* rgba, const TgaHeader& h, bool keep_alpha, uint32_t* pixels)
{
    bool mirrored = (h.descriptor & TGA_RIGHT_TO_LEFT) != 0;
    for (size_t row = 0; row < h.height; ++row) {
        for (size_t column = 0; column < h.width; ++column) {
            size_t source_column = mirrored ? h.width - 1 - column : column;
            const unsigned char* s = rgba + (row * h.width + source_column) * 4;
            uint32_t alpha = keep_alpha ? s[3] : 255u;
            pixels[row * h.width + column] = s[0] | (s[1] << 8) | (s[2] << 16) | (alpha << 24);
        }
    }
}

}  // namespace

void load_tga_image(const char* path, Image* image)
{
    free_image(image);
    std::string reason;
    std::vector<uint8_t> file;
    FileRead got = platform_read_file(path, TGA_FILE_LIMIT, &file, &reason);
    if (got != FILE_READ_OK) {
        report(path, got == FILE_READ_MISSING ? "file not found (" + reason + ")" : "file cannot be read: " + reason);
        return;
    }
    if (read_tga_image(file.data(), file.size(), image, &reason) == 0) {
        report(path, reason);
    }
}

int32_t read_tga_image(uint8_t* bytes, size_t length, Image* image, std::string* why)
{
    free_image(image);
    if (length < TGA_HEADER_BYTES) {
        *why = "too short for a TGA header";
        return 0;
    }
    TgaHeader header = parse_header(bytes);
    const char* problem = unsupported_kind(header);
    if (problem == nullptr) {
        problem = truncated_data(header, bytes, length);
    }
    if (problem != nullptr) {
        *why = problem;
        return 0;
    }
    drop_unused_colour_map(&header, bytes, &length);

    int width = 0;
    int height = 0;
    int components = 0;
    unsigned char* rgba = stbi_load_from_memory(bytes, static_cast<int>(length), &width, &height, &components, 4);
    if (rgba == nullptr) {
        *why = std::string("decoder: ") + stbi_failure_reason();
        return 0;
    }
    // Alpha only when the file has an alpha channel and declares its bits;
    // 24-bit pictures and undeclared fourth bytes are opaque.
    bool keep_alpha = (components == 2 || components == 4) && (header.descriptor & TGA_ALPHA_BITS) != 0;
    size_t count = static_cast<size_t>(header.width) * header.height;
    uint32_t* pixels = static_cast<uint32_t*>(std::malloc(count * 4));
    if (pixels == nullptr || width != header.width || height != header.height) {
        std::free(pixels);
        stbi_image_free(rgba);
        *why = pixels == nullptr ? "not enough memory" : "decoder disagrees with the header";
        return 0;
    }
    convert_pixels(rgba, header, keep_alpha, pixels);
    stbi_image_free(rgba);
    image->pixels = pixels;
    image->width = header.width;
    image->height = header.height;
    image->width_shift = image_width_shift(header.width);
    return 1;
}
