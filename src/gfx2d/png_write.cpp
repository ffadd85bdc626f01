// PNG encoding of 3-byte pixels into memory (screenshots, contact sheets).
#include "gfx2d/png_write.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

void append_bytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

int32_t png_encode_rgb(const uint8_t* rgb, int32_t width, int32_t height, std::vector<uint8_t>* out)
{
    out->clear();
    if (width <= 0 || height <= 0) {
        return 0;
    }
    if (stbi_write_png_to_func(append_bytes, out, width, height, 3, rgb, width * 3) == 0) {
        out->clear();
        return 0;
    }
    return 1;
}
