// What the two ways of drawing a GML drawing share: its segments' measures and the pens' memory.
#pragma once
#include <cstdint>

#include "core/framebuffer.h"
#include "graffiti/gml.h"

// Points are recorded between 0 and 1 on each axis; the canvas's size in
// pixels scales them to it.
constexpr float GML_SCALE_X = static_cast<float>(CANVAS_WIDTH);
constexpr float GML_SCALE_Y = static_cast<float>(CANVAS_HEIGHT);

// The smoothed pen width each drawing operation carries from segment to
// segment, stroke to stroke and call to call. 0 when the program starts and
// never reset; lives for the whole run. Main thread only.
struct GmlPenMemory {
    int32_t intro;    // the intro's replay
    int32_t overlay;  // draw_gml
};

extern GmlPenMemory gml_pen_memory;

// One segment of a stroke, from point j to point j + 1, in canvas terms.
struct GmlSegment {
    float dist;   // |GML_SCALE_X dx| + |GML_SCALE_X dy|, the Manhattan length
    float dt;     // |time(j + 1) - time(j)|, seconds
    float speed;  // dist / dt / 50; meaningless when dt is 0
};

GmlSegment gml_segment(const GmlStroke& stroke, int32_t j);

// The counts as far as the record can hold them, whoever filled it.
int32_t gml_stroke_count(const GmlDrawing& drawing);
int32_t gml_point_count(const GmlStroke& stroke);

// Truncation toward zero, as every pixel position and width is made; a
// drawing's values come from a file, so NaN gives 0 and values beyond the
// 32-bit range stop at its ends instead of being undefined.
int32_t truncate_to_int(float value);
