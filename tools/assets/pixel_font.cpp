// The glyph table of the pixel font and the text drawing built on it.
#include "pixel_font.h"

#include <cstring>

namespace {

struct Glyph {
    char code;
    const char* rows[GLYPH_HEIGHT];
};

// clang-format off
const Glyph GLYPHS[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'I', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"}},
    {'J', {"  ###", "    #", "    #", "    #", "    #", "#   #", " ### "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", " # # ", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
    {'X', {"#   #", " # # ", "  #  ", "  #  ", "  #  ", " # # ", "#   #"}},
    {'Y', {"#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
    {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
    {',', {"     ", "     ", "     ", "     ", " ##  ", "  #  ", " #   "}},
    {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
    {'?', {" ### ", "#   #", "    #", "   # ", "  #  ", "     ", "  #  "}},
    {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
    {'+', {"     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "}},
    {':', {"     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     "}},
    {'\'', {"  #  ", "  #  ", " #   ", "     ", "     ", "     ", "     "}},
    {'&', {" ##  ", "#  # ", "#  # ", " ##  ", "# # #", "#  # ", " ## #"}},
    {'/', {"    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#    "}},
    {'(', {"   # ", "  #  ", " #   ", " #   ", " #   ", "  #  ", "   # "}},
    {')', {" #   ", "  #  ", "   # ", "   # ", "   # ", "  #  ", " #   "}},
    {'=', {"     ", "     ", "#####", "     ", "#####", "     ", "     "}},
    {'*', {"     ", "# # #", " ### ", "#####", " ### ", "# # #", "     "}},
    {'#', {" # # ", " # # ", "#####", " # # ", "#####", " # # ", " # # "}},
    {'<', {"   # ", "  #  ", " #   ", "#    ", " #   ", "  #  ", "   # "}},
    {'>', {" #   ", "  #  ", "   # ", "    #", "   # ", "  #  ", " #   "}},
};
// clang-format on

const Glyph* find_glyph(char c)
{
    if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
    }
    for (const Glyph& g : GLYPHS) {
        if (g.code == c) {
            return &g;
        }
    }
    return nullptr;
}

void draw_dots(Picture* p, int32_t x, int32_t y, const Glyph& g, int32_t scale, int32_t grow, uint32_t top,
               uint32_t bottom)
{
    const int32_t tall = GLYPH_HEIGHT * scale;
    for (int32_t row = 0; row < GLYPH_HEIGHT; row++) {
        for (int32_t col = 0; col < GLYPH_WIDTH; col++) {
            if (g.rows[row][col] != '#') {
                continue;
            }
            for (int32_t j = -grow; j < scale + grow; j++) {
                const uint32_t c = mix(top, bottom, static_cast<float>(row * scale + j) / static_cast<float>(tall));
                for (int32_t i = -grow; i < scale + grow; i++) {
                    blend(p, x + col * scale + i, y + row * scale + j, c);
                }
            }
        }
    }
}

}  // namespace

bool font_has_glyph(char c)
{
    return c == ' ' || find_glyph(c) != nullptr;
}

int32_t text_width(const std::string& text, int32_t scale)
{
    if (text.empty()) {
        return 0;
    }
    return static_cast<int32_t>(text.size()) * (GLYPH_WIDTH + 1) * scale - scale;
}

void draw_text(Picture* p, int32_t x, int32_t y, const std::string& text, const TextStyle& style)
{
    // Three layers over the whole line, so no outline covers a neighbouring letter.
    for (int32_t layer = 0; layer < 3; layer++) {
        int32_t cx = x;
        for (char c : text) {
            const Glyph* g = find_glyph(c);
            if (g != nullptr) {
                if (layer == 0 && channel(style.shadow, 3) != 0) {
                    draw_dots(p, cx + style.scale, y + style.scale, *g, style.scale, 1, style.shadow, style.shadow);
                } else if (layer == 1 && channel(style.outline, 3) != 0) {
                    draw_dots(p, cx, y, *g, style.scale, 1, style.outline, style.outline);
                } else if (layer == 2) {
                    draw_dots(p, cx, y, *g, style.scale, 0, style.fill, style.fill_low);
                }
            }
            cx += (GLYPH_WIDTH + 1) * style.scale;
        }
    }
}

void draw_text_centred(Picture* p, int32_t cx, int32_t y, const std::string& text, const TextStyle& style)
{
    const int32_t left = cx - text_width(text, style.scale) / 2;
    draw_text(p, left - (left & 1), y - (y & 1), text, style);
}
