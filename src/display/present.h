// Showing one frame: the canvas converted into cells and handed to the console.
#pragma once
#include <cstdint>

// Converts the canvas (160 x 100 packed pixels) into the cells the console
// shows this frame and writes them. Does nothing before opening, when the cell
// arrays are missing or when canvas is null. Never waits.
void display_present(const uint32_t* canvas);

// Writes the cells of the last presented view to the console as one frame.
// Does nothing before opening or when the cell arrays are missing; a failed
// write is not reported (the next frame writes everything again).
void display_flush();
