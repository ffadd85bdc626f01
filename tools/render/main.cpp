// korvel-render: plays a module offline into a WAV file and prints its levels, or measures the framing of model shots.
#include <cstdio>
#include <string>

#include "render/framing_measure.h"
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

// One line a model shot: when, which scene and preset, how long, the share
// of its frames with the heads in the canvas and the canvas the models cover.
int32_t print_framing(const char* music_path)
{
    std::vector<ShotFraming> shots;
    std::string why;
    if (!measure_framing(music_path, &shots, &why)) {
        std::fprintf(stderr, "korvel-render: %s: %s\n", music_path, why.c_str());
        return 1;
    }
    std::printf("  time    scene preset frames  heads   cover least  most\n");
    for (const ShotFraming& shot : shots) {
        const int32_t tenths = shot.start_ms / 100;
        std::printf("%3d:%02d.%d  %3d  %4d  %5d  %5.1f %%  %4.1f %%  %4.1f  %4.1f\n", tenths / 600, tenths / 10 % 60,
                    tenths % 10, shot.scene, shot.preset, shot.frames, 100.0 * head_share(shot),
                    100.0 * mean_coverage(shot), 100.0 * shot.coverage_least, 100.0 * shot.coverage_most);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--framing") {
        return print_framing(argv[2]);
    }
    if (argc != 3) {
        std::fputs("usage: korvel-render MODULE.xm OUT.wav\n", stderr);
        std::fputs("       korvel-render --framing MODULE.xm   (where data/ is)\n", stderr);
        return 2;
    }
    RenderMeasure measure;
    std::string why;
    if (!render_measure(argv[1], LIMIT_SECONDS, &measure, &why)) {
        std::fprintf(stderr, "korvel-render: %s: %s\n", argv[1], why.c_str());
        return 1;
    }
    if (!write_wav(argv[2], measure)) {
        return 1;
    }
    std::printf("length %.2f s, peak %.2f dBFS, %zu sync bytes\n", measure.frames / 44100.0,
                level_dbfs(measure.peak / 32768.0), measure.syncs.size());
    for (size_t order = 0; order < measure.orders.size(); order++) {
        std::printf("order %2zu  rms %6.1f dBFS\n", order, order_rms_dbfs(measure.orders[order]));
    }
    return 0;
}
