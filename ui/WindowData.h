#pragma once
// The window system's record of one window (TWinControl::WindowData), private to ui/.
#include "gfx/Bitmap.h"
#include "gfx/Region.h"
#include "ui/UpdateArea.h"
#include "ui/WinControl.h"

struct TScrollBarState {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
    bool disabled = false;
};

struct TWinControl::WindowData {
    TUpdateArea update; // client coordinates
    bool erase = false;
    bool ncDirty = true;
    bool hasShape = false;
    TRegion shape; // window coordinates
    TScrollBarState bars[2];
    // Top-level windows only.
    int displayId = 0;
    TBitmap surface;
    TRect presentDirty; // window coordinates
    bool minimized = false;
};
