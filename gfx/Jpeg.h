#pragma once
// JPEG decoding through libjpeg; the library's errors become EInvalidGraphic and never end the
// process.
#include "gfx/Bitmap.h"

#include <cstddef>

void DecodeJpeg(TBitmap& bitmap, const void* data, std::size_t size);
bool IsJpeg(const void* data, std::size_t size);
