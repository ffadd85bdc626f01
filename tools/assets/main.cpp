// The asset generator's entry: writes every picture, model and drawing of the show into the folder it is given.
#include <cstdio>
#include <string>

#include "asset_files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER\n", argv[0]);
        return 2;
    }
    AssetSet set;
    generate_all_assets(&set);
    std::string reason;
    if (!asset_set_matches_data_files(set, &reason) || !write_asset_set(set, argv[1], &reason)) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    return 0;
}
