// Building blocks shared by the animals: bone chains with tubes around them, and legs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "asset_files.h"
#include "mesh.h"
#include "skeleton.h"

// A chain of bones, one per point, each the child of the one before (the
// first a child of parent).
std::vector<int32_t> add_chain(Skeleton* skeleton, int32_t parent, const std::vector<V3>& points);
// A tube around a chain: ring k at point k with radius radii[k] (times
// flatten upwards), bound to bone k.
void add_chain_tube(Mesh* mesh, const std::vector<V3>& points, const std::vector<int32_t>& bones,
                    const std::vector<float>& radii, float flatten, int32_t segments, float start_cap, float end_cap,
                    float v_step);

struct Leg {
    int32_t hip;
    int32_t knee;
};
// A two-bone leg from hip over knee to foot, tapering from top to bottom radius.
Leg add_leg(Mesh* mesh, Skeleton* skeleton, int32_t parent, V3 hip, V3 knee, V3 foot, float top, float bottom,
            int32_t segments);

// What every animal has: its mesh and bones, the body's root, the neck and
// tail chains and the head (built first, so vertex 0 marks it).
struct Body {
    Mesh mesh;
    Skeleton skeleton;
    int32_t root;
    std::vector<int32_t> neck;
    std::vector<int32_t> tail;
    int32_t head;
};

// Where a built model is set in its file: turned about y, moved, then scaled.
struct Placement {
    float yaw;
    V3 offset;
    float factor;
};
// Every pose as a frame of positions, placed.
std::vector<std::vector<V3>> pose_frames(const Mesh& mesh, const Skeleton& skeleton, const std::vector<Pose>& poses,
                                         const Placement& placement);
// Adds the .baf (or, for one frame, .bof) file.
void add_model_file(AssetSet* set, const std::string& name, const Mesh& mesh,
                    const std::vector<std::vector<V3>>& frames, bool animated);
