// The picture record: freeing and the texture row shift.
#include "core/image.h"

#include <cstdlib>

uint8_t image_width_shift(uint32_t width)
{
    uint8_t shift = 0;
    while (width > 1) {
        width >>= 1;
        ++shift;
    }
    return shift;
}

void free_image(Image* image)
{
    std::free(image->pixels);
    image->pixels = nullptr;
    image->height = 0;
    image->width = 0;
}
