// The picture slots' storage.
#include "gfx2d/picture_slots.h"

PictureSlots picture_slots = {};

const Image* picture_slot(int32_t number)
{
    if (number < 0 || number >= PICTURE_SLOT_COUNT) {
        return nullptr;
    }
    return &picture_slots.slots[number];
}
