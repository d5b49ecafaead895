#include "skin/ScaledPicture.h"

#include <algorithm>

void EnlargeToScale(TBitmap& picture, int scale) {
    scale = std::clamp(scale, 1, MaxDeviceScale);
    if (picture.Scale() == scale) return;
    TBitmap out;
    out.SetScale(scale);
    out.SetSize(picture.Width(), picture.Height());
    // Nearest pixel from the stored pixels of any scale to the new ones.
    const int from = picture.Scale();
    for (int y = 0; y < out.DeviceHeight(); ++y) {
        const TPixel* src = picture.ScanLine(y * from / scale);
        TPixel* dst = out.ScanLine(y);
        for (int x = 0; x < out.DeviceWidth(); ++x) dst[x] = src[x * from / scale];
    }
    out.SetPixelFormatTag(picture.PixelFormat());
    out.SetAlphaFormat(picture.AlphaFormat());
    out.SetPalette(picture.Palette());
    if (picture.TransparentMode() == tmFixed) out.SetTransparentColor(picture.TransparentColor());
    out.SetTransparent(picture.Transparent());
    picture.Swap(out);
}
