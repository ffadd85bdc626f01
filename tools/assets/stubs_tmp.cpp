// temporary
#include "asset_files.h"
void generate_tiles(AssetSet*) {}
void generate_title(AssetSet*) {}
void generate_credits(AssetSet*) {}
void generate_promo(AssetSet*) {}
void generate_boom(AssetSet*) {}
void generate_greets(AssetSet*) {}
void generate_slides(AssetSet*) {}
void generate_overlays(AssetSet*) {}
void generate_spare(AssetSet*) {}
void generate_drawings(AssetSet*) {}
