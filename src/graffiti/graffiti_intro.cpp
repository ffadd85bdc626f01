// The intro: a drawing named on the command line replayed stroke by stroke for 16 seconds.
#include "graffiti/graffiti_intro.h"

#include <cmath>
#include <cstdlib>

#include "display/present.h"
#include "gfx2d/canvas.h"
#include "graffiti/gml_segments.h"
#include "platform/clock.h"
#include "platform/frame_loop.h"
#include "platform/keyboard.h"
#include "platform/signals.h"

namespace {

constexpr float INTRO_MS_PER_RECORDED_SECOND = 500.0f;  // double speed
constexpr int32_t INTRO_GREY = 200;
constexpr uint32_t KEY_WAIT_POLL_MS = 10;

// Between 0 and 1, once every 2 pi / 0.002 ms (about 3.1 s); the library's
// double sine, not the table sine of the renderer.
float intro_pulse(int32_t t)
{
    return static_cast<float>((std::sin(0.002 * t) + 1.0) * 0.5);
}

// A motionless or instantaneous segment gets 0, a fast one less than 8.
float intro_width_value(const GmlSegment& segment)
{
    if (segment.dt == 0.0f || segment.speed == 0.0f) {
        return 0.0f;
    }
    float w = 8.0f / segment.speed;
    return w > 8.0f ? 8.0f : w;
}

// Half new, half old.
float smooth_intro_level(float w)
{
    float level = static_cast<float>(gml_pen_memory.intro) * 0.5f + w * 0.5f;
    gml_pen_memory.intro = truncate_to_int(level);
    return level;
}

void draw_intro_segment(const GmlStroke& stroke, int32_t j, float pulse)
{
    float level = smooth_intro_level(intro_width_value(gml_segment(stroke, j)));
    set_pen_thickness(truncate_to_int(level * pulse));
    const float* a = stroke.points[j];
    const float* b = stroke.points[j + 1];
    draw_line_bgr(truncate_to_int(GML_SCALE_X * a[0]), truncate_to_int(GML_SCALE_Y * a[1]),
                  truncate_to_int(GML_SCALE_X * b[0]), truncate_to_int(GML_SCALE_Y * b[1]), INTRO_GREY, INTRO_GREY,
                  INTRO_GREY);
}

struct IntroPlay {
    const GmlDrawing* drawing;
    IntroResult result;
};

// The intro's own step on the frame loop.
bool intro_step(void* state, int64_t, int32_t t)
{
    auto* play = static_cast<IntroPlay*>(state);
    if (t >= static_cast<int32_t>(INTRO_LENGTH_MS)) {
        return false;
    }
    draw_intro_frame(play->drawing, t);
    display_present(get_canvas()->pixels);
    if (poll_stop_keys()) {
        play->result = INTRO_LEFT;
    }
    return play->result == INTRO_FINISHED;
}

}  // namespace

void draw_intro_frame(const GmlDrawing* drawing, int32_t t)
{
    float pulse = intro_pulse(t);
    clear_canvas(0);
    if (drawing == nullptr) {
        return;
    }
    float due = static_cast<float>(t);
    for (int32_t s = 0; s < gml_stroke_count(*drawing); s++) {
        const GmlStroke& stroke = drawing->strokes[s];
        for (int32_t j = 0; j + 1 < gml_point_count(stroke); j++) {
            if (due >= INTRO_MS_PER_RECORDED_SECOND * stroke.times[j]) {
                draw_intro_segment(stroke, j, pulse);
            }
        }
    }
}

IntroResult wait_for_key_after_error(int32_t interactive)
{
    if (interactive == 0) {
        return INTRO_FINISHED;
    }
    for (;;) {
        int32_t key = platform_key_poll();
        if (key == KEY_ESCAPE || platform_stop_signalled() != 0) {
            return INTRO_LEFT;
        }
        if (key != KEY_NONE) {
            return INTRO_FINISHED;
        }
        platform_sleep_ms(KEY_WAIT_POLL_MS);
    }
}

IntroResult play_graffiti_intro(const char* path, int32_t fps)
{
    // Half a megabyte: on the heap for the intro's duration, not the stack.
    // Without it load_gml reports that there is nothing to load into.
    auto* drawing = static_cast<GmlDrawing*>(std::calloc(1, sizeof(GmlDrawing)));
    IntroResult result = INTRO_FINISHED;
    if (load_gml(path, drawing) != GML_LOAD_OK) {
        result = wait_for_key_after_error(platform_keyboard_interactive());
    }
    IntroPlay play = {drawing, result};
    if (result == INTRO_FINISHED) {
        clear_canvas_rgb(0, 0, 0);
        run_paced_frames(intro_step, &play, fps);
    }
    std::free(drawing);
    return play.result;
}
