// Model files: field values, frame layout, edge tables, freeing, and a table of bad inputs.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/console.h"
#include "render3d/model_load.h"

namespace {

const char* load_text(const std::string& text, bool animated, Model* model, std::string* detail)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return animated ? read_baf_model(bytes, text.size(), model, detail)
                    : read_bof_model(bytes, text.size(), model, detail);
}

void expect_empty(const Model& model)
{
    EXPECT_EQ(model.vertex_count, 0);
    EXPECT_EQ(model.face_count, 0);
    EXPECT_EQ(model.edge_count, 0);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.texture, -1);
}

std::string triangle_faces(int32_t count)
{
    std::string text;
    for (int32_t i = 0; i < count; i++) {
        text += std::to_string(i) + " 0 1 2\n";
    }
    return text;
}

}  // namespace

TEST(ModelLoad, VertexFieldsPoseAndTexture)
{
    Model model = {};
    model.texture = 5;
    std::string detail;
    const char* failure = load_text("BOF 3 1 9.5 -3 2\n7 1.5 -2 0.25 0.5 1.25\n8 0 0 0 0 0\n9 1 1 1 1 1\n0 0 1 2\n",
                                    false, &model, &detail);
    ASSERT_EQ(failure, nullptr) << detail;
    EXPECT_EQ(model.vertices[0].x, 6144);
    EXPECT_EQ(model.vertices[0].y, -8192);
    EXPECT_EQ(model.vertices[0].z, 1024);
    EXPECT_EQ(model.vertices[0].u, 16384);
    EXPECT_EQ(model.vertices[0].v, 40960);
    EXPECT_EQ(model.frame_count, 1);
    EXPECT_EQ(model.texture, -1);
    EXPECT_EQ(model.current_frame, 0);
    EXPECT_EQ(model.pos_x, 0.0f);  // whatever the header's three reals say
    EXPECT_EQ(model.pos_z, 0.0f);
    free_model(&model);
    expect_empty(model);
    EXPECT_EQ(model.frame_count, 1);  // kept, like the pose
    free_model(&model);               // a second free releases nothing
    expect_empty(model);
}

TEST(ModelLoad, AnimatedModelOwnsItsFramesAndAScratchFrame)
{
    std::string text = "BAF 100 1 4 0 0 0\n";
    for (int32_t i = 0; i < 400; i++) {
        text += std::to_string(i) + " " + std::to_string(i) + " 0 0 0 0\n";
    }
    text += triangle_faces(1);
    Model model = {};
    std::string detail;
    ASSERT_EQ(load_text(text, true, &model, &detail), nullptr) << detail;
    EXPECT_EQ(model.frame_count, 4);
    EXPECT_EQ(model.vertices[200].x, fixed_from_int(200));  // frame 2 starts at record 200
    EXPECT_EQ(model.vertices[499].x, 0);                    // record 499 is in the scratch frame
    free_model(&model);
}

TEST(EdgeTable, EdgesInOrderOfFirstAppearance)
{
    struct Case {
        const char* faces;
        int32_t face_count;
        int32_t edge_count;
        std::vector<std::array<int32_t, 3>> face_edges;
        std::vector<std::array<int32_t, 2>> pairs;
    };
    const Case cases[] = {
        {"0 0 1 2\n", 1, 3, {{0, 1, 2}}, {{0, 1}, {1, 2}, {0, 2}}},
        {"0 0 1 2\n1 2 1 3\n", 2, 5, {{0, 1, 2}, {1, 3, 4}}, {{0, 1}, {1, 2}, {0, 2}, {1, 3}, {2, 3}}},
        {"0 0 1 2\n1 2 1 0\n", 2, 3, {{0, 1, 2}, {1, 0, 2}}, {{0, 1}, {1, 2}, {0, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.faces);
        const std::string text = "BOF 4 " + std::to_string(c.face_count) +
                                 " 0 0 0\n0 0 0 0 0 0\n1 1 0 0 0 0\n2 0 1 0 0 0\n3 1 1 0 0 0\n" + c.faces;
        Model model = {};
        std::string detail;
        ASSERT_EQ(load_text(text, false, &model, &detail), nullptr) << detail;
        ASSERT_EQ(model.edge_count, c.edge_count);
        for (size_t f = 0; f < c.face_edges.size(); f++) {
            EXPECT_EQ(model.faces[f].edge_ab, c.face_edges[f][0]);
            EXPECT_EQ(model.faces[f].edge_bc, c.face_edges[f][1]);
            EXPECT_EQ(model.faces[f].edge_ac, c.face_edges[f][2]);
        }
        for (size_t e = 0; e < c.pairs.size(); e++) {
            EXPECT_EQ(model.edges[e].vertex_a, c.pairs[e][0]);
            EXPECT_EQ(model.edges[e].vertex_b, c.pairs[e][1]);
            EXPECT_EQ(model.edges[e].ready, 0);
        }
        free_model(&model);
    }
}

// More than 2048 distinct edges: the list grows rather than refusing the model.
TEST(EdgeTable, LargeMeshesKeepEveryEdge)
{
    constexpr int32_t FACES = 1500;  // a strip: 2 * FACES + 1 edges
    std::string text = "BOF " + std::to_string(FACES + 2) + " " + std::to_string(FACES) + " 0 0 0\n";
    for (int32_t i = 0; i < FACES + 2; i++) {
        text += "0 " + std::to_string(i) + " 0 0 0 0\n";
    }
    for (int32_t i = 0; i < FACES; i++) {
        text += "0 " + std::to_string(i) + " " + std::to_string(i + 1) + " " + std::to_string(i + 2) + "\n";
    }
    Model model = {};
    std::string detail;
    ASSERT_EQ(load_text(text, false, &model, &detail), nullptr) << detail;
    EXPECT_EQ(model.edge_count, 2 * FACES + 1);
    EXPECT_EQ(model.faces[FACES - 1].edge_ac, 2 * FACES);
    free_model(&model);
}

TEST(ModelLoad, BadInputsLeaveAnEmptyModelAndSayWhy)
{
    const std::string vertices3 = "0 0 0 0 0 0\n1 1 0 0 0 0\n2 0 1 0 0 0\n";
    struct Case {
        const char* what;
        bool animated;
        std::string text;
        const char* failure;
    };
    // clang-format off
    const Case cases[] = {
        {"empty file",              false, "",                                           MODEL_FILE_TOO_SHORT},
        {"tag only",                false, "BOF",                                        MODEL_FILE_TOO_SHORT},
        {"truncated header",        false, "BOF 3 1 0 0",                                MODEL_FILE_TOO_SHORT},
        {"negative count",          false, "BOF -3 1 0 0 0\n" + vertices3,               MODEL_FILE_BAD},
        {"count not a number",      false, "BOF 3x 1 0 0 0\n" + vertices3,               MODEL_FILE_BAD},
        {"count beyond 32 bits",    false, "BOF 99999999999 1 0 0 0\n",                  MODEL_FILE_BAD},
        {"absurd vertex count",     false, "BOF 4000000000 1 0 0 0\n" + vertices3,       MODEL_FILE_TOO_SHORT},
        {"absurd frame count",      true,  "BAF 3 1 4294967295 0 0 0\n" + vertices3,     MODEL_FILE_TOO_SHORT},
        {"counts that overflow",    true,  "BAF 65536 0 65536 0 0 0\n",                  MODEL_FILE_TOO_SHORT},
        {"no frames",               true,  "BAF 3 1 0 0 0 0\n",                          MODEL_FILE_BAD},
        {"truncated vertex",        false, "BOF 3 1 0 0 0\n0 0 0 0 0 0\n1 1 0 0" + std::string(40, ' '),
                                                                                         MODEL_FILE_TOO_SHORT},
        {"vertex field not a real", false, "BOF 3 1 0 0 0\n0 0 0 0 0 0\n1 one 0 0 0 0\n2 0 1 0 0 0\n0 0 1 2",
                                                                                         MODEL_FILE_BAD},
        {"missing face",            false, "BOF 3 2 0 0 0\n" + vertices3 + "0 0 1 2\n", MODEL_FILE_TOO_SHORT},
        {"index equal to N",        false, "BOF 3 1 0 0 0\n" + vertices3 + "0 0 1 3\n", MODEL_FILE_BAD},
        {"index far out",           false, "BOF 3 1 0 0 0\n" + vertices3 + "0 0 4000000000 2\n", MODEL_FILE_BAD},
        {"negative index",          false, "BOF 3 1 0 0 0\n" + vertices3 + "0 0 -1 2\n", MODEL_FILE_BAD},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model = {};
        model.texture = 3;
        std::string detail;
        EXPECT_STREQ(load_text(c.text, c.animated, &model, &detail), c.failure);
        EXPECT_FALSE(detail.empty());
        expect_empty(model);
        EXPECT_EQ(model.frame_count, 0);
    }
}

TEST(ModelLoad, OddButReadableNumbers)
{
    Model model = {};
    std::string detail;
    const char* text =
        "LONGER_THAN_ELEVEN_CHARACTERS +3 1 1e99 -0 .5\n0 1e-99 -1E1 +2 0 0\n1 0 0 0 0 0\n"
        "2 0 0 0 0 0\n0 0 1 2";
    ASSERT_EQ(load_text(text, false, &model, &detail), nullptr) << detail;
    EXPECT_EQ(model.vertices[0].x, 0);
    EXPECT_EQ(model.vertices[0].y, -40960);
    EXPECT_EQ(model.vertices[0].z, 8192);
    free_model(&model);
}

TEST(ModelLoad, MissingFileIsReportedWithItsPath)
{
    platform_console_close();  // messages go straight to standard error
    Model model = {};
    model.texture = 2;
    ::testing::internal::CaptureStderr();
    load_baf_model("/nonexistent/dino.baf", &model);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(MODEL_FILE_NOT_FOUND), std::string::npos) << said;
    EXPECT_NE(said.find("/nonexistent/dino.baf"), std::string::npos) << said;
    expect_empty(model);
}

TEST(ModelLoad, FileLoaderReadsWhatTheMemoryEntryReads)
{
    const std::string path = ::testing::TempDir() + "korvel_triangle.bof";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("BOF 3 1 0 0 0\n0 0 0 0 0 0\n1 1 0 0 0 0\n2 0 1 0 0 0\n0 0 1 2\n", file);
    std::fclose(file);
    Model model = {};
    load_bof_model(path.c_str(), &model);
    EXPECT_EQ(model.face_count, 1);
    EXPECT_EQ(model.edge_count, 3);
    EXPECT_EQ(model.vertices[1].x, FIXED_ONE);
    free_model(&model);
    std::remove(path.c_str());
}
