// The text model formats: a tag, the counts, a position, the vertex lines frame by frame and the face lines.
#include "model_writer.h"

#include <cstdio>

namespace {

void append(std::string* out, const char* format, int32_t index, float a, float b, float c, float d, float e)
{
    char line[160];
    const int32_t n = std::snprintf(line, sizeof line, format, index, a, b, c, d, e);
    out->append(line, static_cast<size_t>(n));
}

// Never "-0.0000": a tiny negative number prints the same as zero.
float tidy(float value)
{
    return (value > -0.00005f && value < 0.00005f) ? 0.0f : value;
}

}  // namespace

std::string model_file_text(const Mesh& mesh, const std::vector<std::vector<V3>>& frames, bool animated)
{
    std::string out;
    char header[96];
    const size_t n = mesh.rest.size();
    if (animated) {
        std::snprintf(header, sizeof header, "BAF %zu %zu %zu 0 0 0\n", n, mesh.faces.size(), frames.size());
    } else {
        std::snprintf(header, sizeof header, "BOF %zu %zu 0 0 0\n", n, mesh.faces.size());
    }
    out += header;
    for (const std::vector<V3>& frame : frames) {
        for (size_t i = 0; i < n; i++) {
            append(&out, "%d %.4f %.4f %.4f %.4f %.4f\n", static_cast<int32_t>(i), tidy(frame[i].x), tidy(frame[i].y),
                   tidy(frame[i].z), tidy(mesh.u[i]), tidy(mesh.v[i]));
        }
    }
    for (size_t f = 0; f < mesh.faces.size(); f++) {
        char line[64];
        const int32_t k =
            std::snprintf(line, sizeof line, "%zu %d %d %d\n", f, mesh.faces[f][0], mesh.faces[f][1], mesh.faces[f][2]);
        out.append(line, static_cast<size_t>(k));
    }
    return out;
}
