// The graffiti tags that the music lays over the picture: seventeen numbered drawings.
#include "graffiti/tag_slots.h"

#include <cstdlib>

TagSlots tag_slots = {};

namespace {

void free_tag_slot(int32_t index)
{
    std::free(tag_slots.drawings[index]);
    tag_slots.drawings[index] = nullptr;
}

}  // namespace

int32_t load_tag_slot(int32_t index, const char* path)
{
    if (index < 0 || index >= TAG_SLOT_COUNT)
        return 0;
    auto* drawing = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
    if (drawing == nullptr)
        return 0;
    free_tag_slot(index);
    if (load_gml(path, drawing) != GML_LOAD_OK) {
        std::free(drawing);
        return 0;
    }
    tag_slots.drawings[index] = drawing;
    return 1;
}

void free_tag_slots()
{
    for (int32_t i = 0; i < TAG_SLOT_COUNT; i++)
        free_tag_slot(i);
}

const GmlDrawing* tag_slot(int32_t index)
{
    if (index < 0 || index >= TAG_SLOT_COUNT)
        return nullptr;
    return tag_slots.drawings[index];
}
