// Pictures of the show: the cell grid, the canvas scaled up, and a contact sheet of timed tiles.
#include "runtime/export_pictures.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/framebuffer.h"
#include "display/cell_picture.h"
#include "gfx2d/png_write.h"

namespace {

constexpr int32_t SHEET_GAP = 8;
constexpr int32_t SHEET_LABEL_HEIGHT = 14;
constexpr uint8_t SHEET_GROUND[3] = {24, 24, 24};
constexpr uint8_t SHEET_INK[3] = {220, 220, 220};
constexpr int32_t LABEL_ADVANCE = 6;

void size_picture(RgbPicture* picture, int32_t width, int32_t height)
{
    picture->width = width;
    picture->height = height;
    picture->pixels.assign(static_cast<size_t>(width) * height * 3, 0);
}

void fill(RgbPicture* picture, const uint8_t colour[3])
{
    for (size_t i = 0; i < picture->pixels.size(); i += 3) {
        std::memcpy(&picture->pixels[i], colour, 3);
    }
}

void copy_tile(RgbPicture* into, const RgbPicture& tile, int32_t left, int32_t top)
{
    for (int32_t y = 0; y < tile.height; y++) {
        const uint8_t* from = &tile.pixels[static_cast<size_t>(y) * tile.width * 3];
        uint8_t* to = &into->pixels[(static_cast<size_t>(top + y) * into->width + left) * 3];
        std::memcpy(to, from, static_cast<size_t>(tile.width) * 3);
    }
}

// Each half block as a square of half a cell's width: the 160 x 50 grid
// gives the canvas itself at 640 x 400, the size of the cells' picture.
void picture_from_blocks(const RecordedFrame& frame, RgbPicture* picture)
{
    constexpr int32_t SIDE = CELL_PICTURE_CELL / 2;
    size_picture(picture, frame.columns * SIDE, 2 * frame.rows * SIDE);
    for (int32_t y = 0; y < picture->height; y++) {
        const uint32_t* row = frame.pixels + static_cast<size_t>(y / SIDE) * frame.columns;
        uint8_t* out = &picture->pixels[static_cast<size_t>(y) * picture->width * 3];
        for (int32_t x = 0; x < picture->width; x++, out += 3) {
            uint32_t pixel = row[x / SIDE];
            out[0] = static_cast<uint8_t>(pixel);
            out[1] = static_cast<uint8_t>(pixel >> 8);
            out[2] = static_cast<uint8_t>(pixel >> 16);
        }
    }
}

}  // namespace

void picture_from_cells(const RecordedFrame& frame, RgbPicture* picture)
{
    if (frame.pixels != nullptr) {
        return picture_from_blocks(frame, picture);
    }
    size_picture(picture, frame.columns * CELL_PICTURE_CELL, frame.rows * CELL_PICTURE_CELL);
    if (frame.columns > 0 && frame.rows > 0) {
        cells_to_picture(frame.characters, frame.attributes, frame.columns, frame.columns, frame.rows,
                         picture->pixels.data());
    }
}

void picture_from_canvas(const uint32_t* canvas, int32_t scale, RgbPicture* picture)
{
    size_picture(picture, CANVAS_WIDTH * scale, CANVAS_HEIGHT * scale);
    const auto* bytes = reinterpret_cast<const uint8_t*>(canvas);
    for (int32_t y = 0; y < picture->height; y++) {
        for (int32_t x = 0; x < picture->width; x++) {
            const uint8_t* pixel = bytes + (static_cast<size_t>(y / scale) * CANVAS_WIDTH + x / scale) * 4;
            std::memcpy(&picture->pixels[(static_cast<size_t>(y) * picture->width + x) * 3], pixel, 3);
        }
    }
}

void sheet_add(ContactSheet* sheet, const RgbPicture& cells, int32_t time_ms)
{
    RgbPicture tile;
    size_picture(&tile, cells.width / 2, cells.height / 2);
    for (int32_t y = 0; y < tile.height; y++) {
        for (int32_t x = 0; x < tile.width; x++) {
            for (int32_t c = 0; c < 3; c++) {
                auto at = [&](int32_t dx, int32_t dy) {
                    return cells.pixels[(static_cast<size_t>(2 * y + dy) * cells.width + 2 * x + dx) * 3 + c];
                };
                int32_t sum = at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1);
                tile.pixels[(static_cast<size_t>(y) * tile.width + x) * 3 + c] = static_cast<uint8_t>(sum / 4);
            }
        }
    }
    sheet->tiles.push_back(std::move(tile));
    sheet->times_ms.push_back(time_ms);
}

std::string time_label(int32_t time_ms)
{
    char text[32];
    int32_t seconds = time_ms / 1000;
    if (time_ms % 1000 == 0) {
        std::snprintf(text, sizeof(text), "%d:%02d", seconds / 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof(text), "%d:%02d.%03d", seconds / 60, seconds % 60, time_ms % 1000);
    }
    return text;
}

void sheet_size(int64_t count, int32_t tile_width, int32_t tile_height, int64_t* width, int64_t* height)
{
    int64_t columns = std::min<int64_t>(count, SHEET_COLUMNS);
    int64_t rows = columns > 0 ? (count + columns - 1) / columns : 0;
    *width = columns > 0 ? columns * (tile_width + SHEET_GAP) + SHEET_GAP : 0;
    *height = rows > 0 ? rows * (tile_height + SHEET_LABEL_HEIGHT + SHEET_GAP) + SHEET_GAP : 0;
}

void sheet_compose(const ContactSheet& sheet, RgbPicture* picture)
{
    int32_t count = static_cast<int32_t>(sheet.tiles.size());
    if (count == 0) {
        size_picture(picture, 0, 0);
        return;
    }
    int32_t tile_width = sheet.tiles[0].width;
    int32_t tile_height = sheet.tiles[0].height;
    int32_t columns = std::min(count, SHEET_COLUMNS);
    int32_t cell_width = tile_width + SHEET_GAP;
    int32_t cell_height = tile_height + SHEET_LABEL_HEIGHT + SHEET_GAP;
    int64_t width = 0;
    int64_t height = 0;
    sheet_size(count, tile_width, tile_height, &width, &height);
    size_picture(picture, static_cast<int32_t>(width), static_cast<int32_t>(height));
    fill(picture, SHEET_GROUND);
    for (int32_t i = 0; i < count; i++) {
        int32_t left = SHEET_GAP + (i % columns) * cell_width;
        int32_t top = SHEET_GAP + (i / columns) * cell_height;
        copy_tile(picture, sheet.tiles[static_cast<size_t>(i)], left, top);
        std::string label = time_label(sheet.times_ms[static_cast<size_t>(i)]);
        int32_t label_width = static_cast<int32_t>(label.size()) * LABEL_ADVANCE;
        picture_draw_label(picture->pixels.data(), picture->width, picture->height,
                           left + (tile_width - label_width) / 2, top + tile_height + 4, label.c_str(), SHEET_INK);
    }
}

int32_t write_png_picture(OutputFile* file, const RgbPicture& picture, std::string* why)
{
    std::vector<uint8_t> png;
    if (!png_encode_rgb(picture.pixels.data(), picture.width, picture.height, &png)) {
        output_file_abandon(file);
        *why = "the picture could not be encoded";
        return 0;
    }
    output_file_write(file, png.data(), png.size());
    return output_file_commit(file, why);
}
