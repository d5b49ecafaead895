#pragma once
// Where windows are in their top-level window, and what of them can be seen; shared by the
// paint pass, the caret and the window functions.
#include "gfx/Region.h"
#include "ui/WindowData.h"

namespace WindowGeometry {
// The top-level window of c (nullptr for a windowless control without a parent).
TWinControl* TopOf(const TControl* c);
// Window origin of w in its top-level window's coordinates.
TPoint WindowOffset(const TWinControl* w);
// The window's shape (or its rectangle) placed at offset.
TRegion ShapeAt(const TWinControl::WindowData& d, TPoint offset, int w, int h);
// The part of w's window that can be seen, in top-level coordinates.
TRegion VisibleRegion(const TWinControl* w);
// Whether w or a visible window below it waits for a paint.
bool SubtreeDirty(const TWinControl* w);
} // namespace WindowGeometry
