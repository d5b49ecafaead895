#include "skinctrls/SkinPictureParts.h"

#include <algorithm>

#include "skin/EffectBitmap.h"

void DrawTransparentPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, int x, int y,
                         bool lightened) {
    TRect src = IntersectRect(part, picture.BoundsRect());
    if (src.IsEmpty()) return;
    TBitmap piece(src.Width(), src.Height());
    piece.Canvas()->CopyRect(piece.BoundsRect(), picture, src);
    // The key colour is taken before lightening, so it stays out after it.
    TColor key = piece.TransparentColor();
    if (lightened) {
        TspEffectBmp light(piece);
        light.Lighten(0.5);
        light.AssignTo(piece);
        for (int row = 0; row < piece.Height(); ++row)
            for (int col = 0; col < piece.Width(); ++col)
                if (picture.PixelColor(src.Left + col, src.Top + row) == key)
                    piece.ScanLine(row)[col] = ColorToPixel(key);
    }
    piece.SetTransparentMode(tmFixed);
    piece.SetTransparentColor(key);
    piece.SetTransparent(true);
    canvas.Draw(x, y, piece);
}

void StretchPart(TCanvas& canvas, const TBitmap& picture, const TRect& part, const TRect& dest) {
    TRect src = IntersectRect(part, picture.BoundsRect());
    if (src.IsEmpty() || dest.IsEmpty()) return;
    TBitmap piece(src.Width(), src.Height());
    piece.Canvas()->CopyRect(piece.BoundsRect(), picture, src);
    canvas.StretchDraw(dest, piece);
}
