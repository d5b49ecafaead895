#include "gfx/BitmapTurns.h"

#include <algorithm>

namespace {

// A picture of the given size with the source's formats and transparency, its pixels to be
// written. A fixed transparent colour is kept as it is: the bottom-left pixel moves.
TBitmap Like(const TBitmap& picture, int width, int height) {
    TBitmap out(width, height);
    out.SetScale(picture.Scale());
    out.SetPixelFormatTag(picture.PixelFormat());
    out.SetAlphaFormat(picture.AlphaFormat());
    if (picture.Transparent()) {
        out.SetTransparentColor(picture.TransparentColor());
        out.SetTransparent(true);
    }
    return out;
}

} // namespace

TBitmap FlippedVertically(const TBitmap& picture) {
    TBitmap out = Like(picture, picture.Width(), picture.Height());
    const int w = picture.DeviceWidth(), h = picture.DeviceHeight();
    for (int y = 0; y < h; ++y) {
        const TPixel* from = picture.ScanLine(h - 1 - y);
        std::copy(from, from + w, out.ScanLine(y));
    }
    return out;
}

TBitmap RotatedQuarter(const TBitmap& picture, bool clockwise) {
    TBitmap out = Like(picture, picture.Height(), picture.Width());
    // Stored pixels: a scaled picture turns pixel by pixel at its device size.
    const int w = picture.DeviceWidth(), h = picture.DeviceHeight();
    for (int y = 0; y < h; ++y) {
        const TPixel* row = picture.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            // Clockwise, (x, y) goes to (h - 1 - y, x); counter-clockwise to (y, w - 1 - x).
            if (clockwise)
                out.ScanLine(x)[h - 1 - y] = row[x];
            else
                out.ScanLine(w - 1 - x)[y] = row[x];
        }
    }
    return out;
}
