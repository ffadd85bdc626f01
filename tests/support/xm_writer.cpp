// Small XM songs for tests: the module records of tools/xm with one square-wave instrument.
#include "xm_writer.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t SQUARE_LENGTH = 32;  // one period of the instrument's wave
constexpr int16_t SQUARE_LEVEL = 16384;

XmInstrument square_instrument()
{
    XmInstrument instrument = {};
    instrument.name = "square";
    instrument.sample.name = "square";
    for (int32_t i = 0; i < SQUARE_LENGTH; i++) {
        instrument.sample.data.push_back(i < SQUARE_LENGTH / 2 ? SQUARE_LEVEL : -SQUARE_LEVEL);
    }
    instrument.sample.loop_length = SQUARE_LENGTH;
    instrument.sample.loop_type = 1;
    instrument.sample.volume = 48;
    instrument.sample.panning = 128;
    return instrument;
}

}  // namespace

XmSong xm_song(int32_t channels)
{
    XmSong song = xm_empty_song(channels);
    song.name = "test song";
    song.instruments.push_back(square_instrument());
    return song;
}

void xm_effect(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t effect, uint8_t parameter)
{
    XmCell* cell = xm_cell(song, pattern, row, channel);
    cell->effect = effect;
    cell->parameter = parameter;
}

void xm_sync(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t command)
{
    xm_effect(song, pattern, row, channel, XM_EFFECT_SYNC, command);
}

void xm_note(XmSong* song, int32_t pattern, int32_t row, int32_t channel, uint8_t note)
{
    XmCell* cell = xm_cell(song, pattern, row, channel);
    cell->note = note;
    cell->instrument = 1;
}

std::string xm_write_temp(const std::vector<uint8_t>& bytes, const char* name)
{
    const char* base = std::getenv("TMPDIR");
    std::string path = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/korvel-" +
                       std::to_string(static_cast<long>(getpid())) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return path;
    }
    if (!bytes.empty()) {  // an empty vector's data() may be null, which fwrite must not get
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
    std::fclose(file);
    return path;
}
