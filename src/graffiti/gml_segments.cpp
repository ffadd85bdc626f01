// What the two ways of drawing a GML drawing share: its segments' measures and the pens' memory.
#include "graffiti/gml_segments.h"

#include <cmath>

GmlPenMemory gml_pen_memory = {0, 0};

GmlSegment gml_segment(const GmlStroke& stroke, int32_t j)
{
    const float* a = stroke.points[j];
    const float* b = stroke.points[j + 1];
    GmlSegment segment;
    segment.dist =
        std::fabs(GML_SCALE_X * a[0] - GML_SCALE_X * b[0]) + std::fabs(GML_SCALE_X * a[1] - GML_SCALE_X * b[1]);
    segment.dt = std::fabs(stroke.times[j + 1] - stroke.times[j]);
    segment.speed = segment.dist / segment.dt / 50.0f;
    return segment;
}

int32_t gml_stroke_count(const GmlDrawing& drawing)
{
    if (drawing.stroke_count < 0) {
        return 0;
    }
    return drawing.stroke_count < GML_MAX_STROKES ? drawing.stroke_count : GML_MAX_STROKES;
}

int32_t gml_point_count(const GmlStroke& stroke)
{
    if (stroke.point_count < 0) {
        return 0;
    }
    return stroke.point_count < GML_MAX_POINTS ? stroke.point_count : GML_MAX_POINTS;
}

int32_t truncate_to_int(float value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483648.0f) {
        return INT32_MAX;
    }
    if (value <= -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}
