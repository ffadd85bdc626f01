// Building the shared-edge list: one record per distinct vertex pair.
#include "render3d/edge_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The same key for (p, q) and (q, p).
uint64_t pair_key(int32_t p, int32_t q)
{
    const auto low = static_cast<uint32_t>(std::min(p, q));
    const auto high = static_cast<uint32_t>(std::max(p, q));
    return (uint64_t{high} << 32) | low;
}

void fill_face_edges(EdgeScratch& scratch, Model* model)
{
    for (int32_t i = 0; i < model->face_count; i++) {
        ModelFace& face = model->faces[i];
        face.edge_ab = find_or_add_edge(scratch, face.a, face.b);
        face.edge_bc = find_or_add_edge(scratch, face.b, face.c);
        face.edge_ac = find_or_add_edge(scratch, face.a, face.c);
    }
}

}  // namespace

int32_t find_or_add_edge(EdgeScratch& scratch, int32_t p, int32_t q)
{
    const auto next = static_cast<int32_t>(scratch.edges.size());
    const auto [entry, added] = scratch.by_pair.try_emplace(pair_key(p, q), next);
    if (added) {
        ModelEdge edge = {};
        edge.vertex_a = p;
        edge.vertex_b = q;
        scratch.edges.push_back(edge);
    }
    return entry->second;
}

int32_t build_edge_table(Model* model)
{
    std::free(model->edges);
    model->edges = nullptr;
    model->edge_count = 0;
    EdgeScratch scratch;
    fill_face_edges(scratch, model);
    if (scratch.edges.empty()) {
        return 1;
    }
    const size_t bytes = scratch.edges.size() * sizeof(ModelEdge);
    model->edges = static_cast<ModelEdge*>(std::malloc(bytes));
    if (model->edges == nullptr) {
        return 0;
    }
    std::memcpy(model->edges, scratch.edges.data(), bytes);
    model->edge_count = static_cast<int32_t>(scratch.edges.size());
    return 1;
}
