#include "skinctrls/SkinTile.h"

#include <algorithm>

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
