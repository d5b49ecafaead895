#pragma once
// Repeating a part of a picture over an area, as page, panel and strip backgrounds do.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Types.h"

// Tiles `source` of `picture` left to right and top to bottom from dest's top-left corner,
// cutting the last column and row at dest's edges. Nothing for an empty source or picture.
void TilePicture(TCanvas& canvas, const TBitmap& picture, const TRect& source, const TRect& dest);
