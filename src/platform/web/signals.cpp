// Signals in a browser: there are none; the page ends the show through Escape or its own controls.
#include "platform/signals.h"

void platform_signals_install() {}

int32_t platform_stop_signalled()
{
    return 0;
}

void platform_stop_lost_terminal() {}

int32_t platform_signals_finish(int32_t status)
{
    return status;
}
