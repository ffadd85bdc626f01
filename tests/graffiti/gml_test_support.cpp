// Drawings for the graffiti tests: parsed from text or built point by point.
#include "gml_test_support.h"

std::unique_ptr<GmlDrawing> new_drawing()
{
    auto drawing = std::make_unique<GmlDrawing>();
    clear_gml(drawing.get());
    return drawing;
}

std::unique_ptr<GmlDrawing> parse_text(const std::string& text)
{
    auto drawing = new_drawing();
    parse_gml(reinterpret_cast<const uint8_t*>(text.data()), text.size(), drawing.get());
    return drawing;
}

void add_point(GmlDrawing* drawing, int32_t s, float x, float y, float time)
{
    if (drawing->stroke_count < s + 1)
        drawing->stroke_count = s + 1;
    GmlStroke& stroke = drawing->strokes[s];
    int32_t k = stroke.point_count++;
    stroke.points[k][0] = x;
    stroke.points[k][1] = y;
    stroke.points[k][2] = 0.0f;
    stroke.times[k] = time;
}
