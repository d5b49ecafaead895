#pragma once
// A picture turned: flipped top to bottom, or rotated a quarter turn. What is drawn for one
// edge of a control (a tab on top) is turned to stand on another (bottom, left, right).
#include "gfx/Bitmap.h"

// The same picture, its rows in reverse order.
TBitmap FlippedVertically(const TBitmap& picture);
// The picture rotated by 90 degrees: clockwise, its top edge becomes the right edge;
// counter-clockwise, the left edge. Width and height swap. Both keep the picture's scale.
TBitmap RotatedQuarter(const TBitmap& picture, bool clockwise);
