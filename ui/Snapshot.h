#pragma once
// Pictures of windows as the window system last painted them.
#include <string>

#include "gfx/Bitmap.h"
#include "ui/Control.h"

// Copies the control's window (or, for a windowless control, its area on its parent) into
// `bitmap`; the top-level window's pending paint runs first. False when it is not showing.
bool SnapshotControl(TControl* control, TBitmap& bitmap);
// Writes that picture as PNG; raises EFCreateError when the file cannot be written.
bool WriteWindowPng(TControl* control, const std::string& path);
