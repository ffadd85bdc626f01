// The whole generated set, family by family, held against the data folder's list of files.
#include <algorithm>
#include <iterator>

#include "asset_files.h"
#include "runtime/data_files.h"

void generate_all_assets(AssetSet* set)
{
    generate_tiles(set);
    generate_skins(set);
    generate_title(set);
    generate_credits(set);
    generate_promo(set);
    generate_boom(set);
    generate_greets(set);
    generate_slides(set);
    generate_overlays(set);
    generate_spare(set);
    generate_diplo(set);
    generate_trex(set);
    generate_blz(set);
    generate_rock(set);
    generate_row_model(set);
    generate_drawings(set);
}

bool asset_set_matches_data_files(const AssetSet& set, std::string* reason)
{
    auto listed = [](const std::string& name) {
        return std::find(std::begin(DATA_FILES), std::end(DATA_FILES), name) != std::end(DATA_FILES);
    };
    for (const GeneratedFile& file : set.files) {
        if (!listed(file.name)) {
            *reason = file.name + ": generated but not in the list of data files";
            return false;
        }
    }
    for (const char* name : DATA_FILES) {
        auto made = [name](const GeneratedFile& file) { return file.name == name; };
        if (std::none_of(set.files.begin(), set.files.end(), made)) {
            *reason = std::string(name) + ": in the list of data files but never generated";
            return false;
        }
    }
    return true;
}
