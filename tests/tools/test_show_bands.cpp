// Every band of a picture strip that the show's script asks for exists in the generated picture.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "asset_files.h"
#include "xm/sync_script.h"
#include "xm/xm_file.h"

namespace {

constexpr int32_t BAND_HEIGHT = 100;

// The height of every generated TGA picture, read from its header.
std::map<std::string, int32_t> picture_heights()
{
    AssetSet set;
    generate_all_assets(&set);
    std::map<std::string, int32_t> heights;
    for (const GeneratedFile& file : set.files) {
        if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".tga") == 0) {
            heights[file.name] = file.bytes[14] | (file.bytes[15] << 8);
        }
    }
    return heights;
}

// A band the script shows: the picture strip and the band number, with where it is asked for.
struct BandUse {
    std::string picture;
    int32_t band;
    std::string where;
};

// Follows the script's scene and cue bytes as the timeline does and lists every band shown. The
// bytes of one row arrive before one frame is drawn, so the state after each row is what shows.
std::vector<BandUse> bands_shown(const SyncScript& script)
{
    const std::map<int32_t, std::string> strips = {
        {1, "title.tga"}, {5, "bubble.tga"}, {6, "credz.tga"}, {10, "ending1.tga"}};
    std::vector<BandUse> uses;
    int32_t scene = -1;
    int32_t cue = 0;
    int32_t promo_band = 0;
    const std::vector<ScriptEntry>& entries = script.entries;
    for (size_t i = 0; i < entries.size(); i++) {
        const ScriptEntry& entry = entries[i];
        const int32_t command = entry.command >> 4;
        const int32_t argument = entry.command & 15;
        const std::string where = std::to_string(entry.order) + ":" + std::to_string(entry.row);
        scene = command == 0x0 ? argument : scene;
        cue = command == 0x1 ? argument : cue;
        if (command == 0xF && entry.command != 0xFF) {
            uses.push_back({"slides.tga", argument, where});
        }
        if (scene == 4 && command == 0x1 && (cue == 0 || cue == 15)) {
            promo_band = cue == 0 ? promo_band + 1 : 0;
        }
        const bool row_ends =
            i + 1 == entries.size() || entries[i + 1].order != entry.order || entries[i + 1].row != entry.row;
        if (!row_ends) {
            continue;
        }
        if (strips.count(scene) != 0) {
            uses.push_back({strips.at(scene), cue, where});
        }
        if (scene == 4 && cue > 0 && cue < 15) {
            uses.push_back({"promotext.tga", promo_band, where});
        }
    }
    return uses;
}

TEST(ShowBands, EveryBandTheScriptShowsExists)
{
    std::vector<uint8_t> bytes;
    std::string why;
    ASSERT_TRUE(xm_read_file(KORVEL_SHOW_MODULE, &bytes, &why)) << why;
    XmSong song;
    ASSERT_TRUE(xm_parse(bytes, &song, &why)) << why;
    const std::vector<BandUse> uses = bands_shown(script_read(song));
    ASSERT_GT(uses.size(), 20u);
    const std::map<std::string, int32_t> heights = picture_heights();
    for (const BandUse& use : uses) {
        ASSERT_EQ(heights.count(use.picture), 1u) << use.picture;
        EXPECT_LE((use.band + 1) * BAND_HEIGHT, heights.at(use.picture))
            << use.where << ": band " << use.band << " of " << use.picture;
    }
}

}  // namespace
