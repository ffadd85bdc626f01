// Test helper: runs a function in a child process on a pseudo-terminal.
#include "pty_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

namespace {

void drain(int fd, std::string* into)
{
    char buffer[4096];
    for (;;) {
        ssize_t count = read(fd, buffer, sizeof(buffer));
        if (count <= 0) {
            return;
        }
        into->append(buffer, static_cast<size_t>(count));
    }
}

[[noreturn]] void run_child(void (*body)(), int slave, int master, int error_write)
{
    setpgid(0, 0);
    rlimit no_core = {0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    dup2(slave, 0);
    dup2(slave, 1);
    dup2(error_write, 2);
    close(master);
    body();
    _exit(0);
}

}  // namespace

void pty_run(void (*body)(), int columns, int rows, PtyRun* run)
{
    *run = PtyRun{};
    int master = -1;
    int slave = -1;
    winsize size = {static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        run->timed_out = 1;
        return;
    }
    tcgetattr(slave, &run->before);
    int errors[2];
    if (pipe(errors) != 0) {
        run->timed_out = 1;
        return;
    }
    pid_t child = fork();
    if (child == 0) {
        close(errors[0]);
        run_child(body, slave, master, errors[1]);
    }
    close(errors[1]);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(errors[0], F_SETFL, fcntl(errors[0], F_GETFL) | O_NONBLOCK);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        pollfd fds[2] = {{master, POLLIN, 0}, {errors[0], POLLIN, 0}};
        poll(fds, 2, 20);
        drain(master, &run->output);
        drain(errors[0], &run->errors);
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG | WUNTRACED);
        if (done == child && WIFSTOPPED(status)) {
            usleep(20000);
            drain(master, &run->output);
            run->stopped = 1;
            run->output_at_stop = run->output;
            tcgetattr(slave, &run->at_stop);
            kill(child, SIGCONT);
            continue;
        }
        if (done == child) {
            run->status = status;
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            run->timed_out = 1;
            break;
        }
    }
    drain(master, &run->output);
    drain(errors[0], &run->errors);
    tcgetattr(slave, &run->after);
    close(errors[0]);
    close(master);
    close(slave);
}

bool same_modes(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof(a.c_cc)) == 0;
}

int count_of(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        count++;
    }
    return count;
}
