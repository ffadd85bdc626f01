// The catalog's records, its row operations and the walks over a table of rows.
#include "scenes/assets.h"

#include <string>

#include "gfx2d/image_files.h"
#include "platform/console.h"
#include "platform/data_folder.h"
#include "render3d/model_load.h"
#include "render3d/texture_pool.h"

Image dino_tile_image = {};
Image lasers_image = {};
Image tile_purple_image = {};
Image vw0_image = {};
Image vw1_image = {};
Image bubble_image = {};
Image slides_image = {};
Model blz_model = {};
ModelTriple diplo_models = {};
ModelTriple trex_models = {};
Model rock_model = {};
Model row_model = {};
Image spare_texture = {};
Image spare_backdrop = {};

void load_picture_row(const char* path, void* target)
{
    load_image(path, static_cast<Image*>(target));
}

void free_picture_row(void* target)
{
    free_image(static_cast<Image*>(target));
}

void load_bof_row(const char* path, void* target)
{
    load_bof_model(path, static_cast<Model*>(target));
}

void load_baf_row(const char* path, void* target)
{
    load_baf_model(path, static_cast<Model*>(target));
}

void free_model_row(void* target)
{
    free_model(static_cast<Model*>(target));
}

void load_asset_rows(const AssetEntry* rows, int32_t length)
{
    // One mesh or texture fills several rows: its failure is said once.
    platform_console_messages_once(1);
    for (int32_t i = 0; i < length && rows[i].target != nullptr; i++) {
        const std::string path = data_row_path(rows[i].path);
        AssetEntry row = rows[i];
        row.path = rows[i].path != nullptr ? path.c_str() : nullptr;
        if (load_model_with_texture(row) == 0) {
            row.load(row.path, row.target);
        }
    }
    platform_console_messages_once(0);
}

void free_asset_rows(const AssetEntry* rows, int32_t length)
{
    for (int32_t i = 0; i < length && rows[i].target != nullptr; i++) {
        rows[i].unload(rows[i].target);
    }
}

int32_t load_model_with_texture(const AssetEntry& row)
{
    if (row.load != load_bof_row && row.load != load_baf_row) {
        return 0;
    }
    // A string rather than a fixed buffer: a long path is loaded as written,
    // never cut short into another file's name.
    const std::string path = row.path != nullptr ? row.path : "";
    const size_t bar = path.find('|');
    if (path.empty() || bar == std::string::npos) {
        return 0;
    }
    const std::string model_path = path.substr(0, bar);
    row.load(model_path.c_str(), row.target);
    set_model_texture(static_cast<Model*>(row.target), texture_pool_load(path.c_str() + bar + 1));
    return 1;
}

int32_t texture_pool_load(const char* path)
{
    if (texture_pool.cleared == 0) {
        texture_pool_clear();
        texture_pool.cleared = 1;
    }
    const int32_t index = texture_pool_find_free();
    if (index < 0) {
        return -1;
    }
    load_image(path, &texture_pool.slots[index]);
    if (texture_pool.slots[index].pixels == nullptr) {
        return -1;  // a missing texture must not leave the model naming a slot the next texture fills
    }
    return index;
}
