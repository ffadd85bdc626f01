// The headless console driver: frames kept in memory, the terminal never touched.
#pragma once
#include "platform/console.h"

extern const ConsoleDriver HEADLESS_CONSOLE_DRIVER;
