// Reading a GML drawing file into its record.
#include <string>
#include <vector>

#include "graffiti/gml.h"
#include "platform/console.h"
#include "platform/files.h"

namespace {

// Far beyond any drawing that fits the record; a wrong path to a huge file
// is refused before it is read.
constexpr int64_t GML_FILE_LIMIT = 64 * 1024 * 1024;

}  // namespace

GmlLoad load_gml(const char* path, GmlDrawing* drawing)
{
    if (drawing == nullptr) {
        platform_console_message("NO GRAPH TO LOAD INTO!\n");
        return GML_LOAD_NO_DRAWING;
    }
    clear_gml(drawing);
    std::vector<uint8_t> bytes;
    std::string why;
    if (path == nullptr) {
        platform_console_message("ERROR!!! (none) NOT FOUND!!\n");
        return GML_LOAD_MISSING;
    }
    // The fixed text says only "not found": the reason after it tells a
    // directory, a pipe, a locked or an oversized file from a missing one.
    if (platform_read_file(path, GML_FILE_LIMIT, &bytes, &why) != FILE_READ_OK) {
        platform_console_message(std::string("ERROR!!! ") + path + " NOT FOUND!! (" + path + ": " + why + ")\n");
        return GML_LOAD_MISSING;
    }
    parse_gml(bytes.data(), bytes.size(), drawing);
    return GML_LOAD_OK;
}
