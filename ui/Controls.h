#pragma once
// Controls: TControl (anything placed on a form), TWinControl (a control that owns a window:
// bounds in its parent, styles, z-order, focus, non-client area, scroll bars, update region),
// TCustomControl (a windowed control that paints itself on its Canvas) and TGraphicControl (a
// windowless control painted on its parent's canvas, which also routes its mouse input).
// Each class has its own header; this one gathers them with the window functions
// (ui/WinApi.h). ui/Control.h tells how a message reaches its handler.
#include "ui/Control.h"
#include "ui/CustomControl.h"
#include "ui/GraphicControl.h"
#include "ui/MessageTable.h"
#include "ui/WinApi.h"
#include "ui/WinControl.h"
