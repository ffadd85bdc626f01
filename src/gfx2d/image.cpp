// The picture record: format choice by name, freeing, the texture row shift.
#include "gfx2d/image.h"

#include <cstdlib>
#include <cstring>

uint8_t image_width_shift(uint32_t width)
{
    uint8_t shift = 0;
    while (width > 1) {
        width >>= 1;
        ++shift;
    }
    return shift;
}

bool has_tga_extension(const char* path)
{
    return std::strstr(path, ".tga") != nullptr || std::strstr(path, ".TGA") != nullptr;
}

void free_image(Image* image)
{
    std::free(image->pixels);
    image->pixels = nullptr;
    image->height = 0;
    image->width = 0;
}

void load_image(const char* path, Image* image)
{
    // Loading over a filled record would leak its pixels.
    free_image(image);
    if (has_tga_extension(path)) {
        load_tga_image(path, image);
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    parse_raw_image_size(path, &width, &height);
    load_raw_image(path, image, width, height);
}
