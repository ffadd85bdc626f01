// Renders a module offline, as the demo plays it, and measures length, peak and loudness per order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct OrderLevel {
    int64_t frames;     // frames rendered while this order played
    double sum_square;  // of both channels' samples, full scale 1.0
};

struct RenderMeasure {
    std::vector<int16_t> samples;      // interleaved stereo, 44,100 Hz
    std::vector<uint8_t> syncs;        // every sync byte played, in order
    std::vector<int64_t> sync_frames;  // the frame at which each was seen
    std::vector<OrderLevel> orders;
    int64_t frames;  // until the song ended
    int32_t peak;    // largest sample magnitude
};

// Plays the module from start to end (at most `limit_seconds`). Returns 1, or 0 with the reason in *why.
int32_t render_measure(const char* path, int32_t limit_seconds, RenderMeasure* measure, std::string* why);

double level_dbfs(double amplitude);  // 20 log10 of a full-scale fraction
double order_rms_dbfs(const OrderLevel& level);

// A 16-bit stereo 44,100 Hz WAV file image.
std::vector<uint8_t> wav_image(const std::vector<int16_t>& samples);
