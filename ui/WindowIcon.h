#pragma once
// The picture that stands for a window on the screen (task bar, window switcher, the
// system-menu button of a skinned frame): the form's icon, else the application's, else the
// platform's default application icon.
#include "gfx/Bitmap.h"

#include <cstdint>
#include <vector>

class TCustomForm;

// The default application icon, 32 x 32 cells of `scale` (1 to 3) pixels each, with its
// alpha defined.
const TBitmap& DefaultApplicationIcon(int scale = 1);
// The icon a form shows: its own, the application's or the default (drawn for `scale`).
const TBitmap& WindowIconOf(const TCustomForm* form, int scale = 1);
// The icon at size x size, averaged area by area so that small sizes keep their shape; the
// alpha (or the transparent colour) carries over.
TBitmap ScaleIcon(const TBitmap& icon, int size);
// Pixels 0xAARRGGBB with the bitmap's transparency as alpha.
std::vector<uint32_t> IconPixels(const TBitmap& icon);
// Hands the form's icon to the display window it has (nothing while it has none).
void ShowWindowIcon(TCustomForm* form);
