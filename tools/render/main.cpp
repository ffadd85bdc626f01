// korvel-render: plays a module offline into a WAV file and prints its length, peak and level per order.
#include <cstdio>

#include "render/render_measure.h"

namespace {

constexpr int32_t LIMIT_SECONDS = 600;

int32_t write_wav(const char* path, const RenderMeasure& measure)
{
    std::vector<uint8_t> wav = wav_image(measure.samples);
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "korvel-render: %s: cannot be created\n", path);
        return 0;
    }
    size_t wrote = std::fwrite(wav.data(), 1, wav.size(), file);
    if (std::fclose(file) != 0 || wrote != wav.size()) {
        std::fprintf(stderr, "korvel-render: %s: write error\n", path);
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvel-render MODULE.xm OUT.wav\n");
        return 2;
    }
    RenderMeasure measure;
    std::string why;
    if (!render_measure(argv[1], LIMIT_SECONDS, &measure, &why)) {
        std::fprintf(stderr, "korvel-render: %s: %s\n", argv[1], why.c_str());
        return 1;
    }
    if (!write_wav(argv[2], measure))
        return 1;
    std::printf("length %.2f s, peak %.2f dBFS, %zu sync bytes\n", measure.frames / 44100.0,
                level_dbfs(measure.peak / 32768.0), measure.syncs.size());
    for (size_t order = 0; order < measure.orders.size(); order++)
        std::printf("order %2zu  rms %6.1f dBFS\n", order, order_rms_dbfs(measure.orders[order]));
    return 0;
}
