#pragma once
// Window regions from 1-bit mask pictures: the black pixels are inside.
#include "gfx/Bitmap.h"
#include "gfx/Region.h"
#include "skin/SkinSlicing.h"

// Rectangles the mask scanner collects before handing them to the region; a mask of any
// size is scanned with this much memory for the list.
constexpr int MaskRectListCapacity = 10001;

// The region of the mask's black pixels (red, green and blue all 0), one rectangle per
// horizontal run, placed at (ox, oy). Empty for an empty mask.
TRegion RegionFromMask(const TBitmap& mask, int ox = 0, int oy = 0);

// The region of a sliced mask for a target of width x height: the four border strips of the
// mask (always tiled) placed around the new client rect, plus the client rect itself. Empty
// when the mask is empty, the new client rect is empty, or the target is smaller than the
// fixed corners.
TRegion RegionFromSlicedMask(const TBitmap& mask, const TspSlicePoints& points,
                             const TspSlicePoints& newPoints, int width, int height);
