#pragma once
// Reading a skin's cursor files: the cursor file format (a small directory whose first entry
// gives the size and the hot spot, then a BMP-style image with its transparency mask, or a
// PNG image) and the animated cursor format, of which the first frame is taken.
#include "gfx/Bitmap.h"
#include "gfx/Types.h"

#include <cstddef>
#include <cstdint>

struct TSkinCursorImage {
    TBitmap Image; // 32-bit ARGB, alpha 0 where the cursor is transparent
    TPoint HotSpot;
};

// Raises EInvalidGraphic, saying what is wrong, for bytes that are neither format or are
// malformed, truncated or absurdly large.
TSkinCursorImage ReadSkinCursor(const std::uint8_t* data, std::size_t size);
