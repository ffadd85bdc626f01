// The headless back end: frames kept in memory, the terminal never touched.
#pragma once
#include <cstdint>

void headless_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                    int32_t view_rows);
