#pragma once
// Pictures sliced from the skin's 1x pictures that text or other pictures are drawn into next
// (a frame's caption strip, a hint's background): on a device-scaled surface they are made
// scaled first, so that what is drawn into them is as sharp as the surface.
#include "gfx/Bitmap.h"

// Makes `picture` a picture of `scale`, each of its pixels an s x s block of the new one, its
// formats and transparency kept. Nothing changes when it has that scale already.
void EnlargeToScale(TBitmap& picture, int scale);
