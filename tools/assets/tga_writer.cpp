// TGA encoding: an 18-byte header, then the pixels row by row from the top.
#include "tga_writer.h"

namespace {

constexpr uint8_t TGA_TRUE_COLOUR = 2;
constexpr uint8_t TGA_TOP_FIRST = 0x20;  // descriptor bit 5: rows stored top to bottom
constexpr uint8_t TGA_EIGHT_ALPHA_BITS = 8;

void put_u16(std::vector<uint8_t>* out, int32_t value)
{
    out->push_back(static_cast<uint8_t>(value & 0xFF));
    out->push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

std::vector<uint8_t> encode_tga(const Picture& picture)
{
    const int32_t bytes_per_pixel = picture.has_alpha ? 4 : 3;
    std::vector<uint8_t> out;
    out.reserve(18 + picture.pixels.size() * bytes_per_pixel);
    out.push_back(0);  // no image id
    out.push_back(0);  // no colour map
    out.push_back(TGA_TRUE_COLOUR);
    for (int32_t i = 0; i < 5; i++) {
        out.push_back(0);  // colour map description
    }
    put_u16(&out, 0);  // x origin
    put_u16(&out, 0);  // y origin
    put_u16(&out, picture.width);
    put_u16(&out, picture.height);
    out.push_back(static_cast<uint8_t>(bytes_per_pixel * 8));
    out.push_back(picture.has_alpha ? TGA_TOP_FIRST | TGA_EIGHT_ALPHA_BITS : TGA_TOP_FIRST);
    for (uint32_t p : picture.pixels) {
        out.push_back(static_cast<uint8_t>(channel(p, 2)));
        out.push_back(static_cast<uint8_t>(channel(p, 1)));
        out.push_back(static_cast<uint8_t>(channel(p, 0)));
        if (picture.has_alpha) {
            out.push_back(static_cast<uint8_t>(channel(p, 3)));
        }
    }
    return out;
}
