#pragma once
// The bridge between the window framework's accessible model (ui/Accessible.h) and the
// desktop's accessibility bus, through ATK and its AT-SPI adaptor. Only the program links
// it; tests, tools and benchmarks never do.
#include <string>

// Starts the bridge on the UI thread once the window shows: only where a session bus is
// named (DBUS_SESSION_BUS_ADDRESS) and NO_AT_BRIDGE is not set. Afterwards the application's
// loop serves the bus's requests on the UI thread. False, with the reason, when it is not
// started; the program then runs as it does without one.
bool StartAccessibilityBridge(std::string& reason);
// Stops listening to the controls and leaves the bus (at exit).
void StopAccessibilityBridge();
