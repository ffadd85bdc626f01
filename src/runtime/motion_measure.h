// Watching the show from its canvas: stretches where the picture stands still or
// shows one flat colour, and the frames whose brightness jumps like a flash.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/framebuffer.h"

enum MotionKind : int32_t {
    MOTION_STILL = 0,  // the canvas barely changes from frame to frame
    MOTION_FLAT = 1,   // the canvas is one colour (black included)
};

// The longest each stretch may last.
constexpr int32_t STILL_LIMIT_MS = 1000;
constexpr int32_t READING_STILL_LIMIT_MS = 4000;  // credits, ending, curtain and slides held for reading
constexpr int32_t FLAT_LIMIT_MS = 500;
constexpr int32_t FINAL_FLAT_LIMIT_MS = 1000;  // the closed curtain before the end
// Shorter stretches are not worth a line.
constexpr int32_t STILL_REPORT_MS = 500;
constexpr int32_t FLAT_REPORT_MS = 250;
// A flash: the mean brightness moves by more than a tenth of full scale in one frame.
constexpr double FLASH_JUMP = 0.1;
// Full-screen flashes a second that viewers sensitive to flashing can take.
constexpr int32_t GENTLE_FLASHES_PER_SECOND = 3;

struct MotionStretch {
    MotionKind kind;
    int32_t start_ms;  // when the picture first showed
    int32_t end_ms;    // when it changed again (or the show ended)
    int32_t scene;     // the scene shown at the start
    int32_t limit_ms;
};

// One measurement over a show, fed one canvas per frame in time order.
struct MotionMeasure {
    std::vector<uint8_t> previous;  // last frame's red, green and blue
    double previous_brightness;
    int32_t frames;
    int32_t last_ms;
    int32_t still_start_ms;  // -1: the picture is moving
    int32_t still_scene;
    int32_t still_reading;  // every frame of the open still stretch shows a reading picture
    int32_t flat_start_ms;  // -1: not flat
    int32_t flat_scene;
    int32_t flat_colour[3];                // its mean colour
    std::vector<MotionStretch> stretches;  // closed ones, at least their report length
    std::vector<int32_t> flash_ms;         // frames whose brightness jumped
};

void motion_start(MotionMeasure* measure);

// Frame at demo time t_ms, showing scene number scene.
void motion_take(MotionMeasure* measure, const Framebuffer& canvas, int32_t t_ms, int32_t scene);

// Closes the open stretches at end_ms, when the show ended.
void motion_finish(MotionMeasure* measure, int32_t end_ms);

// The most flashes within any one second, and when that second starts.
int32_t motion_most_flashes(const MotionMeasure& measure, int32_t* at_ms);

// One line per stretch and a summary; *over counts the stretches over their limit.
std::string motion_report(const MotionMeasure& measure, int32_t* over);
