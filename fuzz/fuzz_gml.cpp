// Fuzz harness: GML drawings through the reader.
#include <cstdlib>

#include "fuzz_target.h"
#include "graffiti/gml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Half a megabyte: on the heap, as the program keeps it.
    auto* drawing = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
    if (drawing == nullptr) {
        return 0;
    }
    parse_gml(data, size, drawing);
    std::free(drawing);
    return 0;
}
