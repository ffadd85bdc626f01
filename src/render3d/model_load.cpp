// Parsing the text model formats into a model, with every count and index checked.
#include "render3d/model_load.h"

#include <vector>

#include "platform/console.h"
#include "platform/files.h"
#include "render3d/edge_table.h"
#include "render3d/model_text.h"

const char* const MODEL_FILE_NOT_FOUND = "EEEEEEEEEEEK!!!     file not found!!";
const char* const MODEL_FILE_UNREADABLE = "EEEEEEEEEEEK!!!     file cannot be read!!";
const char* const MODEL_FILE_TOO_SHORT = "EEEEEEEEEEEK!!!     file too short!!";
const char* const MODEL_FILE_BAD = "EEEEEEEEEEEK!!!     bad model file!!";
const char* const MODEL_FILE_NO_MEMORY = "EEEEEEEEEEEK!!!     not nuff mem!!";

namespace {

// The fewest bytes a vertex line ("0 0 0 0 0 0 ") and a face line
// ("0 0 0 0 ") can take: counts that need more than the file holds are
// refused before anything is allocated.
constexpr uint64_t VERTEX_LINE_MIN_BYTES = 12;
constexpr uint64_t FACE_LINE_MIN_BYTES = 8;
constexpr int32_t TEXCOORD_ONE = 32768;  // one texture width or height

struct ModelHeader {
    uint32_t vertex_count;
    uint32_t face_count;
    uint32_t frame_count;
};

// Names the failure of one token read.
const char* token_failure(TokenResult result, const char* what, std::string* detail)
{
    *detail = (result == TOKEN_MISSING ? "ends before " : "not a number: ") + std::string(what);
    return result == TOKEN_MISSING ? MODEL_FILE_TOO_SHORT : MODEL_FILE_BAD;
}

const char* read_header(TokenReader& reader, bool animated, ModelHeader* header, std::string* detail)
{
    std::string_view tag;
    if (next_token(reader, &tag) != TOKEN_OK) {
        *detail = "empty";
        return MODEL_FILE_TOO_SHORT;
    }
    TokenResult got = read_unsigned(reader, &header->vertex_count);
    if (got == TOKEN_OK) {
        got = read_unsigned(reader, &header->face_count);
    }
    header->frame_count = 1;
    if (got == TOKEN_OK && animated) {
        got = read_unsigned(reader, &header->frame_count);
    }
    float ignored = 0.0f;
    for (int i = 0; i < 3 && got == TOKEN_OK; i++) {
        got = read_real(reader, &ignored);
    }
    return got == TOKEN_OK ? nullptr : token_failure(got, "the header's counts and position", detail);
}

// Counts the bytes could never hold are refused here, which also keeps every
// product of counts far from overflowing.
const char* check_counts(const ModelHeader& h, size_t size, std::string* detail)
{
    if (h.frame_count == 0) {
        *detail = "no frames";
        return MODEL_FILE_BAD;
    }
    const uint64_t bytes = size;
    if (h.vertex_count > bytes || h.face_count > bytes || h.frame_count > bytes ||
        VERTEX_LINE_MIN_BYTES * h.vertex_count * h.frame_count + FACE_LINE_MIN_BYTES * h.face_count > bytes + 1) {
        *detail = std::to_string(h.vertex_count) + " vertices, " + std::to_string(h.face_count) + " faces and " +
                  std::to_string(h.frame_count) + " frames cannot fit in " + std::to_string(size) + " bytes";
        return MODEL_FILE_TOO_SHORT;
    }
    return nullptr;
}

const char* read_vertices(TokenReader& reader, Model* model, std::string* detail)
{
    const int64_t total = int64_t{model->vertex_count} * model->frame_count;
    for (int64_t i = 0; i < total; i++) {
        uint32_t number = 0;
        float value[5] = {};
        TokenResult got = read_unsigned(reader, &number);
        for (int k = 0; k < 5 && got == TOKEN_OK; k++) {
            got = read_real(reader, &value[k]);
        }
        if (got != TOKEN_OK) {
            return token_failure(got, ("vertex line " + std::to_string(i)).c_str(), detail);
        }
        ModelVertex& vertex = model->vertices[i];
        vertex.x = fixed_from_float(value[0]);
        vertex.y = fixed_from_float(value[1]);
        vertex.z = fixed_from_float(value[2]);
        vertex.u = mul_int_float(TEXCOORD_ONE, value[3]);
        vertex.v = mul_int_float(TEXCOORD_ONE, value[4]);
    }
    return nullptr;
}

const char* read_faces(TokenReader& reader, Model* model, std::string* detail)
{
    const auto limit = static_cast<uint32_t>(model->vertex_count);
    for (int32_t i = 0; i < model->face_count; i++) {
        uint32_t field[4] = {};
        TokenResult got = TOKEN_OK;
        for (int k = 0; k < 4 && got == TOKEN_OK; k++) {
            got = read_unsigned(reader, &field[k]);
        }
        if (got != TOKEN_OK) {
            return token_failure(got, ("face line " + std::to_string(i)).c_str(), detail);
        }
        if (field[1] >= limit || field[2] >= limit || field[3] >= limit) {
            *detail = "face " + std::to_string(i) + " names a vertex beyond " + std::to_string(limit);
            return MODEL_FILE_BAD;
        }
        model->faces[i].a = static_cast<int32_t>(field[1]);
        model->faces[i].b = static_cast<int32_t>(field[2]);
        model->faces[i].c = static_cast<int32_t>(field[3]);
    }
    return nullptr;
}

const char* parse_model(const uint8_t* bytes, size_t size, bool animated, Model* model, std::string* detail)
{
    TokenReader reader = token_reader(bytes, size);
    ModelHeader header = {};
    const char* failure = read_header(reader, animated, &header, detail);
    if (failure == nullptr) {
        failure = check_counts(header, size, detail);
    }
    if (failure != nullptr) {
        return failure;
    }
    if (!allocate_model(model, static_cast<int32_t>(header.vertex_count), static_cast<int32_t>(header.face_count),
                        static_cast<int32_t>(header.frame_count))) {
        *detail = "the vertex and face arrays";
        return MODEL_FILE_NO_MEMORY;
    }
    failure = read_vertices(reader, model, detail);
    if (failure == nullptr) {
        failure = read_faces(reader, model, detail);
    }
    if (failure == nullptr && !build_edge_table(model)) {
        *detail = "the edge list";
        failure = MODEL_FILE_NO_MEMORY;
    }
    return failure;
}

// The empty state every load starts from and every failure returns to.
void empty_model(Model* model)
{
    free_model(model);
    model->frame_count = 0;
    model->current_frame = 0;
    model->pos_x = model->pos_y = model->pos_z = 0.0f;
    model->yaw = model->pitch = model->roll = 0.0f;
}

const char* read_model(const uint8_t* bytes, size_t size, bool animated, Model* model, std::string* detail)
{
    empty_model(model);
    detail->clear();
    const char* failure = parse_model(bytes, size, animated, model, detail);
    if (failure != nullptr) {
        empty_model(model);
    }
    return failure;
}

void load_model_file(const char* path, bool animated, Model* model)
{
    std::vector<uint8_t> bytes;
    std::string detail;
    const char* failure = nullptr;
    const FileRead got = platform_read_file(path, MODEL_FILE_LIMIT, &bytes, &detail);
    if (got == FILE_READ_OK) {
        failure = read_model(bytes.data(), bytes.size(), animated, model, &detail);
    } else {
        empty_model(model);
        failure = got == FILE_READ_MISSING ? MODEL_FILE_NOT_FOUND : MODEL_FILE_UNREADABLE;
    }
    if (failure == nullptr) {
        return;
    }
    std::string line = std::string(failure) + " (" + path;
    if (!detail.empty()) {
        line += ": " + detail;
    }
    platform_console_message(line + ")");
}

}  // namespace

const char* read_bof_model(const uint8_t* bytes, size_t size, Model* model, std::string* detail)
{
    return read_model(bytes, size, false, model, detail);
}

const char* read_baf_model(const uint8_t* bytes, size_t size, Model* model, std::string* detail)
{
    return read_model(bytes, size, true, model, detail);
}

void load_bof_model(const char* path, Model* model)
{
    load_model_file(path, false, model);
}

void load_baf_model(const char* path, Model* model)
{
    load_model_file(path, true, model);
}
