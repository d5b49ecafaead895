#include "table/ImageLists.h"

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "table/FlagArt.h"

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
// (white) and drawn pixels (black).
void AddPictures(TImageList& list, const uint32_t (*pictures)[kArtPixels], int count) {
    list.Clear();
    list.SetSize(kArtSide, kArtSide);
    TBitmap strip(kArtSide * count, kArtSide);
    TBitmap mask(kArtSide * count, kArtSide);
    for (int y = 0; y < kArtSide; ++y) {
        TPixel* image = strip.ScanLine(y);
        TPixel* bits = mask.ScanLine(y);
        for (int i = 0; i < count; ++i) {
            for (int x = 0; x < kArtSide; ++x) {
                const uint32_t argb = pictures[i][y * kArtSide + x];
                const bool drawn = (argb >> 24) >= kOpaqueEnough;
                image[i * kArtSide + x] = drawn ? Flatten(argb) : 0xFFFFFFFFu;
                bits[i * kArtSide + x] = drawn ? 0xFF000000u : 0xFFFFFFFFu;
            }
        }
    }
    list.Add(strip, &mask);
}

} // namespace

void LoadFlagImages(TImageList& list) {
    AddPictures(list, kFlagImagePixels, kFlagImageCount);
}

void LoadTabImages(TImageList& list) {
    AddPictures(list, kTabImagePixels, kTabImageCount);
}

void LoadFlagHeaderGlyph(TBitmap& glyph) {
    // Fuchsia appears in no drawing, so it can stand for "transparent".
    constexpr TPixel kKey = 0xFFFF00FFu;
    glyph.SetSize(kArtSide, kArtSide);
    for (int y = 0; y < kArtSide; ++y) {
        TPixel* row = glyph.ScanLine(y);
        for (int x = 0; x < kArtSide; ++x) {
            const uint32_t argb = kFlagHeaderGlyphPixels[y * kArtSide + x];
            row[x] = (argb >> 24) >= kOpaqueEnough ? Flatten(argb) : kKey;
        }
    }
    glyph.SetTransparent(true);
}
