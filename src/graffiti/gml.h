// A graffiti drawing read from GML text: strokes of timed points in a fixed-size record.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t GML_MAX_STROKES = 64;
constexpr int32_t GML_MAX_POINTS = 512;
constexpr int32_t GML_SPEC_SIZE = 32;   // 31 characters and the terminator
constexpr int32_t GML_TOKEN_SIZE = 64;  // 63 characters and the terminator

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

// Where the next text token goes.
enum GmlValueTarget : int32_t {
    GML_VALUE_NONE = -1,
    GML_VALUE_X = 0,
    GML_VALUE_Y = 1,
    GML_VALUE_Z = 2,
    GML_VALUE_TIME = 3,
};

// One parse: a cursor over the bytes and the drawing being filled. Lives on
// the parser's stack for one parse.
struct GmlReader {
    const uint8_t* bytes;
    size_t size;
    size_t position;
    GmlDrawing* drawing;
    GmlValueTarget target;
    int32_t depth;  // elements open; beyond GML_MAX_DEPTH start tags count as text
};

// Real drawings nest six deep; the bound keeps hostile nesting off the stack.
constexpr int32_t GML_MAX_DEPTH = 64;

// A token as the reader splits the text: at most 63 bytes, lower-cased.
struct GmlToken {
    char text[GML_TOKEN_SIZE];
    int32_t length;
};

// Empties the drawing: no spec, no strokes, every count and value 0.
void clear_gml(GmlDrawing* drawing);

// Turns A-Z into a-z in place; every other byte stays.
void lowercase_ascii(char* text, int32_t length);

// The next whitespace-separated token (space, tab and line feed only; a
// carriage return is an ordinary byte). A "<" inside a token starts the next
// one; a ">" ends the token after it. Bytes past 63 are dropped. Empty only
// at the end of the bytes.
void gml_next_token(GmlReader* reader, GmlToken* token);

// One name="value" attribute of a start tag, not lower-cased. The name ends at
// whitespace, ">" (left for the next read) or "="; a value is quoted with
// either quote, and either closes it. Both empty at the end of the bytes or
// at the ">" that ends the tag.
void gml_next_attribute(GmlReader* reader, GmlToken* name, GmlToken* value);

// Handles one token: an element it knows (with its children, up to its
// closing token) or a text token stored by the reader's value target.
void gml_handle_token(GmlReader* reader, const GmlToken& token);

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
