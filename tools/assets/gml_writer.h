// Graffiti drawings as the generator builds them, and their GML text.
#pragma once
#include <string>
#include <vector>

struct PenPoint {
    float x, y;  // 0 .. 1 across the drawing surface
    float time;  // seconds from the start of the recording
};

struct PenStroke {
    std::vector<PenPoint> points;
};

struct PenDrawing {
    std::vector<PenStroke> strokes;
};

// The drawing as GML: a gml element with its spec, a tag, a drawing, and
// every stroke's points with x, y and time.
std::string gml_text(const PenDrawing& drawing);
