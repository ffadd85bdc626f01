// Writing meshes as the text model files: one frame (.bof) or an animation over the same faces (.baf).
#pragma once
#include <string>
#include <vector>

#include "mesh.h"

// frames[k] holds the positions of every vertex in frame k.
std::string model_file_text(const Mesh& mesh, const std::vector<std::vector<V3>>& frames, bool animated);
