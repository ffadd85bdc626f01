// The graffiti tags that the music lays over the picture: seventeen numbered drawings.
#pragma once
#include <cstdint>

#include "graffiti/gml.h"

constexpr int32_t TAG_SLOT_COUNT = 17;

// A slot holds a drawing on the heap, or null when nothing was loaded into
// it (an empty slot draws nothing). Filled at start-up, emptied at shut-down
// by free_tag_slots; lives for the whole run. Main thread only.
struct TagSlots {
    GmlDrawing* drawings[TAG_SLOT_COUNT];
};

extern TagSlots tag_slots;

// Loads the GML file at path into slot index, replacing what it held. A
// missing or unreadable file is reported with its path and leaves the slot
// empty; an index outside 0..16 or a failed allocation leaves the slots
// as they were. Returns 1 when the slot holds the drawing, else 0.
int32_t load_tag_slot(int32_t index, const char* path);

// Empties every slot.
void free_tag_slots();

// The asset catalog's row operations: target points at one of
// tag_slots.drawings; any other target is left alone.
void load_tag_row(const char* path, void* target);
void free_tag_row(void* target);

// The drawing in slot index, or null (empty slot, index outside the slots).
const GmlDrawing* tag_slot(int32_t index);
