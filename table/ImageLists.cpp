#include "table/ImageLists.h"

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "table/FlagArt.h"

#include <algorithm>

namespace {

// Pixels at least this opaque are drawn; softer edge pixels are left out.
constexpr uint32_t kOpaqueEnough = 96;
// Edge pixels are blended over white, the usual cell background, before the alpha is dropped.
constexpr uint32_t kBlendBase = 0xFF;

TPixel Flatten(uint32_t argb) {
    const uint32_t a = argb >> 24;
    auto channel = [&](int shift) {
        const uint32_t c = (argb >> shift) & 0xFF;
        return (c * a + kBlendBase * (255 - a) + 127) / 255;
    };
    return 0xFF000000u | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

// A strip of `count` pictures side by side, and the mask that marks their transparent pixels
// (white) and drawn pixels (black). Each picture is kArtSide points of `scale` pixels a side,
// `pictures` the first pixel of the first one.
void AddPictures(TImageList& list, const uint32_t* pictures, int count, int scale = 1) {
    list.Clear();
    list.SetSize(kArtSide, kArtSide);
    const int side = kArtSide * scale;
    TBitmap strip, mask;
    for (TBitmap* b : {&strip, &mask}) {
        b->SetScale(scale);
        b->SetSize(kArtSide * count, kArtSide);
    }
    for (int y = 0; y < side; ++y) {
        TPixel* image = strip.ScanLine(y);
        TPixel* bits = mask.ScanLine(y);
        for (int i = 0; i < count; ++i) {
            for (int x = 0; x < side; ++x) {
                const uint32_t argb = pictures[std::size_t(i) * side * side + y * side + x];
                const bool drawn = (argb >> 24) >= kOpaqueEnough;
                image[i * side + x] = drawn ? Flatten(argb) : 0xFFFFFFFFu;
                bits[i * side + x] = drawn ? 0xFF000000u : 0xFFFFFFFFu;
            }
        }
    }
    list.Add(strip, &mask);
}

// Only the pictures of the screen's scale are taken into memory.
void AddPicturesAtScale(TImageList& list, const uint32_t* one, const uint32_t* two,
                        const uint32_t* three, int count, int scale) {
    if (scale >= 3)
        AddPictures(list, three, count, 3);
    else if (scale == 2)
        AddPictures(list, two, count, 2);
    else
        AddPictures(list, one, count);
}

} // namespace

void LoadFlagImages(TImageList& list, int scale) {
    AddPicturesAtScale(list, kFlagImagePixels[0], kFlagImagePixels2x[0], kFlagImagePixels3x[0],
                       kFlagImageCount, scale);
}

void LoadTabImages(TImageList& list, int scale) {
    AddPicturesAtScale(list, kTabImagePixels[0], kTabImagePixels2x[0], kTabImagePixels3x[0],
                       kTabImageCount, scale);
}

void LoadFlagHeaderGlyph(TBitmap& glyph, int scale) {
    // Fuchsia appears in no drawing, so it can stand for "transparent".
    constexpr TPixel kKey = 0xFFFF00FFu;
    scale = std::clamp(scale, 1, 3);
    const uint32_t* pixels = scale == 3   ? kFlagHeaderGlyphPixels3x
                             : scale == 2 ? kFlagHeaderGlyphPixels2x
                                          : kFlagHeaderGlyphPixels;
    const int side = kArtSide * scale;
    glyph.SetScale(scale);
    glyph.SetSize(kArtSide, kArtSide);
    for (int y = 0; y < side; ++y) {
        TPixel* row = glyph.ScanLine(y);
        for (int x = 0; x < side; ++x) {
            const uint32_t argb = pixels[y * side + x];
            row[x] = (argb >> 24) >= kOpaqueEnough ? Flatten(argb) : kKey;
        }
    }
    glyph.SetTransparent(true);
}
