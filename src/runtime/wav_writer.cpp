// WAV files of 16-bit stereo at 44,100 Hz, written as the samples come.
#include "runtime/wav_writer.h"

#include <bit>

#include "runtime/module_player.h"

namespace {

// Samples go to the file as they lie in memory; WAV wants little-endian.
static_assert(std::endian::native == std::endian::little, "WAV samples are written from memory as they are");

constexpr int32_t CHANNELS = 2;
constexpr int32_t BYTES_PER_SAMPLE = 2;
constexpr int32_t BYTES_PER_FRAME = CHANNELS * BYTES_PER_SAMPLE;
// RIFF sizes are 32-bit: longer audio (6.7 hours) is cut at the last whole frame.
constexpr int64_t MAX_DATA_BYTES = (0xFFFFFFFFll - WAV_HEADER_BYTES) / BYTES_PER_FRAME * BYTES_PER_FRAME;

void put16(uint8_t* out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void put32(uint8_t* out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out + 2, value >> 16);
}

void put_tag(uint8_t* out, const char* tag)
{
    for (int32_t i = 0; i < 4; i++) {
        out[i] = static_cast<uint8_t>(tag[i]);
    }
}

void start_samples(WavWriter* wav)
{
    wav->frames = 0;
    uint8_t header[WAV_HEADER_BYTES];
    wav_header(wav->file.seekable != 0 ? 0 : MAX_DATA_BYTES / BYTES_PER_FRAME, header);
    output_file_write(&wav->file, header, sizeof(header));
}

}  // namespace

void wav_header(int64_t frames, uint8_t out[WAV_HEADER_BYTES])
{
    int64_t data = frames * BYTES_PER_FRAME;
    if (data > MAX_DATA_BYTES) {
        data = MAX_DATA_BYTES;
    }
    put_tag(out, "RIFF");
    put32(out + 4, static_cast<uint32_t>(data + WAV_HEADER_BYTES - 8));
    put_tag(out + 8, "WAVE");
    put_tag(out + 12, "fmt ");
    put32(out + 16, 16);
    put16(out + 20, 1);  // PCM
    put16(out + 22, CHANNELS);
    put32(out + 24, MUSIC_SAMPLE_RATE);
    put32(out + 28, MUSIC_SAMPLE_RATE * BYTES_PER_FRAME);
    put16(out + 32, BYTES_PER_FRAME);
    put16(out + 34, BYTES_PER_SAMPLE * 8);
    put_tag(out + 36, "data");
    put32(out + 40, static_cast<uint32_t>(data));
}

int32_t wav_open(WavWriter* wav, const char* path, std::string* why)
{
    if (!output_file_open(&wav->file, path, why)) {
        return 0;
    }
    start_samples(wav);
    return 1;
}

int32_t wav_open_scratch(WavWriter* wav, const char* near_path, std::string* why)
{
    if (!output_file_open_scratch(&wav->file, near_path, why)) {
        return 0;
    }
    start_samples(wav);
    return 1;
}

void wav_write(WavWriter* wav, const int16_t* samples, int64_t frames)
{
    int64_t room = MAX_DATA_BYTES / BYTES_PER_FRAME - wav->frames;
    if (frames > room) {
        frames = room;
    }
    if (frames <= 0) {
        return;
    }
    output_file_write(&wav->file, samples, static_cast<size_t>(frames) * BYTES_PER_FRAME);
    wav->frames += frames;
}

int32_t wav_finish(WavWriter* wav, std::string* why)
{
    uint8_t header[WAV_HEADER_BYTES];
    wav_header(wav->frames, header);
    output_file_patch(&wav->file, 0, header, sizeof(header));
    return output_file_commit(&wav->file, why);
}

void wav_abandon(WavWriter* wav)
{
    output_file_abandon(&wav->file);
}
