// Thin wrappers over the test-only PNG reader and writer (3 bytes per pixel, red first).
#pragma once

// Null on failure; free with test_png_free.
unsigned char* test_png_load(const char* path, int* width, int* height);
void test_png_free(unsigned char* data);
// Non-zero on success.
int test_png_write(const char* path, int width, int height, const unsigned char* rgb);
