// The picture loader's choice of format by name.
#include "gfx2d/image_files.h"

#include <cstring>

bool has_tga_extension(const char* path)
{
    return std::strstr(path, ".tga") != nullptr || std::strstr(path, ".TGA") != nullptr;
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
