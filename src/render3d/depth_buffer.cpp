// The depth buffer's storage and clearing.
#include "render3d/depth_buffer.h"

DepthBuffer depth_buffer;

void clear_depth_buffer()
{
    for (int32_t i = 0; i < CANVAS_PIXELS; i++) {
        depth_buffer.depth[i] = DEPTH_FAR_AWAY;
    }
}

DepthBuffer* get_depth_buffer()
{
    return &depth_buffer;
}
