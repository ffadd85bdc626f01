// Fuzz harness: headless raw pictures; the first two bytes choose the size the name would give.
#include <string>

#include "fuzz_target.h"
#include "gfx2d/image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    Image image = {};
    std::string detail;
    read_raw_image(data + 2, size - 2, data[0], data[1], &image, &detail);
    free_image(&image);
    return 0;
}
