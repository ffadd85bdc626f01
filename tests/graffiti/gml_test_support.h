// Drawings for the graffiti tests: parsed from text or built point by point.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "graffiti/gml.h"

// Half a megabyte each: on the heap, zeroed.
inline std::unique_ptr<GmlDrawing> new_drawing()
{
    auto drawing = std::make_unique<GmlDrawing>();
    clear_gml(drawing.get());
    return drawing;
}

inline std::unique_ptr<GmlDrawing> parse_text(const std::string& text)
{
    auto drawing = new_drawing();
    parse_gml(reinterpret_cast<const uint8_t*>(text.data()), text.size(), drawing.get());
    return drawing;
}

// Appends the point (x, y) at time to stroke s, opening strokes up to s.
inline void add_point(GmlDrawing* drawing, int32_t s, float x, float y, float time)
{
    drawing->stroke_count = drawing->stroke_count > s ? drawing->stroke_count : s + 1;
    GmlStroke& stroke = drawing->strokes[s];
    int32_t k = stroke.point_count++;
    stroke.points[k][0] = x;
    stroke.points[k][1] = y;
    stroke.times[k] = time;
}
