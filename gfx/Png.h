#pragma once
// PNG pictures through libpng: reading (any colour type, alpha kept as straight alpha) and
// writing 8-bit RGB or RGBA. Failures raise EInvalidGraphic with the reason.
#include "gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

void DecodePng(TBitmap& bitmap, const void* data, std::size_t size);
void LoadPng(TBitmap& bitmap, const std::string& path);

// With `withAlpha` the alpha bytes are written as they are; otherwise every pixel is opaque.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap, bool withAlpha = false);
void SavePng(const TBitmap& bitmap, const std::string& path, bool withAlpha = false);
// A raw 32-bit surface (0xAARRGGBB rows, `strideBytes` apart), written opaque.
void SavePng(const TPixel* pixels, int width, int height, int strideBytes, const std::string& path);

// True when the bytes start with the PNG signature.
bool IsPng(const void* data, std::size_t size);
