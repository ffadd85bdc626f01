// The PNG reader and writer used by the golden checks, kept apart from the engine's own decoder.
// Both are compiled with internal linkage (STBI_STATIC / STBIW_STATIC) so they
// can never collide with the engine's copy of the reader in a test program.
#include "support/stb_for_tests.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

unsigned char* test_png_load(const char* path, int* width, int* height)
{
    int components = 0;
    return stbi_load(path, width, height, &components, 3);
}

void test_png_free(unsigned char* data)
{
    stbi_image_free(data);
}

int test_png_write(const char* path, int width, int height, const unsigned char* rgb)
{
    return stbi_write_png(path, width, height, 3, rgb, width * 3);
}
