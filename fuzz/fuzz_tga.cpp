// Fuzz harness: TGA pictures through the picture reader.
#include <vector>

#include "fuzz_target.h"
#include "gfx2d/image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);  // the reader may rewrite its buffer
    Image image = {};
    std::string why;
    read_tga_image(bytes.data(), bytes.size(), &image, &why);
    free_image(&image);
    return 0;
}
