// The meaning of a sync byte in the words of the timeline's command table.
#pragma once
#include <cstdint>
#include <string>

// E.g. 0x03 "scene 3 (T-rex)", 0x4F "flash, short blur, long blur, fade in",
// 0xFF "end of the show". Bytes that do nothing say "nothing".
std::string sync_command_words(uint8_t command);
