// Drawings for the graffiti tests: parsed from text or built point by point.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "graffiti/gml.h"

// Half a megabyte each: on the heap, zeroed.
std::unique_ptr<GmlDrawing> new_drawing();

std::unique_ptr<GmlDrawing> parse_text(const std::string& text);

// Appends a point (x, y, time) to stroke s, opening strokes up to s.
void add_point(GmlDrawing* drawing, int32_t s, float x, float y, float time);
