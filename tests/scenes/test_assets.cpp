// The asset catalog: its table, the order of pool slots, textured-model rows, missing files, freeing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gfx2d/picture_slots.h"
#include "graffiti/tag_slots.h"
#include "platform/console.h"
#include "render3d/texture_pool.h"
#include "runtime/asset_catalog.h"
#include "runtime/data_files.h"
#include "scenes/assets.h"

namespace {

const char* const TRIANGLE = "BOF 3 1 0 0 0\n0 0 0 0 0 0\n1 1 0 0 0 0\n2 0 1 0 0 0\n0 0 1 2\n";

class Assets : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform_console_close();  // loader messages straight to standard error
        // Per test: ctest runs tests of this program side by side.
        dir_ = ::testing::TempDir() + "korvel_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_";
        write(path("tri.bof"), TRIANGLE, std::strlen(TRIANGLE));
        write_texture("red_2x2.raw", 0xFF0000FFu);
        write_texture("blue_2x2.raw", 0xFFFF0000u);
    }
    void TearDown() override
    {
        for (Model& m : models_) {
            free_model(&m);
        }
        free_image(&picture_);
        texture_pool_clear();
    }

    std::string path(const char* name) const { return dir_ + name; }

    static void write(const std::string& file, const void* bytes, size_t size)
    {
        FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes, 1, size, f);
        std::fclose(f);
    }

    void write_texture(const char* name, uint32_t colour)
    {
        const uint32_t pixels[4] = {colour, colour, colour, colour};
        write(path(name), pixels, sizeof pixels);
    }

    // Loads rows and returns what the loaders said.
    std::string load(const AssetEntry* rows, int32_t length)
    {
        ::testing::internal::CaptureStderr();
        load_asset_rows(rows, length);
        return ::testing::internal::GetCapturedStderr();
    }

    std::string dir_;
    Model models_[4] = {};
    Image picture_ = {};
};

}  // namespace

TEST(AssetCatalog, EveryFileARowLoadsIsAListedDataFile)
{
    for (int32_t row = 0; row + 1 < asset_catalog_length; row++) {
        std::string paths = std::string(asset_catalog[row].path) + "|";
        for (size_t start = 0, bar; (bar = paths.find('|', start)) != std::string::npos; start = bar + 1) {
            std::string name = paths.substr(start, bar - start);
            bool listed = false;
            for (const char* file : DATA_FILES) {
                listed = listed || name == std::string("data/") + file;
            }
            EXPECT_TRUE(listed) << name;
        }
    }
}

TEST(AssetCatalog, RowsInOrderEndedByATerminator)
{
    ASSERT_EQ(asset_catalog_length, 42);
    EXPECT_EQ(asset_catalog[asset_catalog_length - 1].target, nullptr);
    EXPECT_STREQ(asset_catalog[0].path, "data/dino_tile.tga");
    EXPECT_EQ(asset_catalog[1].target, &picture_slots.slots[1]);
    EXPECT_EQ(asset_catalog[6].target, &picture_slots.slots[6]);
    EXPECT_STREQ(asset_catalog[12].path, "data/blz.baf|data/texWht.tga");
    EXPECT_EQ(asset_catalog[13].target, &diplo_models.body);
    EXPECT_EQ(asset_catalog[15].target, &diplo_models.light);
    EXPECT_EQ(asset_catalog[18].target, &trex_models.light);
    EXPECT_STREQ(asset_catalog[19].path, "data/rock.bof|data/astTex.tga");
    EXPECT_EQ(asset_catalog[19].load, load_bof_row);
    EXPECT_EQ(asset_catalog[20].target, &slides_image);
    EXPECT_EQ(asset_catalog[21].target, &row_model);
    EXPECT_EQ(asset_catalog[23].target, &spare_backdrop);
    EXPECT_EQ(asset_catalog[24].target, &tag_slots.drawings[0]);
    EXPECT_STREQ(asset_catalog[40].path, "data/tag16.gml");
}

TEST_F(Assets, TexturedRowsTakePoolSlotsInRowOrderEvenForTheSameFile)
{
    const std::string a = path("tri.bof") + "|" + path("red_2x2.raw");
    const std::string b = path("tri.bof") + "|" + path("blue_2x2.raw");
    const AssetEntry rows[] = {
        {&models_[0], a.c_str(), load_bof_row, free_model_row},
        {&models_[1], b.c_str(), load_bof_row, free_model_row},
        {&models_[2], a.c_str(), load_baf_row, free_model_row},  // a .bof read as .baf: refused, texture kept
        {nullptr, nullptr, nullptr, nullptr},
    };
    load(rows, 4);
    EXPECT_EQ(models_[0].texture, 0);
    EXPECT_EQ(models_[1].texture, 1);
    EXPECT_EQ(models_[2].texture, 2);
    EXPECT_EQ(models_[0].face_count, 1);
    EXPECT_EQ(models_[2].face_count, 0);
    EXPECT_EQ(texture_pool.slots[0].pixels[0], 0xFF0000FFu);
    EXPECT_EQ(texture_pool.slots[2].pixels[0], 0xFF0000FFu);  // decoded again into a slot of its own
    EXPECT_EQ(texture_pool_find_free(), 3);
    free_asset_rows(rows, 4);
    EXPECT_EQ(models_[0].texture, -1);
    EXPECT_EQ(models_[0].vertices, nullptr);
    EXPECT_NE(texture_pool.slots[0].pixels, nullptr);  // textures stay until the pool is cleared
}

// A texture that fails to load must not leave its model naming a slot that
// the next texture then fills.
TEST_F(Assets, MissingTextureLeavesTheModelUntexturedAndTheSlotFree)
{
    const std::string gone = path("tri.bof") + "|" + path("gone_2x2.raw");
    const std::string blue = path("tri.bof") + "|" + path("blue_2x2.raw");
    const AssetEntry rows[] = {
        {&models_[0], gone.c_str(), load_bof_row, free_model_row},
        {&models_[1], blue.c_str(), load_bof_row, free_model_row},
    };
    const std::string said = load(rows, 2);
    EXPECT_NE(said.find("gone_2x2.raw"), std::string::npos) << said;
    EXPECT_EQ(models_[0].texture, -1);
    EXPECT_EQ(models_[0].face_count, 1);
    EXPECT_EQ(models_[1].texture, 0);
}

TEST_F(Assets, RowsWithoutABarOrNotModelsLoadThePlainWay)
{
    const std::string plain = path("tri.bof");
    const std::string picture_with_bar = path("red_2x2.raw") + "|" + path("blue_2x2.raw");
    models_[0].texture = 9;
    const AssetEntry rows[] = {
        {&models_[0], plain.c_str(), load_bof_row, free_model_row},
        {&picture_, picture_with_bar.c_str(), load_picture_row, free_picture_row},
        {nullptr, nullptr, nullptr, nullptr},
        {&models_[1], plain.c_str(), load_bof_row, free_model_row},  // after the terminator: never reached
    };
    EXPECT_EQ(load_model_with_texture(rows[0]), 0);
    EXPECT_EQ(load_model_with_texture(rows[1]), 0);
    const std::string said = load(rows, 4);
    EXPECT_EQ(models_[0].face_count, 1);
    EXPECT_EQ(models_[0].texture, -1);  // a fresh load has no texture until one is stored
    EXPECT_NE(said.find(picture_with_bar), std::string::npos) << "the whole path goes to the picture loader";
    EXPECT_EQ(models_[1].vertices, nullptr);
    EXPECT_EQ(texture_pool_find_free(), 0);
}

TEST_F(Assets, FullPoolGivesMinusOneAndLoadsNothing)
{
    for (int32_t i = 0; i < TEXTURE_POOL_SIZE; i++) {
        ASSERT_EQ(texture_pool_load(path("red_2x2.raw").c_str()), i);
    }
    EXPECT_EQ(texture_pool_find_free(), -1);
    EXPECT_EQ(texture_pool_load(path("blue_2x2.raw").c_str()), -1);
    texture_pool_clear();
    EXPECT_EQ(texture_pool_find_free(), 0);
}

TEST_F(Assets, WholeCatalogWithoutDataLeavesEveryRecordEmptyAndNamesEachFile)
{
    ::testing::internal::CaptureStderr();
    load_assets();
    const std::string said = ::testing::internal::GetCapturedStderr();
    for (int32_t i = 0; i + 1 < asset_catalog_length; i++) {
        const std::string row = asset_catalog[i].path;
        const std::string first = row.substr(0, row.find('|'));
        EXPECT_NE(said.find(first), std::string::npos) << first;
    }
    EXPECT_NE(said.find("data/lighting.tga"), std::string::npos);
    EXPECT_EQ(trex_models.body.texture, -1);
    EXPECT_EQ(rock_model.vertices, nullptr);
    EXPECT_EQ(picture_slots.slots[1].pixels, nullptr);
    free_assets();
    EXPECT_EQ(texture_pool_find_free(), 0);
}
