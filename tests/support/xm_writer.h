// Small XM songs for tests: the module records of tools/xm with one square-wave instrument.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "xm/xm_file.h"

// A song of `channels` channels at speed 6, 125 BPM, with one looping square-wave instrument.
XmSong xm_song(int32_t channels);

void xm_effect(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t effect, uint8_t parameter);
void xm_sync(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t command);
void xm_note(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t note);

// Writes bytes to a fresh file under the system's temporary directory and returns its path.
std::string xm_write_temp(const std::vector<uint8_t>& bytes, const char* name);
