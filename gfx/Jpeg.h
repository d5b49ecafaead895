#pragma once
// JPEG reading and writing through libjpeg; the library's errors become EInvalidGraphic and
// never end the process.
#include "gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

void DecodeJpeg(TBitmap& bitmap, const void* data, std::size_t size);
// A picture drawn at `scale` device pixels a point: the bitmap gets that scale, the JPEG's
// pixels as its stored pixels and the JPEG's size divided by the scale as its size. A JPEG
// whose size the scale does not divide is refused (EInvalidGraphic).
void DecodeJpeg(TBitmap& bitmap, const void* data, std::size_t size, int scale);

struct TJpegWriteOptions {
    int quality = 90;         // 1 to 100
    bool progressive = false; // several scans, coarse to fine
    bool grey = false;        // one channel: the green of each pixel
};
// The picture as a JPEG file (for tools and tests that need JPEG input).
std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, const TJpegWriteOptions& options = {});
bool IsJpeg(const void* data, std::size_t size);
