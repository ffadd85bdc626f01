// Process signals: stop requests, Ctrl-Z and continue, resizes, and the
// terminal's restore on fatal signals. Handlers use async-signal-safe calls only.
#include "platform/signals.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>

#include "platform/output_file.h"
#include "platform/terminal_state.h"

namespace {

// The stop's cause: 0 none yet, a signal number, or STOP_LOST_TERMINAL.
constexpr int32_t STOP_LOST_TERMINAL = -1;

struct SignalState {
    std::atomic<int32_t> installed;
    std::atomic<int32_t> stop;
    std::atomic<int32_t> out_of_memory;  // 1 once the exit for a failed allocation began
};

// Lives for the whole process.
SignalState signal_state;

// A stack overflow still gets its handler (and the terminal its restore).
alignas(16) char alternate_stack[64 * 1024];

const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int FATAL_SIGNALS[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// Every other signal whose default action ends the process (the real-time
// ones too): the unfinished files are removed and the terminal restored
// before it does.
const int ENDING_SIGNALS[] = {SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU,
                              SIGXFSZ, SIGSYS,  SIGTRAP, SIGIO,     SIGPWR,  SIGSTKFLT};
constexpr char OUT_OF_MEMORY_LINE[] = "korvel: out of memory\n";

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
    platform_remove_unfinished_outputs();
    terminal_restore(RESTORE_HURRIED_MS);
    set_handler(sig, SIG_DFL, 0);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, sig);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(sig);
}

// The first asks for a clean shut-down; a write blocked on a terminal that
// stopped reading is cut short (no SA_RESTART) and not resumed. The second
// ends the process at once, the restore bounded in time.
void on_stop(int sig)
{
    terminal.abandon_output.store(1);
    int32_t expected = 0;
    if (!signal_state.stop.compare_exchange_strong(expected, sig)) {
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
    if (terminal_restore(RESTORE_PATIENT_MS) != 0) {
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

// No exceptions are caught anywhere: a failed allocation ends the run here
// with one line, the terminal and the files as a stop signal leaves them.
void on_out_of_memory()
{
    if (signal_state.out_of_memory.exchange(1) == 0) {
        platform_remove_unfinished_outputs();
        terminal_restore(RESTORE_HURRIED_MS);
        terminal_write_all(STDERR_FILENO, OUT_OF_MEMORY_LINE, sizeof(OUT_OF_MEMORY_LINE) - 1);
    }
    _exit(1);
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
        set_handler_unless_ignored(sig, on_stop, 0);
    }
    for (int sig : FATAL_SIGNALS) {
        set_handler(sig, on_fatal, SA_ONSTACK | SA_RESETHAND | SA_NODEFER);
    }
    for (int sig : ENDING_SIGNALS) {
        set_handler_unless_ignored(sig, on_fatal, SA_ONSTACK | SA_RESETHAND);
    }
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; sig++) {
        set_handler_unless_ignored(sig, on_fatal, SA_ONSTACK | SA_RESETHAND);
    }
    std::set_new_handler(on_out_of_memory);
    // A terminal that went away shows as a failed write, which ends the run.
    set_handler(SIGPIPE, SIG_IGN, 0);
    set_handler_unless_ignored(SIGTSTP, on_suspend, SA_RESTART);
    set_handler(SIGCONT, on_continue, SA_RESTART);
    set_handler(SIGWINCH, on_resize, SA_RESTART);
}

int32_t platform_stop_signalled()
{
    return signal_state.stop.load() != 0 ? 1 : 0;
}

void platform_stop_lost_terminal()
{
    int32_t expected = 0;
    signal_state.stop.compare_exchange_strong(expected, STOP_LOST_TERMINAL);
}

int32_t platform_signals_finish(int32_t status)
{
    int32_t cause = signal_state.stop.load();
    if (cause == STOP_LOST_TERMINAL) {
        return 1;
    }
    if (cause > 0) {
        set_handler(cause, SIG_DFL, 0);
        sigset_t unblock;
        sigemptyset(&unblock);
        sigaddset(&unblock, cause);
        sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
        raise(cause);
    }
    return status;
}
