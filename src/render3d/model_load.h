// The .bof (one frame) and .baf (animated) text model loaders.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "render3d/model.h"

// The texts a failed load reports, followed by the path and a detail.
extern const char* const MODEL_FILE_NOT_FOUND;   // cannot be opened
extern const char* const MODEL_FILE_UNREADABLE;  // opened, but not read whole
extern const char* const MODEL_FILE_TOO_SHORT;   // ends before its counts are met
extern const char* const MODEL_FILE_BAD;         // a token that is no number, an index out of range
extern const char* const MODEL_FILE_NO_MEMORY;   // the arrays cannot be allocated

// A model file is refused above this size before anything is read.
constexpr int64_t MODEL_FILE_LIMIT = 64 << 20;

// The in-memory entries: parse a whole file's bytes into model. Return null
// on success; on failure the model is left empty (zero counts, null arrays,
// texture -1, frame count 0) and the result is one of the texts above, with
// *detail saying what was wrong. Whatever the bytes, nothing is read or
// written outside the arrays and the work is linear in the file's size.
const char* read_bof_model(const uint8_t* bytes, size_t size, Model* model, std::string* detail);
const char* read_baf_model(const uint8_t* bytes, size_t size, Model* model, std::string* detail);

// The file loaders of the asset catalog: read the file with
// platform_read_file and parse it as above. A failure leaves the model empty
// and sends "TEXT (path: detail)" to platform_console_message.
void load_bof_model(const char* path, Model* model);
void load_baf_model(const char* path, Model* model);
