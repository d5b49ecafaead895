#pragma once
// The skin put together at a window size, for looking at it.
#include "tools/skingen/Raster.h"

Raster PaintPreview(int width, int height);
