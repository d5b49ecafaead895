#include "skinctrls/SkinPictureParts.h"

#include <algorithm>

#include "skin/spEffBmp.h"

void TilePicture(TCanvas& canvas, const TBitmap& picture, const TRect& source, const TRect& dest) {
    TRect src = IntersectRect(source, picture.BoundsRect());
    if (src.IsEmpty() || dest.IsEmpty()) return;
    int w = src.Width(), h = src.Height();
    // Only the tiles that reach the visible part are copied.
    TRect clip = IntersectRect(canvas.ClipRect(), dest);
    if (clip.IsEmpty()) return;
    int firstCol = (clip.Left - dest.Left) / w, firstRow = (clip.Top - dest.Top) / h;
    for (int y = dest.Top + firstRow * h; y < clip.Bottom; y += h) {
        int th = std::min(h, dest.Bottom - y);
        for (int x = dest.Left + firstCol * w; x < clip.Right; x += w) {
            int tw = std::min(w, dest.Right - x);
            canvas.CopyRect(Bounds(x, y, tw, th), picture, Bounds(src.Left, src.Top, tw, th));
        }
    }
}

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
