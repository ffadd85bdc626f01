// Helper programs where none can be started (Windows, the browser): every attempt fails with the reason.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
#include "platform/child_process.h"

namespace {

#ifdef _WIN32
// The video export, the only user, is refused with a line that says why.
constexpr char MISSING_SUFFIX[] = ", which the Windows build does not run (render videos with the Linux build)";
constexpr char WHY[] = "the Windows build does not run helper programs (render videos with the Linux build)";
#else
constexpr char MISSING_SUFFIX[] = " (a web page cannot run programs)";
constexpr char WHY[] = "a web page cannot run programs";
#endif

}  // namespace

int32_t platform_find_program(const char*)
{
    return 0;
}

std::string platform_program_missing(const char* name)
{
    return std::string(name) + MISSING_SUFFIX;
}

int32_t platform_child_start(ChildProcess* child, const std::vector<std::string>&, std::string* why)
{
    child->pid = 0;
    child->input = -1;
    *why = WHY;
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
#endif
