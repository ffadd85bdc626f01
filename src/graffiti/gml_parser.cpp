// The GML elements the reader knows, handled by exact token spelling.
#include <cstring>
#include <string_view>

#include "graffiti/gml_number.h"
#include "graffiti/gml_reader.h"

namespace {

bool token_is(const GmlToken& token, std::string_view text)
{
    return std::string_view(token.text, static_cast<size_t>(token.length)) == text;
}

// The stroke still open, or null once the record's strokes are used up.
GmlStroke* open_stroke(GmlReader* reader)
{
    GmlDrawing* drawing = reader->drawing;
    if (drawing->stroke_count >= GML_MAX_STROKES) {
        return nullptr;
    }
    return &drawing->strokes[drawing->stroke_count];
}

// Reads and handles tokens until one equals closing (or also_closing, when
// given) or the bytes end. True only when the closing token was found.
bool handle_children(GmlReader* reader, std::string_view closing, std::string_view also_closing = {})
{
    GmlToken token;
    reader->depth++;
    bool closed = false;
    for (;;) {
        gml_next_token(reader, &token);
        if (token.length == 0) {  // only at the end of the bytes
            break;
        }
        if (token_is(token, closing) || (!also_closing.empty() && token_is(token, also_closing))) {
            closed = true;
            break;
        }
        gml_handle_token(reader, token);
    }
    reader->depth--;
    return closed;
}

void skip_comment(GmlReader* reader)
{
    GmlToken token;
    do {
        gml_next_token(reader, &token);
    } while (token.length > 0 && !token_is(token, "-->"));
}

// Copied as plain text: at most 31 bytes, and a zero byte ends it there.
void copy_spec(GmlDrawing* drawing, const GmlToken& value)
{
    int32_t length = 0;
    while (length < value.length && length < GML_SPEC_SIZE - 1 && value.text[length] != '\0') {
        drawing->spec[length] = value.text[length];
        length++;
    }
    drawing->spec[length] = '\0';
}

void handle_gml_element(GmlReader* reader)
{
    GmlToken name;
    GmlToken value;
    for (;;) {
        gml_next_attribute(reader, &name, &value);
        if (name.length == 0) {
            break;
        }
        if (token_is(name, "spec")) {
            copy_spec(reader->drawing, value);
        }
        if (reader->position >= reader->size) {
            break;
        }
    }
    handle_children(reader, "</gml>");
}

void handle_stroke(GmlReader* reader)
{
    GmlStroke* stroke = open_stroke(reader);
    if (stroke != nullptr) {
        stroke->point_count = 0;
    }
    if (handle_children(reader, "</stroke>") && stroke != nullptr) {
        reader->drawing->stroke_count++;
    }
}

void handle_point(GmlReader* reader)
{
    if (!handle_children(reader, "</pt>")) {
        return;
    }
    GmlStroke* stroke = open_stroke(reader);
    if (stroke != nullptr && stroke->point_count < GML_MAX_POINTS) {
        stroke->point_count++;
    }
}

void handle_value(GmlReader* reader, GmlValueTarget target, std::string_view closing,
                  std::string_view also_closing = {})
{
    reader->target = target;
    if (handle_children(reader, closing, also_closing)) {
        reader->target = GML_VALUE_NONE;
    }
}

// Text lands in the point still open; outside any point that is the slot
// the next <pt> of the open stroke will fill (and overwrite).
void store_value(GmlReader* reader, const GmlToken& token)
{
    if (reader->target == GML_VALUE_NONE) {
        return;
    }
    GmlStroke* stroke = open_stroke(reader);
    if (stroke == nullptr || stroke->point_count >= GML_MAX_POINTS) {
        return;
    }
    float value = gml_text_to_float(token.text, token.length);
    int32_t k = stroke->point_count;
    if (reader->target == GML_VALUE_TIME) {
        stroke->times[k] = value;
    } else {
        stroke->points[k][reader->target] = value;
    }
}

}  // namespace

void gml_handle_token(GmlReader* reader, const GmlToken& token)
{
    if (token_is(token, "<!--")) {
        skip_comment(reader);
        return;
    }
    if (reader->depth >= GML_MAX_DEPTH) {
        store_value(reader, token);
        return;
    }
    if (token_is(token, "<gml")) {
        handle_gml_element(reader);
    } else if (token_is(token, "<tag>")) {
        handle_children(reader, "</tag>");
    } else if (token_is(token, "<drawing>")) {
        handle_children(reader, "</drawing>");
    } else if (token_is(token, "<stroke>")) {
        handle_stroke(reader);
    } else if (token_is(token, "<pt>")) {
        handle_point(reader);
    } else if (token_is(token, "<x>")) {
        handle_value(reader, GML_VALUE_X, "</x>");
    } else if (token_is(token, "<y>")) {
        handle_value(reader, GML_VALUE_Y, "</y>");
    } else if (token_is(token, "<z>")) {
        handle_value(reader, GML_VALUE_Z, "</z>");
    } else if (token_is(token, "<time>") || token_is(token, "<t>")) {
        handle_value(reader, GML_VALUE_TIME, "</time>", "</t>");
    } else {
        store_value(reader, token);
    }
}

// Every value too, not just the counts: a <pt> without <x> or <time> is
// counted all the same, and must then read 0.0 rather than old memory.
void clear_gml(GmlDrawing* drawing)
{
    std::memset(drawing, 0, sizeof(GmlDrawing));
}

void parse_gml(const uint8_t* bytes, size_t size, GmlDrawing* drawing)
{
    clear_gml(drawing);
    GmlReader reader = {bytes, size, 0, drawing, GML_VALUE_NONE, 0};
    GmlToken token;
    for (;;) {
        gml_next_token(&reader, &token);
        if (token.length == 0) {
            break;
        }
        gml_handle_token(&reader, token);
    }
}
