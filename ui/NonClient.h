#pragma once
// The default non-client area: borders, client and static edges, the standard scroll bars
// and the classic frame of a form.
#include "gfx/Canvas.h"
#include "ui/WinControl.h"

class TCustomForm;

// Default non-client handling (NonClient.cpp).
namespace NonClient {
constexpr int ScrollBarSize = 17;
// The classic form frame: FrameWidth on every side and, below the top edge, a caption of
// CaptionHeight (its last row a line between the caption bar and the client area).
constexpr int FrameWidth = 3;
constexpr int CaptionHeight = 19;
void CalcSize(TWinControl* w, TNCCalcSizeParams& p);
void Paint(TWinControl* w, TCanvas& canvas); // canvas origin at the window's top-left
int HitTest(TWinControl* w, TPoint windowPt);
// Rectangles of the bars in window coordinates (empty when the bar is not shown).
TRect BarRect(TWinControl* w, int bar);
void PaintScrollBar(TWinControl* w, TCanvas& canvas, int bar);
// Starts tracking a press on a scroll bar at a window point.
void ScrollBarDown(TWinControl* w, int bar, TPoint windowPt);
void ScrollBarMove(TWinControl* w, TPoint windowPt);
void ScrollBarUp(TWinControl* w);
void ScrollBarRepeat(TWinControl* w);
// The cursor over a non-client part (sizing arrows on the sizing borders).
void ShowCursorFor(int hit);
// The classic frame of a form (without a frame of its own program); points in window
// coordinates. FormButtonDown starts a caption drag or a caption button press and answers
// whether it took the hit code.
void FormCalcSize(TCustomForm* form, TNCCalcSizeParams& p);
void FormPaint(TCustomForm* form, TCanvas& canvas);
int FormHitTest(TCustomForm* form, TPoint windowPt);
bool FormButtonDown(TCustomForm* form, int hit, TPoint screen);
// Draws a classic raised or sunken edge.
void DrawEdge3D(TCanvas& canvas, TRect r, bool raised, bool pressed);
} // namespace NonClient
