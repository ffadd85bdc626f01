// Plays the show offline through its own timeline and measures how each model shot frames its animals.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One shot: the frames from a scene selection or a cue to the next, while a model scene is drawn.
struct ShotFraming {
    int32_t start_ms;  // demo time of its first frame
    int32_t scene;
    int32_t preset;
    int32_t frames;
    int32_t head_frames;    // frames with every animal's head (the emblem: its whole name) inside the canvas
    double coverage_sum;    // the canvas share the models cover, summed over the frames
    double coverage_least;  // and its least and greatest single frame
    double coverage_most;
};

// Loads data/ from the working directory, plays the module at music_path at
// 30 frames a second and fills *shots in order. Returns 1, or 0 with the
// reason in *why. Loads and frees the show's assets: not while a show runs.
int32_t measure_framing(const char* music_path, std::vector<ShotFraming>* shots, std::string* why);

double head_share(const ShotFraming& shot);
double mean_coverage(const ShotFraming& shot);
