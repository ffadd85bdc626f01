// The asset catalog: every picture, model, texture and graffiti tag loaded at
// start-up, in the order of its table, and freed at shut-down.
#include "runtime/asset_catalog.h"

#include <iterator>

#include "gfx2d/picture_slots.h"
#include "graffiti/tag_slots.h"
#include "render3d/texture_pool.h"

// Rows may be added before the terminator: the walks follow the table's
// length, and the textured-model rows keep taking pool slots in row order.
// clang-format off
const AssetEntry asset_catalog[] = {
    {&dino_tile_image,     "data/dino_tile.tga",                  load_picture_row, free_picture_row},
    {&picture_slots.slots[1], "data/title.tga",                      load_picture_row, free_picture_row},
    {&picture_slots.slots[2], "data/credz.tga",                      load_picture_row, free_picture_row},
    {&picture_slots.slots[3], "data/promotext.tga",                  load_picture_row, free_picture_row},
    {&picture_slots.slots[4], "data/boomb.tga",                      load_picture_row, free_picture_row},
    {&picture_slots.slots[5], "data/greets.tga",                     load_picture_row, free_picture_row},
    {&picture_slots.slots[6], "data/ending1.tga",                    load_picture_row, free_picture_row},
    {&lasers_image,        "data/lasers.tga",                     load_picture_row, free_picture_row},
    {&tile_purple_image,   "data/tilePurple.tga",                 load_picture_row, free_picture_row},
    {&vw0_image,           "data/vw0.tga",                        load_picture_row, free_picture_row},
    {&vw1_image,           "data/vw1.tga",                        load_picture_row, free_picture_row},
    {&bubble_image,        "data/bubble.tga",                     load_picture_row, free_picture_row},
    {&blz_model,           "data/blz.baf|data/texWht.tga",        load_baf_row,     free_model_row},
    {&diplo_models.body,   "data/diplo.baf|data/diploTex.tga",    load_baf_row,     free_model_row},
    {&diplo_models.shell,  "data/diplo.baf|data/texWht.tga",      load_baf_row,     free_model_row},
    {&diplo_models.light,  "data/diplo.baf|data/lighting.tga",    load_baf_row,     free_model_row},
    {&trex_models.body,    "data/trex.baf|data/trexTex.tga",      load_baf_row,     free_model_row},
    {&trex_models.shell,   "data/trex.baf|data/texWht.tga",       load_baf_row,     free_model_row},
    {&trex_models.light,   "data/trex.baf|data/lighting.tga",     load_baf_row,     free_model_row},
    {&rock_model,          "data/rock.bof|data/astTex.tga",       load_bof_row,     free_model_row},
    {&slides_image,        "data/slides.tga",                     load_picture_row, free_picture_row},
    {&row_model,           "data/row_model.bof|data/row_model.tga", load_bof_row,  free_model_row},
    {&spare_texture,       "data/spare_texture.tga",              load_picture_row, free_picture_row},
    {&spare_backdrop,      "data/spare_backdrop.tga",             load_picture_row, free_picture_row},
    {&tag_slots.drawings[0], "data/tag00.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[1], "data/tag01.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[2], "data/tag02.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[3], "data/tag03.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[4], "data/tag04.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[5], "data/tag05.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[6], "data/tag06.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[7], "data/tag07.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[8], "data/tag08.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[9], "data/tag09.gml",                    load_tag_row,     free_tag_row},
    {&tag_slots.drawings[10], "data/tag10.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[11], "data/tag11.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[12], "data/tag12.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[13], "data/tag13.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[14], "data/tag14.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[15], "data/tag15.gml",                   load_tag_row,     free_tag_row},
    {&tag_slots.drawings[16], "data/tag16.gml",                   load_tag_row,     free_tag_row},
    {nullptr,              nullptr,                               nullptr,          nullptr},
};
// clang-format on

const int32_t asset_catalog_length = static_cast<int32_t>(std::size(asset_catalog));

void load_assets()
{
    load_asset_rows(asset_catalog, asset_catalog_length);
}

void free_assets()
{
    free_asset_rows(asset_catalog, asset_catalog_length);
    texture_pool_clear();
}
