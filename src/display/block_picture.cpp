// The canvas area-averaged to the block look's pixels: one pass across, one down.
#include "display/block_picture.h"

#include <algorithm>
#include <cstring>

BlockPicture block_picture = {};

namespace {

// Output pixel i of n covers source [i * source / n, (i + 1) * source / n):
// in units of 1 / n of a source pixel, [i * source, (i + 1) * source), and
// source pixel j covers [j * n, (j + 1) * n). The overlaps are the weights.
void size_axis(BlockAxis* axis, int32_t n, int32_t source)
{
    axis->length = n;
    axis->first.assign(static_cast<size_t>(n), 0);
    axis->count.assign(static_cast<size_t>(n), 0);
    axis->offset.assign(static_cast<size_t>(n), 0);
    axis->weight.clear();
    for (int32_t i = 0; i < n; i++) {
        int32_t begin = i * source;
        int32_t end = begin + source;
        int32_t j = begin / n;
        axis->first[static_cast<size_t>(i)] = j;
        axis->offset[static_cast<size_t>(i)] = static_cast<int32_t>(axis->weight.size());
        for (; j * n < end; j++) {
            int32_t overlap = std::min(end, (j + 1) * n) - std::max(begin, j * n);
            axis->weight.push_back(overlap);
        }
        axis->count[static_cast<size_t>(i)] =
            static_cast<int32_t>(axis->weight.size()) - axis->offset[static_cast<size_t>(i)];
    }
}

// Every canvas row reduced to the output's width: weighted sums per channel.
void pass_across(const BlockPicture& p, const uint8_t* canvas, int32_t* sums)
{
    const BlockAxis& a = p.across;
    for (int32_t y = 0; y < CANVAS_HEIGHT; y++) {
        const uint8_t* row = canvas + static_cast<size_t>(y) * CANVAS_PITCH;
        int32_t* out = sums + static_cast<size_t>(y) * a.length * 3;
        for (int32_t x = 0; x < a.length; x++) {
            const int32_t* weight = a.weight.data() + a.offset[static_cast<size_t>(x)];
            const uint8_t* pixel = row + static_cast<size_t>(a.first[static_cast<size_t>(x)]) * 4;
            int32_t red = 0;
            int32_t green = 0;
            int32_t blue = 0;
            for (int32_t k = 0; k < a.count[static_cast<size_t>(x)]; k++, pixel += 4) {
                red += weight[k] * pixel[0];
                green += weight[k] * pixel[1];
                blue += weight[k] * pixel[2];
            }
            out[3 * x] = red;
            out[3 * x + 1] = green;
            out[3 * x + 2] = blue;
        }
    }
}

// The sums of the rows each output row covers, divided by the whole weight.
void pass_down(BlockPicture* p, const int32_t* sums)
{
    const BlockAxis& d = p->down;
    int32_t width = p->across.length;
    // Weights across add up to CANVAS_WIDTH, down to CANVAS_HEIGHT: at most
    // 255 * 16,000 in a sum, well inside 32 bits.
    const int32_t total = CANVAS_WIDTH * CANVAS_HEIGHT;
    for (int32_t y = 0; y < d.length; y++) {
        const int32_t* weight = d.weight.data() + d.offset[static_cast<size_t>(y)];
        uint32_t* out = p->pixels + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; x++) {
            int32_t channel[3] = {0, 0, 0};
            for (int32_t k = 0; k < d.count[static_cast<size_t>(y)]; k++) {
                const int32_t* sum = sums + (static_cast<size_t>(d.first[static_cast<size_t>(y)] + k) * width + x) * 3;
                channel[0] += weight[k] * sum[0];
                channel[1] += weight[k] * sum[1];
                channel[2] += weight[k] * sum[2];
            }
            uint32_t red = static_cast<uint32_t>((channel[0] + total / 2) / total);
            uint32_t green = static_cast<uint32_t>((channel[1] + total / 2) / total);
            uint32_t blue = static_cast<uint32_t>((channel[2] + total / 2) / total);
            out[x] = red | green << 8 | blue << 16;
        }
    }
}

}  // namespace

void block_picture_from_canvas(const uint32_t* canvas, int32_t width, int32_t height)
{
    BlockPicture* p = &block_picture;
    width = std::clamp(width, 1, BLOCK_PICTURE_MAX_WIDTH);
    height = std::clamp(height, 1, BLOCK_PICTURE_MAX_HEIGHT);
    p->width = width;
    p->height = height;
    // The usual case, the canvas pixel for pixel: a copy.
    if (width == CANVAS_WIDTH && height == CANVAS_HEIGHT) {
        std::memcpy(p->pixels, canvas, sizeof(uint32_t) * CANVAS_PIXELS);
        return;
    }
    if (p->across.length != width || p->down.length != height) {
        size_axis(&p->across, width, CANVAS_WIDTH);
        size_axis(&p->down, height, CANVAS_HEIGHT);
        p->row_sums.assign(static_cast<size_t>(CANVAS_HEIGHT) * width * 3, 0);
    }
    pass_across(*p, reinterpret_cast<const uint8_t*>(canvas), p->row_sums.data());
    pass_down(p, p->row_sums.data());
}
