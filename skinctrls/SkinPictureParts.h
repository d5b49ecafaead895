#pragma once
// Parts of a skin picture put on a canvas: repeated over an area (page, panel and strip
// backgrounds) or drawn once with a transparent colour (check marks, glyphs).
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Types.h"

// Tiles `source` of `picture` left to right and top to bottom from dest's top-left corner,
// cutting the last column and row at dest's edges. Nothing for an empty source or picture.
void TilePicture(TCanvas& canvas, const TBitmap& picture, const TRect& source, const TRect& dest);

// `part` of `picture` at (x, y), the colour of its bottom-left pixel left out; lightened half
// way to white first when asked (the grayed look of a check box).
void DrawTransparentPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, int x, int y,
                         bool lightened = false);
// `part` of `picture` stretched over `dest`.
void StretchPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, const TRect& dest);
