// Ctrl-C, Ctrl-Break and the console window's close button: a console control
// handler that asks the main loop for a clean shut-down.
#include "platform/signals.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/console.h"
#include "platform/output_file.h"

namespace {

constexpr int32_t STOP_LOST_CONSOLE = -1;
// Windows ends the process soon after the handler of a close returns: it
// waits this long for the main loop to give the console back first.
constexpr DWORD CLOSE_GRACE_MS = 3000;
constexpr DWORD CLOSE_POLL_MS = 20;

struct ControlState {
    std::atomic<int32_t> installed;
    std::atomic<int32_t> out_of_memory;  // 1 once the exit for a failed allocation began
    std::atomic<int32_t> stop;           // 0, the control event + 1, or STOP_LOST_CONSOLE
    std::atomic<int32_t> finished;       // 1 once the shut-down has run
};

// Lives for the whole process; the handler runs on a thread of its own.
ControlState control_state;

BOOL WINAPI on_control(DWORD event)
{
    int32_t none = 0;
    control_state.stop.compare_exchange_strong(none, static_cast<int32_t>(event) + 1);
    bool closing = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    for (DWORD waited = 0; closing && control_state.finished.load() == 0 && waited < CLOSE_GRACE_MS;
         waited += CLOSE_POLL_MS) {
        Sleep(CLOSE_POLL_MS);
    }
    return TRUE;
}

// No exceptions are caught anywhere: a failed allocation ends the run here
// with one line, the console and the files as a stop leaves them.
void on_out_of_memory()
{
    if (control_state.out_of_memory.exchange(1) == 0) {
        platform_remove_unfinished_outputs();
        console_driver->close();
        std::fputs("korvel: out of memory\n", stderr);
        std::fflush(stderr);
    }
    std::_Exit(1);
}

}  // namespace

void platform_signals_install()
{
    if (control_state.installed.exchange(1) != 0) {
        return;
    }
    SetConsoleCtrlHandler(on_control, TRUE);
    std::set_new_handler(on_out_of_memory);
}

int32_t platform_stop_signalled()
{
    return control_state.stop.load() != 0 ? 1 : 0;
}

void platform_stop_lost_terminal()
{
    int32_t none = 0;
    control_state.stop.compare_exchange_strong(none, STOP_LOST_CONSOLE);
}

int32_t platform_signals_finish(int32_t status)
{
    control_state.finished.store(1);
    return control_state.stop.load() == STOP_LOST_CONSOLE ? 1 : status;
}
