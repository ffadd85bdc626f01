// Start-up, the main loop on the demo clock, and shut-down.
#include "runtime/entry.h"

#include <cstdlib>
#include <cstring>

#include "display/console_display.h"
#include "display/present.h"
#include "gfx2d/canvas.h"
#include "graffiti/graffiti_intro.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/frame_pacer.h"
#include "platform/keyboard.h"
#include "platform/signals.h"
#include "runtime/asset_catalog.h"
#include "runtime/music.h"
#include "runtime/test_card.h"
#include "runtime/timeline.h"
#include "scenes/scene_prep.h"

int32_t stop_requested = 0;
int32_t effect_time_ms = 0;

namespace {

const char* const CONSOLE_TITLE = "KORVEL - alt+enter=fullscreen";
// The test card is still: a few frames a second keep its dither alive
// without spinning a core.
constexpr uint32_t TEST_CARD_FRAME_MS = 40;

// Reads every key waiting: an Escape after a long paste still ends the loop
// at once, as a shut-down signal does.
void poll_stop_keys()
{
    if (platform_key_poll_all() == KEY_ESCAPE)
        stop_requested = 1;
    if (platform_stop_signalled())
        stop_requested = 1;
}

// The timeline's timers run on the frame delta, so the show keeps its timing
// at any frame rate; pacing only spares the machine and the terminal.
void run_main_loop(uint32_t start_tick, int32_t fps)
{
    FramePacer pacer;
    frame_pacer_start(&pacer, fps, start_tick);
    while (stop_requested == 0) {
        uint32_t now = platform_ticks_ms();
        int32_t elapsed = platform_ticks_elapsed(start_tick, now);
        set_effect_time(elapsed);
        run_timeline(elapsed);
        poll_stop_keys();
        if (stop_requested == 0)
            frame_pacer_wait(&pacer);
    }
}

// The one canvas, allocated by the first create_canvas; never freed.
Framebuffer* process_canvas = nullptr;

// An address no process maps; read through a volatile so that the compiler
// neither sees the constant nor drops the access.
volatile uintptr_t unmapped_address = 16;

void crash_for_test(int32_t how)
{
    if (how == TEST_CRASH_SEGV)
        *reinterpret_cast<volatile int32_t*>(unmapped_address) = 1;
    if (how == TEST_CRASH_ABORT)
        std::abort();
}

void run_test_card(Framebuffer* canvas, int32_t test_crash)
{
    draw_test_card(canvas);
    while (stop_requested == 0) {
        display_present(canvas->pixels);
        crash_for_test(test_crash);
        poll_stop_keys();
        platform_sleep_ms(TEST_CARD_FRAME_MS);
    }
}

}  // namespace

void set_effect_time(int32_t ms)
{
    effect_time_ms = ms;
}

// The display is opened twice so that the grid in force for the run is
// created after the window has been asked for its size.
Framebuffer* open_demo_display()
{
    Framebuffer* canvas = create_canvas();
    platform_console_set_title(CONSOLE_TITLE);
    console_set_window(80, 50, 1);
    display_open();
    return canvas;
}

Framebuffer* create_canvas()
{
    display_open();
    // Zeroed rather than left undefined: the first frames before any scene
    // draws show black instead of whatever the heap held. A later start-up in
    // the same process (a second rendering) clears the same canvas instead of
    // dropping it for a new one.
    if (process_canvas == nullptr)
        process_canvas = static_cast<Framebuffer*>(std::calloc(1, sizeof(Framebuffer)));
    else
        std::memset(process_canvas, 0, sizeof(Framebuffer));
    if (process_canvas != nullptr)
        set_canvas(process_canvas);
    return process_canvas;
}

int32_t run_demo(const DemoOptions& options)
{
    platform_signals_install();
    Framebuffer* canvas = open_demo_display();
    if (canvas == nullptr) {
        display_close();
        platform_console_message("korvel: out of memory for the canvas");
        return 1;
    }
    if (options.test_card) {
        run_test_card(canvas, options.test_crash);
        display_close();
        return 0;
    }
    // Escape or a shut-down signal during the intro leaves before anything loads.
    if (options.drawing_path != nullptr && play_graffiti_intro(options.drawing_path, options.fps) == INTRO_LEFT) {
        display_close();
        return 0;
    }
    load_assets();
    prepare_scenes();
    start_music(MUSIC_PATH);
    uint32_t start_tick = platform_ticks_ms();
    run_main_loop(start_tick, options.fps);
    free_assets();
    stop_music();
    display_close();
    return 0;
}
