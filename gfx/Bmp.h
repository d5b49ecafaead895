#pragma once
// Our BMP codec: reads 1, 4, 8, 16, 24 and 32-bit pictures, top-down and bottom-up, with
// palettes, the 40-byte header, the V4/V5 headers, the old 12-byte core header and bit-field
// masks; writes 1, 4, 8, 24 and 32 bits. Every offset and size is checked against the data,
// and a picture may claim no more pixels than its data can paint.
#include "gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

void DecodeBmp(TBitmap& bitmap, const void* data, std::size_t size);
std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap);
bool IsBmp(const void* data, std::size_t size);
// The pixels (width x height) a BMP file's header claims, without reading the pixels; 0 when
// the header cannot be read or would be refused.
std::int64_t BmpClaimedPixels(const void* data, std::size_t size);
