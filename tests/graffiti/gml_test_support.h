// Drawings for the graffiti tests, parsed from text or built point by point, and the canvas they draw on.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gfx2d/canvas.h"
#include "graffiti/gml.h"
#include "graffiti/gml_segments.h"

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

// Makes canvas, cleared to background, the one drawn on, with a pen that
// remembers no speed; returns the canvas to give back to restore_canvas.
inline Framebuffer* use_test_canvas(Framebuffer* canvas, uint32_t background)
{
    Framebuffer* saved = get_canvas();
    set_canvas(canvas);
    clear_canvas(background);
    gml_pen_memory = {0, 0};
    return saved;
}

inline void restore_canvas(Framebuffer* saved)
{
    set_pen_thickness(0);
    set_canvas(saved);
}
