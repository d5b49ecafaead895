#pragma once
// The skin put together at a window size, for looking at it.
#include "tools/skingen/Raster.h"

Raster PaintPreview(int width, int height);
// Writes the caption and a few control texts over a preview, in the skin's fonts.
void LabelPreview(TBitmap& preview);
