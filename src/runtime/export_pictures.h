// Pictures of the show: the cell grid, the canvas scaled up, and a contact sheet of timed tiles.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/output_file.h"

// A picture of 3-byte pixels (red first), row-major.
struct RgbPicture {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;
};

constexpr int32_t CANVAS_SHOT_SCALE = 4;
constexpr int32_t SHEET_COLUMNS = 6;
// A larger sheet takes gigabytes and minutes to make and no viewer shows it
// whole: about 880 tiles of the 80 x 50 grid.
constexpr int64_t SHEET_PIXEL_LIMIT = 64 * 1000 * 1000;

// The cells as drawn with 8 x 8 glyphs: 640 x 400 for the 80 x 50 grid; a
// block frame's pixels as 4 x 4 squares: 640 x 400 for its 160 x 50 grid.
void picture_from_cells(const RecordedFrame& frame, RgbPicture* picture);

// The 160 x 100 canvas (red in byte 0 of each pixel), each pixel a scale x scale block.
void picture_from_canvas(const uint32_t* canvas, int32_t scale, RgbPicture* picture);

// The tiles of a contact sheet, each with its demo time.
struct ContactSheet {
    std::vector<RgbPicture> tiles;  // half the cell picture's size
    std::vector<int32_t> times_ms;
};

// Adds a cell picture, halved (each 2 x 2 block averaged), with its time.
void sheet_add(ContactSheet* sheet, const RgbPicture& cells, int32_t time_ms);

// The width and height sheet_compose gives count tiles of the size given.
void sheet_size(int64_t count, int32_t tile_width, int32_t tile_height, int64_t* width, int64_t* height);

// Lays the tiles SHEET_COLUMNS to a row on a dark ground, each with its time
// ("m:ss") under it. An empty sheet gives an empty picture.
void sheet_compose(const ContactSheet& sheet, RgbPicture* picture);

// The time as a label: "m:ss", or "m:ss.mmm" when it is not a whole second.
std::string time_label(int32_t time_ms);

// Encodes the picture as PNG into the open file and moves it into place.
// Returns 1, or 0 with the reason in *why and nothing under the final name.
int32_t write_png_picture(OutputFile* file, const RgbPicture& picture, std::string* why);
