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
    if (index < 0 || index >= TAG_SLOT_COUNT) {
        return 0;
    }
    auto* drawing = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
    if (drawing == nullptr) {
        return 0;
    }
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
    for (int32_t i = 0; i < TAG_SLOT_COUNT; i++) {
        free_tag_slot(i);
    }
}

namespace {

// The slot a catalog row points at, or -1.
int32_t row_slot(void* target)
{
    for (int32_t i = 0; i < TAG_SLOT_COUNT; i++) {
        if (target == &tag_slots.drawings[i]) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void load_tag_row(const char* path, void* target)
{
    int32_t index = row_slot(target);
    if (index >= 0) {
        load_tag_slot(index, path);
    }
}

void free_tag_row(void* target)
{
    int32_t index = row_slot(target);
    if (index >= 0) {
        free_tag_slot(index);
    }
}

const GmlDrawing* tag_slot(int32_t index)
{
    if (index < 0 || index >= TAG_SLOT_COUNT) {
        return nullptr;
    }
    return tag_slots.drawings[index];
}
