// Drawing a GML drawing in real time with a colour, an offset, a scale and a width range.
#include "graffiti/draw_gml.h"

#include "gfx2d/canvas.h"
#include "graffiti/gml_segments.h"

namespace {

// A motionless segment gets the widest value (8); a slow one (w above 7)
// drops back to 7, as the recorded tags were drawn with.
float overlay_width_value(const GmlSegment& segment)
{
    float w = 0.0f;
    if (segment.dt != 0.0f) {
        w = segment.speed == 0.0f ? 7.0f : 7.0f / segment.speed;
    }
    return w <= 7.0f ? w + 1.0f : 7.0f;
}

// One quarter new, three quarters old.
float smooth_overlay_level(float v)
{
    float level = v * 0.25f + static_cast<float>(gml_pen_memory.overlay) * 0.75f;
    gml_pen_memory.overlay = truncate_to_int(level);
    return level;
}

}  // namespace

void draw_gml(const GmlDrawing* drawing, int32_t time_ms, float min_width, float max_width, uint32_t colour,
              int32_t offset_x, int32_t offset_y, float scale)
{
    if (drawing == nullptr) {
        return;
    }
    float seconds = static_cast<float>(time_ms) / 1000.0f;
    int32_t blue = static_cast<int32_t>(colour & 0xFF);
    int32_t green = static_cast<int32_t>((colour >> 8) & 0xFF);
    int32_t red = static_cast<int32_t>((colour >> 16) & 0xFF);
    for (int32_t s = 0; s < gml_stroke_count(*drawing); s++) {
        const GmlStroke& stroke = drawing->strokes[s];
        for (int32_t j = 0; j + 1 < gml_point_count(stroke); j++) {
            if (!(seconds >= stroke.times[j])) {
                continue;  // not due yet (or no time at all)
            }
            float level = smooth_overlay_level(overlay_width_value(gml_segment(stroke, j)));
            set_pen_thickness(truncate_to_int(min_width + level * (max_width - min_width)));
            const float* a = stroke.points[j];
            const float* b = stroke.points[j + 1];
            draw_line_bgr(truncate_to_int(a[0] * GML_SCALE_X * scale + offset_x),
                          truncate_to_int(a[1] * GML_SCALE_Y * scale + offset_y),
                          truncate_to_int(b[0] * GML_SCALE_X * scale + offset_x),
                          truncate_to_int(b[1] * GML_SCALE_Y * scale + offset_y), blue, green, red);
        }
    }
}
