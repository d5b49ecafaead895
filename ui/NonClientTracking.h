#pragma once
// A press in the non-client area that holds the mouse until it is let go: a caption drag, a
// scroll bar part or a caption button.
#include <cstdint>

#include "gfx/Types.h"

class TWinControl;

struct TNonClientTracking {
    enum Kind { None, Move, ScrollBar, Button } kind = None;
    TWinControl* wnd = nullptr;
    TPoint start;      // screen
    TRect startBounds; // window bounds at the start
    int bar = 0;       // SB_HORZ / SB_VERT
    int code = 0;      // scroll code repeated, or hit code of the button
    int thumbOffset = 0;
    bool inside = false;
    uint64_t nextRepeat = 0;
};
