// The three conversion options and their numeric codes.
#include "display/console_display.h"

void display_set_option(int32_t code)
{
    switch (code) {
    case OPT_COLOUR_DEFAULT:
        console_display.colour_scheme = COLOUR_SCHEME_BLEND;
        break;
    case OPT_COLOUR_SINGLE:
    case OPT_COLOUR_BLEND:
        console_display.colour_scheme = static_cast<ColourScheme>(code);
        break;
    case OPT_SAMPLE_DEFAULT:
        console_display.sampling = SAMPLING_AVERAGE;
        break;
    case OPT_SAMPLE_CENTRE:
    case OPT_SAMPLE_AVERAGE:
        console_display.sampling = static_cast<Sampling>(code);
        break;
    case OPT_DITHER_DEFAULT:
        console_display.dither = DITHER_BAYER4;
        break;
    case OPT_DITHER_NONE:
    case OPT_DITHER_BAYER2:
    case OPT_DITHER_BAYER4:
    case OPT_DITHER_BAYER8:
    case OPT_DITHER_RANDOM:
        console_display.dither = static_cast<Dither>(code);
        break;
    default:
        break;  // unknown codes change nothing
    }
}

void display_reset_options()
{
    display_set_option(OPT_COLOUR_DEFAULT);
    display_set_option(OPT_SAMPLE_DEFAULT);
    display_set_option(OPT_DITHER_DEFAULT);
}

int32_t display_columns()
{
    return console_display.columns;
}

int32_t display_rows()
{
    return console_display.rows;
}
