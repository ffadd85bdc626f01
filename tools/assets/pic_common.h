// Shared helpers of the picture families: adding a picture file, text styles, the show's palette.
#pragma once
#include <string>
#include <vector>

#include "asset_files.h"
#include "picture.h"
#include "pixel_font.h"

constexpr int32_t BAND_WIDTH = 160;
constexpr int32_t BAND_HEIGHT = 100;

void add_picture(AssetSet* set, const std::string& name, const Picture& picture);
// Letters with a dark outline and shadow, top to bottom from `top` to `bottom`.
TextStyle bold_text(int32_t scale, uint32_t top, uint32_t bottom);
// A starry night sky over rows y0 .. y1 - 1 of a band picture.
void starfield(Picture* p, int32_t y0, int32_t y1, uint32_t seed);
// The strip of rows 0-19 that the double-size tags show in the lower right
// corner of the canvas (the picture's top-left at (156 - width, 80)): a dark
// label with text, ending 4 columns before the picture's right edge.
void corner_label(Picture* p, const std::string& text, uint32_t colour);
// A row of lines centred in a 100-row band: each line's text at the scale, spaced evenly within
// the band's rows top to top + height (the whole band unless given).
void band_lines(Picture* p, int32_t band, const std::vector<std::string>& lines, const std::vector<TextStyle>& styles,
                int32_t top = 0, int32_t height = BAND_HEIGHT);
