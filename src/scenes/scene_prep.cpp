// Scaling, normals and outline shells of the catalog's models, once at start-up.
#include "scenes/scene_prep.h"

#include "render3d/model_prep.h"
#include "scenes/assets.h"

namespace {

constexpr float DIPLO_SCALE = 0.25f;
constexpr float WELD_DISTANCE = 0.125f;
constexpr float SHELL_THICKNESS = 8.0f;  // model units, after scaling

void prepare_shell(Model* shell)
{
    compute_vertex_normals(shell);
    weld_vertex_normals(shell, WELD_DISTANCE);
    inflate_model(shell, SHELL_THICKNESS);
}

void prepare_light(Model* light)
{
    compute_vertex_normals(light);
    weld_vertex_normals(light, WELD_DISTANCE);
}

}  // namespace

void prepare_scenes()
{
    scale_model(&diplo_models.body, DIPLO_SCALE);
    scale_model(&diplo_models.shell, DIPLO_SCALE);
    prepare_shell(&diplo_models.shell);
    scale_model(&diplo_models.light, DIPLO_SCALE);
    prepare_light(&diplo_models.light);
    prepare_shell(&trex_models.shell);
    prepare_light(&trex_models.light);
    compute_vertex_normals(&blz_model);
}
