// The row scene's animal: a triceratops with frill and three horns, one frame, standing at the origin.
#include "creature.h"

void generate_row_model(AssetSet* set)
{
    Mesh mesh;
    Skeleton skeleton;
    const int32_t root = add_bone(&skeleton, -1, V3{0, 14, 0});
    add_ellipsoid(&mesh, V3{0, 15, 3}, V3{8, 8, 14}, 6, 10, root, 0.0f, 1.0f);
    // Head, beak and the frill behind it.
    add_ellipsoid(&mesh, V3{0, 15, -14}, V3{5, 5, 7}, 4, 8, root, 0.0f, 1.0f);
    add_ellipsoid(&mesh, V3{0, 12.5f, -20}, V3{2.6f, 3.2f, 3.5f}, 3, 8, root, 0.6f, 1.0f);
    const std::array<float, 8> frill_low = {-10, 14, 10, 14, 8, 24, -8, 24};
    const std::array<float, 8> frill_high = {-8, 24, 8, 24, 5, 29, -5, 29};
    add_quad_prism(&mesh, frill_low, -11.5f, -9.5f, root, 1.0f / 24.0f);
    add_quad_prism(&mesh, frill_high, -11.5f, -9.5f, root, 1.0f / 24.0f);
    // Horns: two long over the eyes, one short on the nose, all pointing forward and up.
    const float side[2] = {-3.0f, 3.0f};
    for (float x : side) {
        add_tube(&mesh, {{V3{x, 19, -15}, 1.3f, 1.3f, root}, {V3{x * 1.2f, 21, -21}, 0.9f, 0.9f, root}}, 6, 0.0f, 5.0f,
                 0.0f, 0.5f);
    }
    add_tube(&mesh, {{V3{0, 15.5f, -21}, 1.0f, 1.0f, root}, {V3{0, 17, -23}, 0.7f, 0.7f, root}}, 6, 0.0f, 2.5f, 0.0f,
             0.5f);
    add_tube(&mesh,
             {{V3{0, 15, 15}, 5.0f, 4.5f, root}, {V3{0, 12, 22}, 3.2f, 3.0f, root}, {V3{0, 9, 29}, 1.8f, 1.6f, root}},
             8, 0.0f, 4.0f, 0.0f, 0.3f);
    const float xs[4] = {-5.5f, 5.5f, -5.5f, 5.5f};
    const float zs[4] = {-5.0f, -5.0f, 10.0f, 10.0f};
    for (int32_t i = 0; i < 4; i++) {
        add_leg(&mesh, &skeleton, root, V3{xs[i], 12, zs[i]}, V3{xs[i], 6, zs[i] + 0.5f}, V3{xs[i], 0, zs[i]}, 3.2f,
                2.6f, 6);
    }
    // A little larger than built and lifted for the row scene's view from above; not so large
    // that the five copies, 50 units apart along the line of sight, merge into one shape.
    const std::vector<Pose> still = {rest_pose(skeleton)};
    add_model_file(set, "row_model.bof", mesh, pose_frames(mesh, skeleton, still, Placement{0, V3{0, 10, 0}, 1.15f}),
                   false);
}
