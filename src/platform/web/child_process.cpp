// Helper programs in a browser: a page cannot start any, so every attempt fails with the reason.
#include "platform/child_process.h"

int32_t platform_find_program(const char*)
{
    return 0;
}

std::string platform_program_missing(const char* name)
{
    return std::string(name) + " (a web page cannot run programs)";
}

int32_t platform_child_start(ChildProcess* child, const std::vector<std::string>&, std::string* why)
{
    child->pid = 0;
    child->input = -1;
    *why = "a web page cannot run programs";
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

void platform_child_kill(ChildProcess*) {}
