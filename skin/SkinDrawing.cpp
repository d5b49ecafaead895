#include "skin/SkinDrawing.h"

#include "gfx/Canvas.h"
#include "ui/Controls.h"

void DrawGlyphFromStrip(TCanvas& canvas, int x, int y, int glyph, int count, const TBitmap& strip) {
    if (strip.Empty() || count < 1 || glyph < 1 || glyph > count) return;
    const int w = strip.Width() / count;
    if (w <= 0) return;
    TBitmap piece(w, strip.Height());
    piece.Canvas()->CopyRect(Rect(0, 0, w, strip.Height()), strip,
                             Rect(w * (glyph - 1), 0, w * glyph, strip.Height()));
    piece.SetTransparentMode(tmAuto);
    piece.SetTransparent(true);
    canvas.Draw(x, y, piece);
}

TRect GetMonitorWorkArea(const TControl* window, bool workArea) {
    (void)window; // one monitor: every window is on it
    if (workArea) return GetWorkArea();
    return Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
