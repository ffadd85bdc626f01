// The generated files, kept in memory until they are written, so two runs can be compared byte for byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct GeneratedFile {
    std::string name;  // relative to the data folder, e.g. "title.tga"
    std::vector<uint8_t> bytes;
};

struct AssetSet {
    std::vector<GeneratedFile> files;
};

void add_file(AssetSet* set, const std::string& name, std::vector<uint8_t> bytes);
void add_text_file(AssetSet* set, const std::string& name, const std::string& text);
// Every picture, model and drawing of the show, in a fixed order (all_assets.cpp).
void generate_all_assets(AssetSet* set);
// Whether the set holds exactly the files of the data folder's list; if not, why.
bool asset_set_matches_data_files(const AssetSet& set, std::string* reason);
// Writes every file into folder (created if missing). False, with a reason, on the first failure.
bool write_asset_set(const AssetSet& set, const std::string& folder, std::string* reason);

// The families, one per source file.
void generate_tiles(AssetSet* set);
void generate_skins(AssetSet* set);
void generate_title(AssetSet* set);
void generate_credits(AssetSet* set);
void generate_promo(AssetSet* set);
void generate_boom(AssetSet* set);
void generate_greets(AssetSet* set);
void generate_slides(AssetSet* set);
void generate_overlays(AssetSet* set);
void generate_spare(AssetSet* set);
void generate_diplo(AssetSet* set);
void generate_trex(AssetSet* set);
void generate_blz(AssetSet* set);
void generate_rock(AssetSet* set);
void generate_row_model(AssetSet* set);
void generate_drawings(AssetSet* set);
