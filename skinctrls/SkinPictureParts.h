#pragma once
// Parts of a skin picture put on a canvas once: with a transparent colour (check marks,
// caption marks) or stretched over a rectangle (button states).
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Types.h"

// `part` of `picture` at (x, y), the colour of its bottom-left pixel left out; lightened half
// way to white first when asked (the grayed look of a check box).
void DrawTransparentPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, int x, int y,
                         bool lightened = false);
// `part` of `picture` stretched over `dest`.
void StretchPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, const TRect& dest);
