// The outline, body and light-map passes of a dinosaur.
#include "scenes/model_passes.h"

#include "render3d/depth_buffer.h"
#include "render3d/model_frames.h"
#include "render3d/rasterizer.h"
#include "render3d/spans.h"
#include "render3d/transform.h"

namespace {

// The layers follow the body: same pose, same animation time.
void follow_body(const Model& body, Model* layer)
{
    set_model_pose(layer, body.pos_x, body.pos_y, body.pos_z, body.yaw, body.pitch, body.roll);
    blend_model_frames(layer, body.frame_time);
}

}  // namespace

void draw_model_passes(ModelTriple* triple, int32_t passes, Framebuffer* canvas)
{
    const bool outline = (passes & PASS_OUTLINE) != 0;
    const bool body = (passes & PASS_BODY) != 0;
    if (outline) {
        follow_body(triple->body, &triple->shell);
    }
    if (body) {
        follow_body(triple->body, &triple->light);
    }
    if (outline) {
        transform_model(&triple->shell);
        draw_model(&triple->shell, canvas);
        // The body drawn next covers the shell wherever they overlap: only
        // the rim around its silhouette stays.
        clear_depth_buffer();
    }
    if (body) {
        transform_model(&triple->body);
        draw_model(&triple->body, canvas);
        select_multiply_spans(1);
        transform_model(&triple->light);
        apply_environment_map(&triple->light);
        draw_model(&triple->light, canvas);
        select_multiply_spans(0);
    }
}
