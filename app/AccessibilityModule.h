#pragma once
// The program's way onto the desktop's accessibility bus: the bridge module (atkbridge/),
// opened after the first frame and only where a screen reader can be there at all, so that
// the start never maps ATK, GLib and D-Bus.
#include <string>
#include <vector>

// Why the bridge is not wanted here, or empty: no session bus is named
// (DBUS_SESSION_BUS_ADDRESS unset, empty or "disabled:"), or NO_AT_BRIDGE is 1.
std::string AccessibilityUnwanted();
// Where the module is looked for, in order, for a program at `executable`: where the
// package installs it, then where the build puts it.
std::vector<std::string> AccessibilityModulePaths(const std::string& executable);
// Opens and starts the bridge; false with the reason when it is not started (the program
// then runs as it does without one).
bool StartAccessibility(std::string& reason);
// Stops the bridge, if it runs.
void StopAccessibility();
