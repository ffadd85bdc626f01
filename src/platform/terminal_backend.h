// The terminal back end of the console operations (ANSI sequences, UTF-8 or ASCII).
#pragma once
#include <cstdint>
#include <string>

int32_t terminal_backend_open();
void terminal_backend_close();
void terminal_backend_set_window(int32_t columns, int32_t rows, int32_t fullscreen);
void terminal_backend_set_title(const char* title);
void terminal_backend_view(int32_t grid_columns, int32_t grid_rows, int32_t* view_columns, int32_t* view_rows);
void terminal_backend_write(const uint8_t* characters, const uint8_t* attributes, int32_t stride, int32_t view_columns,
                            int32_t view_rows);
// 1 when the message was queued for the close, 0 when the caller should write it now.
int32_t terminal_backend_queue_message(const std::string& line);
// Writes one message line (a line end added) to standard error.
void terminal_write_message(const std::string& line);
