// WAV files of 16-bit stereo at 44,100 Hz, written as the samples come.
#pragma once
#include <cstdint>
#include <string>

#include "platform/output_file.h"

constexpr int32_t WAV_HEADER_BYTES = 44;

struct WavWriter {
    OutputFile file;
    int64_t frames;  // stereo frames written so far
};

// The header of a file holding `frames` frames (little-endian RIFF/WAVE,
// PCM, 2 channels, 44,100 Hz, 16 bits).
void wav_header(int64_t frames, uint8_t out[WAV_HEADER_BYTES]);

// Opens the file (see output_file_open) with a header for no samples yet;
// a pipe, which cannot be patched at the end, gets the largest sizes.
// Returns 1, or 0 with the reason (without the path) in *why.
int32_t wav_open(WavWriter* wav, const char* path, std::string* why);

// The same for a temporary file beside near_path (null: in the system's
// temporary folder) that a helper program reads
// (its name: wav->file.temp_path); wav_finish completes it in place and
// wav_abandon removes it.
int32_t wav_open_scratch(WavWriter* wav, const char* near_path, std::string* why);

// Appends interleaved stereo frames.
void wav_write(WavWriter* wav, const int16_t* samples, int64_t frames);

// Writes the final sizes and moves the file into place. Returns 1, or 0 with
// the reason in *why and nothing under the final name.
int32_t wav_finish(WavWriter* wav, std::string* why);

// Removes the unfinished file. Safe when not open.
void wav_abandon(WavWriter* wav);
