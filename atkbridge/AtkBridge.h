#pragma once
// The bridge between the window framework's accessible model (ui/Accessible.h) and the
// desktop's accessibility bus, through ATK and its AT-SPI adaptor. Built as a shared module
// that the program opens (app/AccessibilityModule.h); these are its two entries.
#include <cstddef>

extern "C" {
// Starts the bridge on the UI thread once the window shows: only where a session bus is
// named (DBUS_SESSION_BUS_ADDRESS) and NO_AT_BRIDGE is not 1. Afterwards the application's
// loop serves the bus's requests on the UI thread. 0 when it is not started, with the
// reason in `reason` (NUL-terminated, cut to `size`); the program then runs as without one.
int brelvan_start_accessibility(char* reason, size_t size);
// Stops listening to the controls and leaves the bus (at exit).
void brelvan_stop_accessibility();
}
