// A hand-drawn stroke font for the graffiti: each letter a few pen strokes on a 4 x 6 grid.
#pragma once
#include <string>
#include <vector>

#include "gml_writer.h"
#include "rng.h"

// How a line of text is written: where, how big, how slanted, how shaky and how fast.
struct Hand {
    float x, y;    // top-left of the first letter, surface units
    float height;  // letter height, surface units
    float aspect;  // surface units of x per unit of y (the surface is wider than tall)
    float slant;   // x shift per unit of height going up
    float jitter;  // random wobble, in grid cells
    float speed;   // pen speed as the replay reads it: canvas pixels (x 160, y 100) per second / 50
    float lift;    // seconds between strokes
};

// Writes text into drawing with the hand, starting at time start; returns the time the pen finishes.
float write_text(PenDrawing* drawing, const std::string& text, const Hand& hand, float start, Rng* rng);
// The largest letter height, at most height, that fits text between x and right.
float fit_height(const std::string& text, float x, float right, float height, float aspect);
// A free stroke through points (surface units), at the pen speed of Hand.
float write_path(PenDrawing* drawing, const std::vector<PenPoint>& path, float speed, float start, Rng* rng,
                 float jitter);
