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
#include "platform/data_folder.h"
#include "platform/frame_loop.h"
#include "platform/signals.h"
#include "runtime/asset_catalog.h"
#include "runtime/music.h"
#include "runtime/show.h"
#include "runtime/test_card.h"
#include "scenes/scene_prep.h"

int32_t stop_requested = 0;

namespace {

const char* const CONSOLE_TITLE = "KORVEL - alt+enter=fullscreen";
// The test card is still: a few frames a second keep its dither alive
// without spinning a core.
constexpr uint32_t TEST_CARD_FRAME_MS = 40;

// The one canvas, allocated by the first create_canvas; never freed.
Framebuffer* process_canvas = nullptr;

// An address no process maps; read through a volatile so that the compiler
// neither sees the constant nor drops the access.
volatile uintptr_t unmapped_address = 16;

void crash_for_test(int32_t how)
{
    if (how == TEST_CRASH_SEGV) {
        *reinterpret_cast<volatile int32_t*>(unmapped_address) = 1;
    }
    if (how == TEST_CRASH_ABORT) {
        std::abort();
    }
}

void run_test_card(Framebuffer* canvas, int32_t test_crash)
{
    draw_test_card(canvas);
    while (stop_requested == 0) {
        display_present(canvas->pixels);
        crash_for_test(test_crash);
        if (poll_stop_keys()) {
            stop_requested = 1;
        }
        platform_sleep_ms(TEST_CARD_FRAME_MS);
    }
}

}  // namespace

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
    if (process_canvas == nullptr) {
        process_canvas = static_cast<Framebuffer*>(std::calloc(1, sizeof(Framebuffer)));
    } else {
        std::memset(process_canvas, 0, sizeof(Framebuffer));
    }
    if (process_canvas != nullptr) {
        set_canvas(process_canvas);
    }
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
    Show show;
    show_start(&show, nullptr);
    // Escape or a shut-down signal during the intro leaves before anything loads.
    if (options.drawing_path != nullptr && play_graffiti_intro(options.drawing_path, options.fps) == INTRO_LEFT) {
        display_close();
        return 0;
    }
    load_assets();
    prepare_scenes();
    start_music(data_file_path(MUSIC_PATH).c_str());
    // The timeline's timers run on the frame delta, so the show keeps its
    // timing at any frame rate; pacing only spares the machine and the terminal.
    run_paced_frames(show_frame, &show, options.fps);
    free_assets();
    stop_music();
    display_close();
    return 0;
}
