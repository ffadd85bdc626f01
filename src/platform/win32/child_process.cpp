// Helper programs on Windows: not started. The video export, the only user,
// is refused with a line that says why.
#include "platform/child_process.h"

int32_t platform_find_program(const char*)
{
    return 0;
}

std::string platform_program_missing(const char* name)
{
    return std::string(name) + ", which the Windows build does not run (render videos with the Linux build)";
}

int32_t platform_child_start(ChildProcess* child, const std::vector<std::string>&, std::string* why)
{
    child->pid = 0;
    child->input = -1;
    *why = "the Windows build does not run helper programs (render videos with the Linux build)";
    return 0;
}

int32_t platform_child_write(ChildProcess*, const void*, size_t)
{
    return 0;
}

int32_t platform_child_finish(ChildProcess*)
{
    return -1;
}

void platform_child_kill(ChildProcess* child)
{
    child->pid = 0;
    child->input = -1;
}
