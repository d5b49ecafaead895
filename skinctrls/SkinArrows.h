#pragma once
// The small arrows of spin buttons, scrollers and roll-up captions: four lines, 7 pixels
// wide at the base, centred in a rectangle.
#include "gfx/Canvas.h"

enum class TspArrowDirection { Up, Down, Left, Right };

void DrawSkinArrow(TCanvas& canvas, const TRect& rect, TspArrowDirection direction, TColor color);
