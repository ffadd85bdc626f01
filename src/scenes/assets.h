// The records the asset catalog fills at start-up, its row operations and the walks over its rows.
#pragma once
#include <cstdint>

#include "core/image.h"
#include "render3d/model.h"

// One dinosaur as three records loaded from the same mesh: the textured
// body, the white outline shell and the light map.
struct ModelTriple {
    Model body;
    Model shell;
    Model light;
};

// The catalog's own records (the numbered pictures go to picture_slots).
// Filled by load_assets at start-up, emptied by free_assets at shut-down; a
// file that failed to load leaves its record empty. Main thread only.
extern Image dino_tile_image;
extern Image lasers_image;
extern Image tile_purple_image;
extern Image vw0_image;
extern Image vw1_image;
extern Image bubble_image;
extern Image slides_image;
extern Model blz_model;
extern ModelTriple diplo_models;
extern ModelTriple trex_models;
extern Model rock_model;
extern Model row_model;       // the model of the row scene (textured, like the rock)
extern Image spare_texture;   // the rotozoom layer's texture of the layered scene
extern Image spare_backdrop;  // that scene's backdrop

typedef void (*AssetLoad)(const char* path, void* target);
typedef void (*AssetUnload)(void* target);

// One row: the record, its file (for a textured model "MODEL|TEXTURE"),
// and the operations that fill and empty it. A null target ends a table.
struct AssetEntry {
    void* target;
    const char* path;
    AssetLoad load;
    AssetUnload unload;
};

// The row operations: pictures (an Image target) and models (a Model target).
void load_picture_row(const char* path, void* target);
void free_picture_row(void* target);
void load_bof_row(const char* path, void* target);
void load_baf_row(const char* path, void* target);
void free_model_row(void* target);

// Loads the rows in order, at most length of them, stopping at a null
// target. Failures are reported by the loaders; the walk always goes on.
void load_asset_rows(const AssetEntry* rows, int32_t length);
// Empties the same rows, in the same order. Textures stay in the pool.
void free_asset_rows(const AssetEntry* rows, int32_t length);

// For a model row whose path holds a bar: loads the model part into the
// row's model and the texture part into the pool, and stores the slot (or
// -1) in the model. Returns 1 then, 0 for any other row (not a model row,
// empty path, no bar), which the caller loads the plain way.
int32_t load_model_with_texture(const AssetEntry& row);

// Loads a picture into the first free pool slot (the pool is emptied before
// its first use) and returns the slot, or -1 when the pool is full or the
// picture could not be loaded (the slot then stays free).
int32_t texture_pool_load(const char* path);
