#pragma once
// What the skin asks of the screen beyond drawing: whether windows can be made partly
// transparent, making one so, and reading back what the screen shows under a rectangle.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"

class TCustomForm;

// True where the display shows top-level windows partly transparent.
bool LayeredWindowsAvailable();
// The form's window at `alpha` (0 invisible .. 255 opaque); false where the display cannot
// or the form has no window yet.
bool SetWindowAlpha(TCustomForm* form, int alpha);
// What the screen shows under `screenRect` into `bitmap` (sized to the rectangle, one pixel a
// point); false, with the bitmap left as it was, where the screen cannot be read (Wayland).
bool CopyScreenImage(const TRect& screenRect, TBitmap& bitmap);
