// The module's script: every sync byte with its time, position and meaning, then the show's length.
#pragma once
#include <cstdint>
#include <string>

// Writes the script of the module at music_path into *text. Returns 1, or 0
// with the reason (without the path) in *why.
int32_t list_script(const char* music_path, std::string* text, std::string* why);
