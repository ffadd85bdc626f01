// The asset catalog: the table of every file the show loads at start-up.
#pragma once
#include <cstdint>

#include "scenes/assets.h"

// The rows in loading order, ended by a row with a null target: the 21 rows
// of pictures and models, then the row scene's model, the layered scene's
// two pictures and the 17 graffiti tags.
extern const AssetEntry asset_catalog[];
extern const int32_t asset_catalog_length;  // rows including the terminator

// Loads every row (a missing file is reported with its path and leaves its
// record empty); free_assets empties them again and then the texture pool.
void load_assets();
void free_assets();
