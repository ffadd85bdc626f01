// Writing GML: one point per line, numbers with four decimals.
#include "gml_writer.h"

#include <cstdio>

std::string gml_text(const PenDrawing& drawing)
{
    std::string out = "<gml spec=\"1.0\">\n<tag>\n<drawing>\n";
    for (const PenStroke& stroke : drawing.strokes) {
        out += "<stroke>\n";
        for (const PenPoint& p : stroke.points) {
            char line[128];
            const int n =
                std::snprintf(line, sizeof line, "<pt><x>%.4f</x><y>%.4f</y><time>%.4f</time></pt>\n",
                              static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.time));
            out.append(line, static_cast<size_t>(n));
        }
        out += "</stroke>\n";
    }
    out += "</drawing>\n</tag>\n</gml>\n";
    return out;
}
