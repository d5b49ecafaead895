#pragma once
// Pieces of the built-in look that skinned controls draw without a skin record: the fills of
// hot and pressed faces, 3-D frames, the bevel kinds of panel borders and the check mark.
#include "gfx/Canvas.h"
#include "ui/ExtCtrls.h"

// A hot face (mouse over, highlighted) and a pressed one.
constexpr TColor BuiltInHotFill = 0x00D2BDB6;
constexpr TColor BuiltInPressedFill = 0x00B59285;

// A 1-pixel frame: top and left edges in one colour, bottom and right in the other.
void Frame3D(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight);
// The border of a panel or framed label: bvFrame a shadow frame, bvRaised light over dark,
// bvLowered dark over light, others nothing.
void DrawBevelCutFrame(TCanvas& canvas, const TRect& r, TBevelCut cut);
// The check mark of check boxes and check captions: three parallel strokes from (left, top + 5)
// down to (left + 2, top + 7) and up to (left + 7, top + 2), end points left out.
void DrawBuiltInCheckMark(TCanvas& canvas, int left, int top, TColor color);
