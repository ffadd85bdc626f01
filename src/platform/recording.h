// The recording console driver: every presented frame encoded into the bytes a terminal would be sent.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "platform/block_output.h"
#include "platform/console.h"

// Receives one presented frame's terminal bytes (length 0 when nothing
// changed since the last frame). The bytes stay valid until the next frame.
typedef void (*RecordingSink)(const char* bytes, int32_t length, void* user);

extern const ConsoleDriver RECORDING_CONSOLE_DRIVER;

// The grid of a recording when --grid asks for none: it keeps the picture's
// shape in players whose cells are twice as tall as wide.
constexpr int32_t RECORDING_COLUMNS = CANVAS_WIDTH;
constexpr int32_t RECORDING_ROWS = CANVAS_HEIGHT / 2;

// Where the frames go (null: they are only kept as the last frame). Set
// before the display opens; stays until changed.
void platform_recording_set_sink(RecordingSink sink, void* user);

// The block colours of a recording in the block look: it is replayed on some
// other terminal later, so "auto" means 24-bit; 16 colours or none cannot
// show blocks (BLOCK_COLOURS_NONE: the recording shows cells).
BlockColours platform_recording_block_colours(ConsoleColours requested);

// The cells (or, in the block look, the pixels) of the last presented frame (0 x 0 before the first). Valid
// until the next frame.
RecordedFrame platform_recording_last_frame();
