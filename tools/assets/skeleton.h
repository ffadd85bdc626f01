// Bones for animation frames: each bone turns about its rest joint, carried by its parent; vertices follow their bone.
#pragma once
#include <cstdint>
#include <vector>

#include "mesh.h"

struct Skeleton {
    std::vector<int32_t> parent;  // -1 for the root; a parent comes before its children
    std::vector<V3> joint;        // rest position of each joint
};

// How one bone is turned in one frame (radians) and, for any bone, moved.
struct BonePose {
    float yaw;    // about y
    float pitch;  // about x; positive lifts a part that points along -z
    float roll;   // about z
    V3 shift;
};

// A pose: one BonePose per bone.
typedef std::vector<BonePose> Pose;

int32_t add_bone(Skeleton* skeleton, int32_t parent, V3 joint);
Pose rest_pose(const Skeleton& skeleton);
// a + (b - a) * t, bone by bone.
Pose blend_poses(const Pose& a, const Pose& b, float t);
// The mesh's vertex positions with the skeleton in the pose.
std::vector<V3> posed_vertices(const Mesh& mesh, const Skeleton& skeleton, const Pose& pose);
// Smooth 0 .. 1 ease for in-between frames.
float ease(float t);
