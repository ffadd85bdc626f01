// The texture pool's storage and slot bookkeeping.
#include "render3d/texture_pool.h"

TexturePool texture_pool = {};

int32_t texture_pool_find_free()
{
    for (int32_t i = 0; i < TEXTURE_POOL_SIZE; i++) {
        if (texture_pool.slots[i].pixels == nullptr) {
            return i;
        }
    }
    return -1;
}

void texture_pool_clear()
{
    for (Image& slot : texture_pool.slots) {
        if (slot.pixels != nullptr) {
            free_image(&slot);
        }
    }
}

const Image* texture_pool_image(int32_t index)
{
    if (index < 0 || index >= TEXTURE_POOL_SIZE) {
        return nullptr;
    }
    const Image& image = texture_pool.slots[index];
    if (image.pixels == nullptr || image.width == 0 || image.height == 0) {
        return nullptr;
    }
    return &image;
}
