// Splitting GML text into tokens and attributes, byte by byte.
#include "graffiti/gml_reader.h"

namespace {

constexpr int32_t END_OF_BYTES = -1;

bool is_gml_space(int32_t c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

int32_t read_byte(GmlReader* reader)
{
    if (reader->position >= reader->size) {
        return END_OF_BYTES;
    }
    return reader->bytes[reader->position++];
}

// Un-reads the last byte read, so that it starts the next token.
void step_back(GmlReader* reader)
{
    reader->position--;
}

void skip_space(GmlReader* reader)
{
    while (reader->position < reader->size && is_gml_space(reader->bytes[reader->position])) {
        reader->position++;
    }
}

void clear_token(GmlToken* token)
{
    token->length = 0;
    token->text[0] = '\0';
}

// Bytes beyond the buffer are dropped; the token still ends where the text says.
void append(GmlToken* token, int32_t c)
{
    if (token->length >= GML_TOKEN_SIZE - 1) {
        return;
    }
    token->text[token->length++] = static_cast<char>(c);
    token->text[token->length] = '\0';
}

bool is_quote(int32_t c)
{
    return c == '"' || c == '\'';
}

void read_quoted_value(GmlReader* reader, GmlToken* value)
{
    for (int32_t c = read_byte(reader); c != END_OF_BYTES && !is_quote(c); c = read_byte(reader)) {
        append(value, c);
    }
}

}  // namespace

void lowercase_ascii(char* text, int32_t length)
{
    for (int32_t i = 0; i < length; i++) {
        if (text[i] >= 'A' && text[i] <= 'Z') {
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
        }
    }
}

void gml_next_token(GmlReader* reader, GmlToken* token)
{
    clear_token(token);
    skip_space(reader);
    for (int32_t c = read_byte(reader); c != END_OF_BYTES; c = read_byte(reader)) {
        if (is_gml_space(c)) {
            break;
        }
        if (c == '<' && token->length > 0) {
            step_back(reader);
            break;
        }
        append(token, c);
        if (c == '>') {
            break;
        }
    }
    lowercase_ascii(token->text, token->length);
}

void gml_next_attribute(GmlReader* reader, GmlToken* name, GmlToken* value)
{
    clear_token(name);
    clear_token(value);
    skip_space(reader);
    for (int32_t c = read_byte(reader); c != END_OF_BYTES; c = read_byte(reader)) {
        if (is_gml_space(c)) {
            return;
        }
        if (c == '>') {
            step_back(reader);
            return;
        }
        if (c == '=') {
            if (is_quote(read_byte(reader))) {
                read_quoted_value(reader, value);
            }
            return;
        }
        append(name, c);
    }
}
