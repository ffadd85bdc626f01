// The reader's lexical layer and element handling: tokens, attributes, the open value.
#pragma once
#include <cstddef>
#include <cstdint>

#include "graffiti/gml.h"

constexpr int32_t GML_TOKEN_SIZE = 64;  // 63 characters and the terminator

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
