// A helper program started with a pipe to its standard input (the video encoder).
#include "platform/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

int32_t platform_find_program(const char* name)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr || name == nullptr || name[0] == '\0') {
        return 0;
    }
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return 1;
        }
        start = end + 1;
    }
    return 0;
}

std::string platform_program_missing(const char* name)
{
    return std::string(name) + ", which is not on PATH (Debian: apt-get install " + name + ")";
}

int32_t platform_child_start(ChildProcess* child, const std::vector<std::string>& argv, std::string* why)
{
    *child = ChildProcess{0, -1};
    // A child that dies would otherwise kill us on the next write.
    signal(SIGPIPE, SIG_IGN);
    int fds[2];
    if (pipe(fds) != 0) {
        *why = std::string("cannot make a pipe (") + std::strerror(errno) + ")";
        return 0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (error != 0) {
        close(fds[1]);
        *why = std::string("cannot start ") + argv[0] + " (" + std::strerror(error) + ")";
        return 0;
    }
    child->pid = static_cast<int32_t>(pid);
    child->input = fds[1];
    return 1;
}

int32_t platform_child_write(ChildProcess* child, const void* bytes, size_t length)
{
    const char* next = static_cast<const char*>(bytes);
    while (length > 0 && child->input >= 0) {
        ssize_t written = write(child->input, next, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return 0;
        }
        next += written;
        length -= static_cast<size_t>(written);
    }
    return length == 0 ? 1 : 0;
}

namespace {

int32_t wait_child(ChildProcess* child)
{
    if (child->input >= 0) {
        close(child->input);
        child->input = -1;
    }
    if (child->pid == 0) {
        return -1;
    }
    int status = 0;
    pid_t done = 0;
    do {
        done = waitpid(static_cast<pid_t>(child->pid), &status, 0);
    } while (done < 0 && errno == EINTR);
    child->pid = 0;
    if (done < 0 || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

int32_t platform_child_finish(ChildProcess* child)
{
    return wait_child(child);
}

void platform_child_kill(ChildProcess* child)
{
    if (child->pid != 0) {
        kill(static_cast<pid_t>(child->pid), SIGKILL);
    }
    wait_child(child);
}
