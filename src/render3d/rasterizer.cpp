// Textured, depth-buffered triangles: face rejection, edge set-up, row stepping, span hand-off.
//
// Conventions of the renderer, shared by every file of this folder:
// - Numbers are 20.12 fixed point (Fixed): FIXED_ONE, 4096, is 1.0. Model
//   positions and normals are in model units; texture coordinates in a vertex
//   are integers with 32768 = one repeat of the texture; texel coordinates
//   while drawing are 20.12 texels.
// - World and model space are left-handed: x right, y up, z away from the
//   viewer; the camera looks along +z and clip w = -z, so visible
//   points have negative w. The canvas has x to the right and y downward,
//   the view centre at pixel (80, 50); screen x and y are 20.12 pixels.
// - Depth is a plain integer, (32.0 - z) << 13 with z the 20.12 depth after
//   the divide: 0x3E000000 at the near plane, 0x42000000 at the far one,
//   growing with distance. The divide multiplies by a 20.12 reciprocal of w,
//   which is coarse far away: depth there rises in steps and even falls back
//   (z = 5000 gives 0x41FBE000), and the far outcode bit is set only where
//   the rounding lands beyond -1. The depth buffer keeps the smallest; a
//   pixel of equal depth draws again.
// - Front faces run clockwise on the canvas (y down); for them the face
//   normal (b - a) x (c - a) points out of the model, towards the viewer.
// - Fill rule: a triangle covers rows floor(top) .. floor(bottom), clamped
//   to the canvas; the side values lag one row (rows ystart and ystart + 1
//   use the same values), and within a row columns floor(left) ..
//   floor(right) - 1, so of two faces sharing an edge the left one stops one
//   column before the right one starts. A triangle within one pixel row, or
//   with no width at its middle vertex, draws nothing.
// - Texture mapping is affine: u, v and depth step linearly along edges and
//   across rows, without perspective correction; texel addresses wrap by
//   masking, so textures have power-of-two sizes.
#include "render3d/rasterizer.h"

#include <algorithm>
#include <utility>

#include "render3d/depth_buffer.h"
#include "render3d/spans.h"
#include "render3d/texture_pool.h"

namespace {

constexpr int32_t LAST_ROW = CANVAS_HEIGHT - 1;
constexpr Fixed CANVAS_RIGHT = CANVAS_WIDTH * FIXED_ONE;  // 20.12 pixels
constexpr Fixed CANVAS_BOTTOM = CANVAS_HEIGHT * FIXED_ONE;
constexpr int TEXCOORD_TO_TEXEL_SHIFT = 3;  // 32768 per repeat times size >> 3 = 20.12 texels

// The values a triangle side carries down the rows.
struct Side {
    Fixed x;
    Fixed u;
    Fixed v;
    int32_t depth;
};

Side edge_start(const ModelEdge& edge)
{
    return Side{edge.x, edge.u, edge.v, edge.depth};
}

void step_side(Side& side, const ModelEdge& edge)
{
    side.x = fixed_add(side.x, edge.dx);
    side.u = fixed_add(side.u, edge.du);
    side.v = fixed_add(side.v, edge.dv);
    side.depth = fixed_add(side.depth, edge.ddepth);
}

// A texture coordinate (32768 per repeat) in 20.12 texels of a size.
Fixed texel_coordinate(int32_t coordinate, int32_t size)
{
    return static_cast<int32_t>(static_cast<uint32_t>(coordinate) * static_cast<uint32_t>(size)) >>
           TEXCOORD_TO_TEXEL_SHIFT;
}

// The per-pixel slopes of one triangle, constant over its rows.
struct RowSlopes {
    Fixed du;
    Fixed dv;
    int32_t ddepth;
};

SpanParams span_template(const DrawTarget& target, const RowSlopes& slopes)
{
    SpanParams span = {};
    span.du = slopes.du;
    span.dv = slopes.dv;
    span.ddepth = slopes.ddepth;
    span.tex_width = target.texture->width;
    span.tex_height = target.texture->height;
    span.u_mask = span.tex_width - 1;
    span.v_mask = span.tex_height - 1;
    span.row_shift = target.texture->width_shift;
    span.texels = target.texture->pixels;
    return span;
}

// Clips one row's run to the canvas and hands it to the span function.
void draw_row(SpanParams& span, const Side& left, const Side& right, int32_t y, Framebuffer* canvas)
{
    int32_t xl = fixed_to_int(left.x);
    int32_t xr = fixed_to_int(right.x);
    if (xr < 0 || xl >= CANVAS_WIDTH) {
        return;
    }
    int32_t skip = 0;
    if (xl < 0) {
        skip = -xl;
        xl = 0;
    }
    xr = std::min(xr, CANVAS_WIDTH);
    span.count = xr - xl;
    if (span.count <= 0) {
        return;
    }
    span.u = fixed_add(left.u, fixed_scale(span.du, skip));
    span.v = fixed_add(left.v, fixed_scale(span.dv, skip));
    span.depth = fixed_add(left.depth, fixed_scale(span.ddepth, skip));
    span.dest = canvas->pixels + y * CANVAS_WIDTH + xl;
    span.depth_dest = depth_buffer.depth + y * CANVAS_WIDTH + xl;
    span_function(span);
}

// Whether a face is kept: in front of the camera, on the canvas, facing it.
bool face_survives(const ModelVertex& p, const ModelVertex& q, const ModelVertex& r)
{
    if (p.behind != 0 || q.behind != 0 || r.behind != 0) {
        return false;  // no near clipping: a face reaching behind the camera is dropped whole
    }
    if ((p.sx < 0 && q.sx < 0 && r.sx < 0) || (p.sx >= CANVAS_RIGHT && q.sx >= CANVAS_RIGHT && r.sx >= CANVAS_RIGHT)) {
        return false;
    }
    if ((p.sy < 0 && q.sy < 0 && r.sy < 0) ||
        (p.sy >= CANVAS_BOTTOM && q.sy >= CANVAS_BOTTOM && r.sy >= CANVAS_BOTTOM)) {
        return false;
    }
    // Clockwise on the canvas (y down) is the front; equality draws.
    return fixed_mul(fixed_sub(p.sx, q.sx), fixed_sub(q.sy, r.sy)) >=
           fixed_mul(fixed_sub(p.sy, q.sy), fixed_sub(q.sx, r.sx));
}

}  // namespace

void reset_edges(Model* model)
{
    for (int32_t i = 0; i < model->edge_count; i++) {
        model->edges[i].ready = 0;
    }
}

void setup_edge(const ModelVertex& top, const ModelVertex& bottom, ModelEdge& edge, int32_t tex_width,
                int32_t tex_height)
{
    if (edge.ready != 0) {
        return;  // set up by an earlier face of this draw, whatever this face's vertex order
    }
    edge.ready = 1;
    const Fixed dy = fixed_sub(bottom.sy, top.sy);
    edge.flat = dy < FIXED_ONE ? 1 : 0;
    edge.u = texel_coordinate(top.u, tex_width);
    edge.v = texel_coordinate(top.v, tex_height);
    edge.x = top.sx;
    edge.depth = top.depth;
    if (edge.flat != 0) {
        return;  // its slopes never reach a drawn row
    }
    const Fixed inv = fixed_div(FIXED_ONE, dy);
    edge.du = fixed_mul(fixed_sub(texel_coordinate(bottom.u, tex_width), edge.u), inv);
    edge.dv = fixed_mul(fixed_sub(texel_coordinate(bottom.v, tex_height), edge.v), inv);
    edge.dx = fixed_mul(fixed_sub(bottom.sx, top.sx), inv);
    edge.ddepth = fixed_mul(fixed_sub(bottom.depth, top.depth), inv);
    if (top.sy < 0) {
        // Start at the canvas top: the values then belong to y = 0, not to a row boundary.
        const Fixed k = -top.sy;
        edge.u = fixed_add(edge.u, fixed_mul(edge.du, k));
        edge.v = fixed_add(edge.v, fixed_mul(edge.dv, k));
        edge.x = fixed_add(edge.x, fixed_mul(edge.dx, k));
        edge.depth = fixed_add(edge.depth, fixed_mul(edge.ddepth, k));
    }
}

void draw_triangle(const ModelFace& face, Model* model, const DrawTarget& target)
{
    const ModelVertex* frame = current_frame_vertices(*model);
    const ModelVertex* v0 = &frame[face.a];
    const ModelVertex* v1 = &frame[face.b];
    const ModelVertex* v2 = &frame[face.c];
    ModelEdge* e01 = &model->edges[face.edge_ab];
    ModelEdge* e12 = &model->edges[face.edge_bc];
    ModelEdge* e02 = &model->edges[face.edge_ac];
    // Sort by sy, each edge staying with its vertex pair.
    if (v2->sy <= v1->sy) {
        std::swap(v1, v2);
        std::swap(e01, e02);
    }
    if (v1->sy <= v0->sy) {
        std::swap(v0, v1);
        std::swap(e12, e02);
    }
    if (v2->sy <= v1->sy) {
        std::swap(v1, v2);
        std::swap(e01, e02);
    }
    const int32_t w = target.texture->width;
    const int32_t h = target.texture->height;
    setup_edge(*v0, *v1, *e01, w, h);
    setup_edge(*v0, *v2, *e02, w, h);
    setup_edge(*v1, *v2, *e12, w, h);
    const ModelEdge& upper = *e01;
    const ModelEdge& longest = *e02;
    const ModelEdge& lower = *e12;
    if (longest.flat != 0) {
        return;
    }
    const int32_t ystart = std::max(0, fixed_to_int(v0->sy));
    const int32_t yend = std::min(fixed_to_int(v2->sy), LAST_ROW);
    if (yend - ystart <= 0) {
        return;  // within one pixel row
    }
    const int32_t ymid = std::max(0, fixed_to_int(v1->sy));
    // The width at the middle vertex decides which side is left and gives
    // the per-pixel slopes for the whole triangle.
    const int32_t n = ymid - ystart;
    const Fixed width = fixed_sub(lower.x, fixed_add(longest.x, fixed_scale(longest.dx, n)));
    if (width == 0) {
        return;
    }
    RowSlopes slopes;
    slopes.du = fixed_div(fixed_sub(lower.u, fixed_add(longest.u, fixed_scale(longest.du, n))), width);
    slopes.dv = fixed_div(fixed_sub(lower.v, fixed_add(longest.v, fixed_scale(longest.dv, n))), width);
    slopes.ddepth = fixed_div(fixed_sub(lower.depth, fixed_add(longest.depth, fixed_scale(longest.ddepth, n))), width);
    SpanParams span = span_template(target, slopes);
    const bool long_is_left = width > 0;
    Side long_side = edge_start(longest);
    const ModelEdge* short_edge = ystart < ymid ? &upper : &lower;
    Side short_side = edge_start(*short_edge);
    for (int32_t y = ystart; y <= yend; y++) {
        if (long_is_left) {
            draw_row(span, long_side, short_side, y, target.canvas);
        } else {
            draw_row(span, short_side, long_side, y, target.canvas);
        }
        // The sides lag a row: nothing moves after the first one.
        if (y != ystart) {
            step_side(long_side, longest);
        }
        if (y == ymid) {
            short_edge = &lower;
            short_side = edge_start(lower);
        } else if (y != ystart) {
            step_side(short_side, *short_edge);
        }
    }
}

void draw_model(Model* model, Framebuffer* canvas)
{
    if (model->transformed == 0) {
        return;
    }
    if (span_function == nullptr) {
        span_function = span_opaque;
    }
    const Image* texture = texture_pool_image(model->texture);
    const ModelVertex* frame = current_frame_vertices(*model);
    if (texture == nullptr || frame == nullptr || model->edges == nullptr) {
        return;  // untextured, or nothing loaded
    }
    const DrawTarget target = {canvas, texture};
    reset_edges(model);
    for (int32_t i = 0; i < model->face_count; i++) {
        ModelFace& face = model->faces[i];
        const ModelVertex& p = frame[face.a];
        const ModelVertex& q = frame[face.b];
        const ModelVertex& r = frame[face.c];
        if ((p.outcode & q.outcode & r.outcode) != 0) {
            face.visible = 0;  // all three outside the same plane
            continue;
        }
        face.visible = -1;
        if (face_survives(p, q, r)) {
            draw_triangle(face, model, target);
        }
    }
}
