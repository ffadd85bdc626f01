// Still and flat stretches and brightness jumps, measured frame by frame from the canvas.
#include "runtime/motion_measure.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/export_pictures.h"

namespace {

// A pixel moved when one of its channels changed by more than this.
constexpr int32_t MOVED_CHANNEL = 16;
// A frame is still when fewer pixels than this moved and the mean channel
// change stays under STILL_MEAN_CHANGE: a fade moves every pixel a little,
// a small drawing a few pixels a lot; either counts as change.
constexpr int32_t STILL_MOVED_PIXELS = CANVAS_PIXELS / 200;
constexpr double STILL_MEAN_CHANGE = 1.0;
// A frame is flat when all but 1 / FLAT_OUTLIER_DIVISOR of its pixels lie
// within FLAT_SPREAD of the mean colour in every channel.
constexpr int32_t FLAT_SPREAD = 24;
constexpr int32_t FLAT_OUTLIER_DIVISOR = 50;

// The pictures held for reading: credits, ending and slides, and the
// curtain, which closes over the ending without redrawing it.
bool reading_scene(int32_t scene)
{
    return scene == 6 || scene == 10 || scene == 11 || scene == 15;
}

int32_t channel(uint32_t pixel, int32_t c)
{
    return static_cast<int32_t>((pixel >> (8 * c)) & 0xFF);
}

// Whether the canvas is one colour; *colour gets its mean.
bool frame_is_flat(const Framebuffer& canvas, int32_t colour[3])
{
    int64_t sum[3] = {0, 0, 0};
    for (uint32_t pixel : canvas.pixels) {
        for (int32_t c = 0; c < 3; c++) {
            sum[c] += channel(pixel, c);
        }
    }
    int32_t* mean = colour;
    for (int32_t c = 0; c < 3; c++) {
        mean[c] = static_cast<int32_t>(sum[c] / CANVAS_PIXELS);
    }
    int32_t outliers = 0;
    for (uint32_t pixel : canvas.pixels) {
        for (int32_t c = 0; c < 3; c++) {
            if (std::abs(channel(pixel, c) - mean[c]) > FLAT_SPREAD) {
                outliers++;
                break;
            }
        }
    }
    return outliers <= CANVAS_PIXELS / FLAT_OUTLIER_DIVISOR;
}

// Compares with the previous frame and keeps this one in its place.
bool frame_is_still(MotionMeasure* m, const Framebuffer& canvas, double* brightness)
{
    int64_t change = 0;
    int64_t light = 0;
    int32_t moved = 0;
    uint8_t* previous = m->previous.data();
    for (uint32_t pixel : canvas.pixels) {
        int32_t largest = 0;
        for (int32_t c = 0; c < 3; c++) {
            int32_t value = channel(pixel, c);
            int32_t d = std::abs(value - previous[c]);
            largest = d > largest ? d : largest;
            change += d;
            light += value;
            previous[c] = static_cast<uint8_t>(value);
        }
        moved += largest > MOVED_CHANNEL;
        previous += 3;
    }
    *brightness = static_cast<double>(light) / (3.0 * 255.0 * CANVAS_PIXELS);
    return moved < STILL_MOVED_PIXELS && static_cast<double>(change) / (3.0 * CANVAS_PIXELS) < STILL_MEAN_CHANGE;
}

void close_stretch(MotionMeasure* m, MotionKind kind, int32_t start_ms, int32_t end_ms, int32_t scene, int32_t limit)
{
    int32_t report = kind == MOTION_STILL ? STILL_REPORT_MS : FLAT_REPORT_MS;
    if (end_ms - start_ms >= report) {
        m->stretches.push_back(MotionStretch{kind, start_ms, end_ms, scene, limit});
    }
}

void close_still(MotionMeasure* m, int32_t end_ms)
{
    if (m->still_start_ms < 0) {
        return;
    }
    int32_t limit = m->still_reading != 0 ? READING_STILL_LIMIT_MS : STILL_LIMIT_MS;
    close_stretch(m, MOTION_STILL, m->still_start_ms, end_ms, m->still_scene, limit);
    m->still_start_ms = -1;
}

void close_flat(MotionMeasure* m, int32_t end_ms, int32_t limit)
{
    if (m->flat_start_ms < 0) {
        return;
    }
    close_stretch(m, MOTION_FLAT, m->flat_start_ms, end_ms, m->flat_scene, limit);
    m->flat_start_ms = -1;
}

std::string seconds_text(int32_t ms)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%.2f s", ms / 1000.0);
    return text;
}

}  // namespace

void motion_start(MotionMeasure* m)
{
    *m = MotionMeasure{};
    m->previous.assign(static_cast<size_t>(CANVAS_PIXELS) * 3, 0);
    m->still_start_ms = -1;
    m->flat_start_ms = -1;
}

void motion_take(MotionMeasure* m, const Framebuffer& canvas, int32_t t_ms, int32_t scene)
{
    double brightness = 0.0;
    bool still = frame_is_still(m, canvas, &brightness) && m->frames > 0;
    if (m->frames > 0 && std::abs(brightness - m->previous_brightness) > FLASH_JUMP) {
        m->flash_ms.push_back(t_ms);
    }
    if (!still) {
        close_still(m, t_ms);
    } else if (m->still_start_ms < 0) {
        // The picture that stands still first showed on the previous frame.
        m->still_start_ms = m->last_ms;
        m->still_scene = scene;
        m->still_reading = reading_scene(scene);
    } else if (!reading_scene(scene)) {
        m->still_reading = 0;
    }
    // A new colour is a new flat stretch: a slow strobe is not one long flat screen.
    int32_t colour[3];
    bool flat = frame_is_flat(canvas, colour);
    bool same_colour = true;
    for (int32_t c = 0; c < 3; c++) {
        same_colour = same_colour && std::abs(colour[c] - m->flat_colour[c]) <= FLAT_SPREAD;
    }
    if (!flat || !same_colour) {
        close_flat(m, t_ms, FLAT_LIMIT_MS);
    }
    if (flat && m->flat_start_ms < 0) {
        m->flat_start_ms = t_ms;
        m->flat_scene = scene;
        for (int32_t c = 0; c < 3; c++) {
            m->flat_colour[c] = colour[c];
        }
    }
    m->previous_brightness = brightness;
    m->last_ms = t_ms;
    m->frames++;
}

void motion_finish(MotionMeasure* m, int32_t end_ms)
{
    close_still(m, end_ms);
    close_flat(m, end_ms, FINAL_FLAT_LIMIT_MS);
}

int32_t motion_most_flashes(const MotionMeasure& m, int32_t* at_ms)
{
    int32_t most = 0;
    *at_ms = 0;
    size_t first = 0;
    for (size_t last = 0; last < m.flash_ms.size(); last++) {
        while (m.flash_ms[last] - m.flash_ms[first] >= 1000) {
            first++;
        }
        int32_t count = static_cast<int32_t>(last - first + 1);
        if (count > most) {
            most = count;
            *at_ms = m.flash_ms[first];
        }
    }
    return most;
}

std::string motion_report(const MotionMeasure& m, int32_t* over)
{
    std::string text;
    *over = 0;
    for (const MotionStretch& s : m.stretches) {
        int32_t length = s.end_ms - s.start_ms;
        bool too_long = length > s.limit_ms;
        *over += too_long;
        char line[160];
        std::snprintf(line, sizeof(line), "%-5s %9s - %-9s %7s  scene %2d  limit %s%s\n",
                      s.kind == MOTION_STILL ? "still" : "flat", time_label(s.start_ms).c_str(),
                      time_label(s.end_ms).c_str(), seconds_text(length).c_str(), s.scene,
                      seconds_text(s.limit_ms).c_str(), too_long ? "  OVER" : "");
        text += line;
    }
    int32_t at_ms = 0;
    int32_t most = motion_most_flashes(m, &at_ms);
    char summary[200];
    std::snprintf(summary, sizeof(summary),
                  "%d frames, %d stretches over their limit; %zu flashes, at most %d in a second (from %s)\n", m.frames,
                  *over, m.flash_ms.size(), most, time_label(at_ms).c_str());
    return text + summary;
}
