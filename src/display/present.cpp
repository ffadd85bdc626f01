// Presentation: conversion of the whole view, then one write of the cells.
#include "display/present.h"

#include "display/block_picture.h"
#include "display/cells.h"
#include "display/console_display.h"
#include "platform/console.h"

static bool display_ready()
{
    const ConsoleDisplay& d = console_display;
    return d.kind == DISPLAY_KIND_CONSOLE && d.characters != nullptr && d.attributes != nullptr;
}

void display_present(const uint32_t* canvas)
{
    if (!display_ready() || canvas == nullptr) {
        return;
    }
    // A screen still busy with the last frame skips this one: queued frames
    // would only make the picture lag the music.
    if (!platform_console_ready()) {
        return;
    }
    ConsoleDisplay& d = console_display;
    // The terminal decides how many of the grid's cells it can show; the
    // conversion fits the whole canvas into exactly those.
    int32_t view_columns = d.columns;
    int32_t view_rows = d.rows;
    platform_console_view(d.columns, d.rows, &view_columns, &view_rows);
    if (view_columns < 1 || view_rows < 1) {
        return;
    }
    if (view_columns > d.columns) {
        view_columns = d.columns;
    }
    if (view_rows > d.rows) {
        view_rows = d.rows;
    }
    d.view_columns = view_columns;
    d.view_rows = view_rows;
    cells_from_surface(0, 0, view_columns - 1, view_rows - 1, d.canvas_desc, canvas);
    if (d.blocks != 0) {
        block_picture_from_canvas(canvas, view_columns, 2 * view_rows);
    }
    display_flush();
}

void display_flush()
{
    if (!display_ready()) {
        return;
    }
    const ConsoleDisplay& d = console_display;
    if (d.blocks != 0) {
        platform_console_write_blocks(block_picture.pixels, block_picture.width, d.view_columns, d.view_rows);
        return;
    }
    // The attribute byte already is the console's attribute word (background
    // << 4 | foreground), so the arrays go out as they are, with no per-frame
    // record array.
    platform_console_write(d.characters, d.attributes, d.columns, d.view_columns, d.view_rows);
}
