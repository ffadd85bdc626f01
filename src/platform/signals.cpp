// Process signals: stop requests, Ctrl-Z and continue, resizes, and the
// terminal's restore on fatal signals. Handlers use async-signal-safe calls only.
#include "platform/signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/terminal_state.h"

namespace {

struct SignalState {
    std::atomic<int32_t> installed;
    std::atomic<int32_t> stop;
};

// Lives for the whole process.
SignalState signal_state;

// A stack overflow still gets its handler (and the terminal its restore).
alignas(16) char alternate_stack[64 * 1024];

const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int FATAL_SIGNALS[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

void set_handler(int sig, void (*handler)(int), int flags)
{
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
}

// A signal ignored when we started stays ignored (nohup, background jobs of
// a non-interactive shell).
void set_handler_unless_ignored(int sig, void (*handler)(int), int flags)
{
    struct sigaction old;
    std::memset(&old, 0, sizeof(old));
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) {
        return;
    }
    set_handler(sig, handler, flags);
}

// Restore first, then let the signal do what it would have done.
void die_by_default(int sig)
{
    terminal_restore();
    set_handler(sig, SIG_DFL, 0);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, sig);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(sig);
}

void on_stop(int sig)
{
    if (signal_state.stop.exchange(1) != 0) {
        die_by_default(sig);
    }
}

void on_fatal(int sig)
{
    die_by_default(sig);
}

void on_resize(int)
{
    terminal.resize_pending.store(1);
}

// After a stop of any kind: the shell may have reset the modes and drawn
// over the screen. Only one of the two ways back may re-enter.
void resume_terminal()
{
    if (terminal.suspended.exchange(0) != 0 && terminal.open.load() != 0) {
        terminal_enter();
    } else if (terminal.active.load() != 0) {
        tcsetattr(TERMINAL_INPUT_FD, TCSANOW, &terminal.raw_modes);
    }
    terminal.resize_pending.store(1);
}

void on_continue(int)
{
    int saved_errno = errno;
    resume_terminal();
    errno = saved_errno;
}

void on_suspend(int)
{
    int saved_errno = errno;
    if (terminal_restore() != 0) {
        terminal.suspended.store(1);
    }
    set_handler(SIGTSTP, SIG_DFL, 0);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    // Stops here until SIGCONT. The kernel discards it instead when no shell
    // could continue us (an orphaned process group): then we simply go on.
    raise(SIGTSTP);
    set_handler(SIGTSTP, on_suspend, SA_RESTART);
    resume_terminal();
    errno = saved_errno;
}

void install_alternate_stack()
{
    stack_t stack;
    std::memset(&stack, 0, sizeof(stack));
    stack.ss_sp = alternate_stack;
    stack.ss_size = sizeof(alternate_stack);
    sigaltstack(&stack, nullptr);
}

}  // namespace

void platform_signals_install()
{
    if (signal_state.installed.exchange(1) != 0) {
        return;
    }
    install_alternate_stack();
    for (int sig : STOP_SIGNALS) {
        set_handler_unless_ignored(sig, on_stop, SA_RESTART);
    }
    for (int sig : FATAL_SIGNALS) {
        set_handler(sig, on_fatal, SA_ONSTACK | SA_RESETHAND | SA_NODEFER);
    }
    set_handler_unless_ignored(SIGTSTP, on_suspend, SA_RESTART);
    set_handler(SIGCONT, on_continue, SA_RESTART);
    set_handler(SIGWINCH, on_resize, SA_RESTART);
}

int32_t platform_stop_signalled()
{
    return signal_state.stop.load();
}
