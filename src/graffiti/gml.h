// A graffiti drawing read from GML text: strokes of timed points in a fixed-size record.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t GML_MAX_STROKES = 64;
constexpr int32_t GML_MAX_POINTS = 512;
constexpr int32_t GML_SPEC_SIZE = 32;  // 31 characters and the terminator

struct GmlStroke {
    int32_t point_count;              // points closed so far, 0 .. GML_MAX_POINTS
    float points[GML_MAX_POINTS][3];  // x, y, z as written; 0.0 .. 1.0 across the surface
    float times[GML_MAX_POINTS];      // seconds from the start of the recording
};

struct GmlDrawing {
    char spec[GML_SPEC_SIZE];  // the gml start tag's spec attribute
    int32_t stroke_count;      // strokes closed so far, 0 .. GML_MAX_STROKES
    GmlStroke strokes[GML_MAX_STROKES];
};

// Empties the drawing: no spec, no strokes, every count and value 0.
void clear_gml(GmlDrawing* drawing);

// Empties drawing and fills it from size bytes of GML text. Never fails:
// unknown tags are skipped, unparsable numbers become 0.0, unclosed elements
// end with the bytes, and input beyond the record's room is dropped.
void parse_gml(const uint8_t* bytes, size_t size, GmlDrawing* drawing);

enum GmlLoad : int32_t {
    GML_LOAD_OK = 1,
    GML_LOAD_MISSING = 0,      // the file could not be read; the drawing is empty
    GML_LOAD_NO_DRAWING = -1,  // no record to load into
};

// Reads the file at path and parses it into drawing. A missing or unreadable
// file leaves the drawing empty and queues "ERROR!!! <path> NOT FOUND!!" for
// the user; a null drawing queues "NO GRAPH TO LOAD INTO!".
GmlLoad load_gml(const char* path, GmlDrawing* drawing);
