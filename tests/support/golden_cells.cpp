// Golden cell grids: glyph rows drawn as text and attribute rows in hex, compared whole.
#include "support/golden_cells.h"

#include <fstream>
#include <sstream>

#include "support/golden.h"

namespace {

// The ramp's code page 437 bytes and how they look; any other byte is shown
// as \xNN so that nothing is lost.
struct GlyphLook {
    uint8_t byte;
    const char* text;
};
constexpr GlyphLook LOOKS[] = {
    {0x20, " "},      {0xFA, "\u00B7"}, {0xF9, "\u2219"}, {0x07, "\u2022"}, {0x2B, "+"},
    {0x09, "\u25CB"}, {0x4F, "O"},      {0xE9, "\u0398"}, {0x30, "0"},
};

std::string glyph_text(uint8_t byte)
{
    for (const GlyphLook& look : LOOKS) {
        if (look.byte == byte) {
            return look.text;
        }
    }
    char escaped[8];
    std::snprintf(escaped, sizeof(escaped), "\\x%02X", byte);
    return escaped;
}

std::string grid_text(const uint8_t* characters, const uint8_t* attributes, int32_t columns, int32_t rows)
{
    std::ostringstream out;
    out << "cells " << columns << " x " << rows << "\n";
    for (int32_t y = 0; y < rows; y++) {
        for (int32_t x = 0; x < columns; x++) {
            out << glyph_text(characters[y * columns + x]);
        }
        out << "\n";
    }
    for (int32_t y = 0; y < rows; y++) {
        for (int32_t x = 0; x < columns; x++) {
            char hex[3];
            std::snprintf(hex, sizeof(hex), "%02X", attributes[y * columns + x]);
            out << hex;
        }
        out << "\n";
    }
    return out.str();
}

std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The first line (1-based) where two texts differ.
int32_t first_differing_line(const std::string& a, const std::string& b)
{
    std::istringstream in_a(a);
    std::istringstream in_b(b);
    std::string line_a;
    std::string line_b;
    for (int32_t line = 1;; line++) {
        bool more_a = static_cast<bool>(std::getline(in_a, line_a));
        bool more_b = static_cast<bool>(std::getline(in_b, line_b));
        if (!more_a && !more_b) {
            return 0;
        }
        if (more_a != more_b || line_a != line_b) {
            return line;
        }
    }
}

}  // namespace

::testing::AssertionResult matches_golden_cells(const std::string& name, const uint8_t* characters,
                                                const uint8_t* attributes, int32_t columns, int32_t rows)
{
    const std::string path = golden_sibling_path(name, ".cells");
    const std::string actual = grid_text(characters, attributes, columns, rows);
    if (golden_approving()) {
        write_text(path, actual);
        return ::testing::AssertionSuccess();
    }
    const std::string expected = read_text(path);
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    const std::string actual_path = path + ".actual";
    write_text(actual_path, actual);
    int32_t line = first_differing_line(expected, actual);
    return ::testing::AssertionFailure() << "the cells differ from " << path << " from line " << line
                                         << " on (the grid is in " << actual_path << "). " << golden_approve_hint(path);
}
