// The pool of model textures, addressed by the slot index a model keeps.
#pragma once
#include <cstdint>

#include "core/image.h"

constexpr int32_t TEXTURE_POOL_SIZE = 64;

// A slot is free while its pixels are null. `cleared` records that the pool
// was emptied before its first load.
struct TexturePool {
    Image slots[TEXTURE_POOL_SIZE];
    int32_t cleared;
};

// Filled by the asset catalog at start-up, emptied at shut-down; the
// rasterizer reads a model's texture from it. Main thread only.
extern TexturePool texture_pool;

// The first slot with null pixels, or -1 when all are taken.
int32_t texture_pool_find_free();

// free_image on every occupied slot.
void texture_pool_clear();

// The texture of a slot, or null when the index is outside the pool or the
// slot holds no usable texture (no pixels, or a width or height of 0).
const Image* texture_pool_image(int32_t index);
