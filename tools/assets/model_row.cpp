// The row scene's animal: a triceratops with frill and three horns, one frame, the origin at its shoulders.
#include "creature.h"

void generate_row_model(AssetSet* set)
{
    Mesh mesh;
    Skeleton skeleton;
    const int32_t root = add_bone(&skeleton, -1, V3{0, 20, 0});
    // The beak comes first: its front pole, vertex 0, is the snout tip the framing check follows.
    add_ellipsoid(&mesh, V3{0, 18.5f, -20}, V3{2.6f, 3.2f, 3.5f}, 3, 8, root, 0.6f, 1.0f);
    // A short deep body on long legs with a short tail: five copies 50 units apart stand
    // clear of each other even nose to tail.
    add_ellipsoid(&mesh, V3{0, 22, 1}, V3{8.5f, 10, 11}, 6, 10, root, 0.0f, 1.0f);
    // Head and the frill behind it.
    add_ellipsoid(&mesh, V3{0, 21, -14}, V3{5.5f, 5.5f, 7}, 4, 8, root, 0.0f, 1.0f);
    const std::array<float, 8> frill_low = {-13, 19, 13, 19, 11, 32, -11, 32};
    const std::array<float, 8> frill_high = {-11, 32, 11, 32, 7, 39, -7, 39};
    add_quad_prism(&mesh, frill_low, -11.5f, -9.5f, root, 1.0f / 24.0f);
    add_quad_prism(&mesh, frill_high, -11.5f, -9.5f, root, 1.0f / 24.0f);
    // Horns: two long over the eyes, one short on the nose, all pointing forward and up.
    const float side[2] = {-3.0f, 3.0f};
    for (float x : side) {
        add_tube(&mesh, {{V3{x, 25, -15}, 1.3f, 1.3f, root}, {V3{x * 1.2f, 27, -21}, 0.9f, 0.9f, root}}, 6, 0.0f, 5.0f,
                 0.0f, 0.5f);
    }
    add_tube(&mesh, {{V3{0, 21.5f, -21}, 1.0f, 1.0f, root}, {V3{0, 23, -23}, 0.7f, 0.7f, root}}, 6, 0.0f, 2.5f, 0.0f,
             0.5f);
    add_tube(&mesh,
             {{V3{0, 21, 10}, 5.0f, 4.5f, root}, {V3{0, 17, 15}, 3.2f, 3.0f, root}, {V3{0, 13, 19}, 1.8f, 1.6f, root}},
             8, 0.0f, 3.0f, 0.0f, 0.3f);
    const float xs[4] = {-5.5f, 5.5f, -5.5f, 5.5f};
    const float zs[4] = {-4.0f, -4.0f, 7.0f, 7.0f};
    for (int32_t i = 0; i < 4; i++) {
        add_leg(&mesh, &skeleton, root, V3{xs[i], 18, zs[i]}, V3{xs[i], 9, zs[i] + 0.5f}, V3{xs[i], 0, zs[i]}, 3.4f,
                2.8f, 6);
    }
    // The copies turn about the model's origin, and the nearest stands at the canvas's left
    // edge: turning about its shoulders, the head swings round close to its place and stays in the
    // picture. Sized so that the five, 50 units apart, stand clear of each other.
    const std::vector<Pose> still = {rest_pose(skeleton)};
    add_model_file(set, "row_model.bof", mesh, pose_frames(mesh, skeleton, still, Placement{0, V3{0, 4, 12}, 0.92f}),
                   false);
}
