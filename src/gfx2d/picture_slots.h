// The numbered pictures that overlays and scenes address.
#pragma once
#include <cstdint>

#include "gfx2d/image_files.h"

constexpr int32_t PICTURE_SLOT_COUNT = 17;
constexpr int32_t SLOT_GREETINGS = 5;

// Filled by the asset catalog at start-up and emptied at shut-down; a slot
// without a picture has zero width and height and draws nothing.
struct PictureSlots {
    Image slots[PICTURE_SLOT_COUNT];
};

// Lives for the whole run; main thread only.
extern PictureSlots picture_slots;

// The picture of a slot, or null for a number outside the slots.
const Image* picture_slot(int32_t number);
