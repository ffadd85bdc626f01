// The show in a web page: the page's script calls these once per audio block
// and once per animation frame; the picture follows the audio clock it hands in.
#include <cstdint>
#include <cstring>
#include <string>

#include "display/cell_picture.h"
#include "display/console_display.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/data_folder.h"
#include "platform/keyboard.h"
#include "platform/web/web_console.h"
#include "runtime/asset_catalog.h"
#include "runtime/console_probe.h"
#include "runtime/entry.h"
#include "runtime/music.h"
#include "runtime/show.h"
#include "scenes/picture_scenes.h"
#include "scenes/scene_prep.h"

namespace {

// Sync bytes rendered ahead of the ear wait here until their row is heard.
// The song holds a few hundred; the ring only needs the Web Audio lead's worth.
constexpr int32_t PENDING_CAPACITY = 1024;
// What the page's test reads: each byte with its row's frame and the show time it reached the timeline.
constexpr int32_t LOG_CAPACITY = 4096;

constexpr size_t PICTURE_PIXELS =
    static_cast<size_t>(CONSOLE_MAX_COLUMNS) * CONSOLE_MAX_ROWS * CELL_PICTURE_CELL * CELL_PICTURE_CELL;

struct PendingSync {
    uint8_t command;
    int64_t frame;  // the player's frame count when its row was seen
};

// Four int32 a record, as the page reads them.
struct LoggedSync {
    int32_t command;
    int32_t row_ms;
    int32_t delivered_ms;
    int32_t padding;
};

struct WebShow {
    int32_t loaded;  // assets and scenes are loaded once per page
    int32_t running;
    Show show;
    int64_t frame;
    PendingSync pending[PENDING_CAPACITY];
    int32_t pending_first;
    int32_t pending_count;
    LoggedSync log[LOG_CAPACITY];
    int32_t log_count;
    // The shown frame as a picture, then as the page's canvas takes it: red, green, blue, alpha.
    uint8_t rgb[PICTURE_PIXELS * 3];
    uint8_t rgba[PICTURE_PIXELS * 4];
};

// Lives for the page.
WebShow web = {};

void hold_sync(uint8_t command, int64_t frame, void*)
{
    if (web.pending_count == PENDING_CAPACITY) {
        return;  // a full ring drops, as the native queue does
    }
    web.pending[(web.pending_first + web.pending_count) % PENDING_CAPACITY] = PendingSync{command, frame};
    web.pending_count++;
}

void release_heard(int64_t heard_frame, int32_t t)
{
    while (web.pending_count > 0 && web.pending[web.pending_first].frame <= heard_frame) {
        const PendingSync& sync = web.pending[web.pending_first];
        on_music_sync(sync.command);
        if (web.log_count < LOG_CAPACITY) {
            int32_t row_ms = static_cast<int32_t>(sync.frame * 1000 / MUSIC_SAMPLE_RATE);
            web.log[web.log_count++] = LoggedSync{sync.command, row_ms, t, 0};
        }
        web.pending_first = (web.pending_first + 1) % PENDING_CAPACITY;
        web.pending_count--;
    }
}

// Block pixels hold red in the low byte, as the page's RGBA wants it; only
// the alpha byte is the page's own.
void draw_blocks()
{
    size_t pixels = static_cast<size_t>(web_cells.columns) * 2 * web_cells.rows;
    for (size_t i = 0; i < pixels; i++) {
        std::memcpy(web.rgba + i * 4, &web_cells.pixels[i], 3);
        web.rgba[i * 4 + 3] = 255;
    }
}

void draw_cells()
{
    int32_t columns = web_cells.columns;
    int32_t rows = web_cells.rows;
    cells_to_picture(web_cells.characters, web_cells.attributes, columns, columns, rows, web.rgb);
    size_t pixels = static_cast<size_t>(columns) * rows * CELL_PICTURE_CELL * CELL_PICTURE_CELL;
    for (size_t i = 0; i < pixels; i++) {
        std::memcpy(web.rgba + i * 4, web.rgb + i * 3, 3);
        web.rgba[i * 4 + 3] = 255;
    }
}

// The display is opened at every start, since the look chosen sets the grid:
// the display's own 80 x 50 cells, or for blocks the canvas's own pixels.
int32_t open_for_look(int32_t blocks)
{
    console_settings.look = blocks != 0 ? CONSOLE_LOOK_BLOCKS : CONSOLE_LOOK_CELLS;
    console_settings.grid_columns = blocks != 0 ? CONSOLE_AUTO_COLUMNS : DISPLAY_GRID_COLUMNS;
    console_settings.grid_rows = blocks != 0 ? CONSOLE_AUTO_ROWS : DISPLAY_GRID_ROWS;
    if (open_demo_display() == nullptr) {
        return 0;
    }
    if (web.loaded) {
        return 1;
    }
    load_assets();
    prepare_scenes();
    web.loaded = 1;
    return 1;
}

}  // namespace

extern "C" {

// Opens the display in the look chosen (blocks 1: half blocks, else cells),
// loads the show (once) and the music, and sets the show to its start on a
// clock the page moves. Returns 1, or 0 when the canvas or the module cannot
// be had (the reason goes to the browser's console).
int32_t korvel_web_start(int32_t blocks)
{
    if (!open_for_look(blocks)) {
        return 0;
    }
    module_player_unload(&music_state.player);
    std::string why;
    std::string music = data_file_path(MUSIC_PATH);
    if (!module_player_load_file(&music_state.player, music.c_str(), &why)) {
        platform_console_message("korvel: no music: " + music + ": " + why);
        return 0;
    }
    module_player_set_sync(&music_state.player, hold_sync, nullptr);
    web.pending_first = 0;
    web.pending_count = 0;
    web.log_count = 0;
    web.frame = 0;
    show_start(&web.show, nullptr);
    platform_clock_use_virtual(0);
    web.running = 1;
    return 1;
}

// Renders the next frames of the music, 16-bit stereo at 44,100 Hz, into
// samples. Returns the frames the song still had.
int32_t korvel_web_render(int16_t* samples, int32_t frames)
{
    return module_player_render(&music_state.player, samples, frames);
}

// One frame at show time t ms on the audio clock, heard_frame the music's
// frame playing now: the sync bytes heard by then reach the timeline, the
// frame is drawn. Returns 0 once the show has ended.
int32_t korvel_web_step(int32_t t, double heard_frame)
{
    if (!web.running) {
        return 0;
    }
    release_heard(static_cast<int64_t>(heard_frame), t);
    platform_clock_set(static_cast<uint32_t>(t));
    web.running = show_step(&web.show, web.frame++, t) ? 1 : 0;
    if (web_cells.frames > 0 && web_cells.blocks != 0) {
        draw_blocks();
    } else if (web_cells.frames > 0) {
        draw_cells();
    }
    return web.running;
}

// A key pressed on the page, as the terminal would have sent it.
void korvel_web_key(int32_t byte)
{
    char key = static_cast<char>(byte);
    platform_key_inject(&key, 1);
}

uint8_t* korvel_web_pixels()
{
    return web.rgba;
}

int32_t korvel_web_pixel_width()
{
    return web_cells.blocks != 0 ? web_cells.columns : web_cells.columns * CELL_PICTURE_CELL;
}

int32_t korvel_web_pixel_height()
{
    return web_cells.blocks != 0 ? 2 * web_cells.rows : web_cells.rows * CELL_PICTURE_CELL;
}

// Gentle mode (1): at most three full-screen flashes a second. Takes effect at once.
void korvel_web_set_gentle(int32_t gentle)
{
    flash_limits = gentle != 0 ? FLASH_LIMITS_GENTLE : FLASH_LIMITS_FULL;
}

// The sync bytes delivered since the start: four int32 each (command, row
// ms, show ms when delivered, 0).
const LoggedSync* korvel_web_sync_log()
{
    return web.log;
}

int32_t korvel_web_sync_count()
{
    return web.log_count;
}

// Test hook: the show on the virtual clock up to ms at fps, as the native console
// probe runs it; the shown cells are written to path. Returns 0 on success.
int32_t korvel_web_probe(int32_t ms, int32_t fps, const char* path)
{
    DemoOptions options = {};
    options.fps = fps;
    // The probe loads and frees the assets itself: the show loads them again.
    // It shows the native probe's frame: cells, all the flashes.
    web.loaded = 0;
    console_settings.look = CONSOLE_LOOK_CELLS;
    flash_limits = FLASH_LIMITS_FULL;
    web.running = 0;
    return run_console_probe(options, ms, path);
}

}  // extern "C"
