#include "skinctrls/SkinPictureParts.h"

#include <algorithm>

#include "skin/EffectBitmap.h"

namespace {

// A part of a picture at the picture's own scale: a picture drawn for a dense screen keeps
// its device pixels.
TBitmap PieceOf(const TBitmap& picture, const TRect& src) {
    TBitmap piece;
    piece.SetScale(picture.Scale());
    piece.SetSize(src.Width(), src.Height());
    piece.Canvas()->CopyRect(piece.BoundsRect(), picture, src);
    return piece;
}

} // namespace

void DrawTransparentPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, int x, int y,
                         bool lightened) {
    TRect src = IntersectRect(part, picture.BoundsRect());
    if (src.IsEmpty()) return;
    TBitmap piece = PieceOf(picture, src);
    // The key colour is taken before lightening, so it stays out after it.
    TColor key = piece.TransparentColor();
    if (lightened) {
        TspEffectBmp light(piece);
        light.Lighten(0.5);
        light.AssignTo(piece);
        const TPixel keyPixel = ColorToPixel(key) & 0xFFFFFFu;
        const int s = picture.Scale();
        for (int row = 0; row < piece.DeviceHeight(); ++row) {
            const TPixel* from = picture.ScanLine(src.Top * s + row) + src.Left * s;
            TPixel* to = piece.ScanLine(row);
            for (int col = 0; col < piece.DeviceWidth(); ++col)
                if ((from[col] & 0xFFFFFFu) == keyPixel) to[col] = ColorToPixel(key);
        }
    }
    piece.SetTransparentMode(tmFixed);
    piece.SetTransparentColor(key);
    piece.SetTransparent(true);
    canvas.Draw(x, y, piece);
}

void StretchPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, const TRect& dest) {
    TRect src = IntersectRect(part, picture.BoundsRect());
    if (src.IsEmpty() || dest.IsEmpty()) return;
    canvas.StretchDraw(dest, PieceOf(picture, src));
}
