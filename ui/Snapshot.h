#pragma once
// Pictures of windows as the window system last painted them.
#include <string>

#include "gfx/Bitmap.h"
#include "ui/Control.h"

// Copies the control's window (or, for a windowless control, its area on its parent) into
// `bitmap`, one pixel a point whatever the display's scale (on a scaled surface each point
// reads as the top-left pixel of its block); the top-level window's pending paint runs first.
// False when it is not showing.
bool SnapshotControl(TControl* control, TBitmap& bitmap);
// The same area at device resolution: DeviceScale() pixels a point in each direction, as a
// plain (1x) picture of that many pixels.
bool SnapshotControlDevice(TControl* control, TBitmap& bitmap);
// Writes those pictures as PNG; raise EFCreateError when the file cannot be written.
bool WriteWindowPng(TControl* control, const std::string& path);
bool WriteWindowPngDevice(TControl* control, const std::string& path);
