// The shared-edge list of a model, built once at load time.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "render3d/model.h"

// The edges found so far while a model loads, in order of first appearance,
// with an index by vertex pair so that large meshes load in linear time.
// The list grows as needed: there is no fixed limit on distinct edges.
struct EdgeScratch {
    std::vector<ModelEdge> edges;
    std::unordered_map<uint64_t, int32_t> by_pair;
};

// The index of the edge joining p and q in either orientation; a new edge,
// oriented p to q with all other words zero, is appended when there is none.
int32_t find_or_add_edge(EdgeScratch& scratch, int32_t p, int32_t q);

// Fills edge_ab, edge_bc and edge_ac of every face in order and gives the
// model its own copy of the list. Face indices must already be checked.
// Returns 1, or 0 when the copy cannot be allocated (the model's edges are
// then null and its edge count 0).
int32_t build_edge_table(Model* model);
