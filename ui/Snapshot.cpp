#include "ui/Snapshot.h"

#include "gfx/Png.h"
#include "ui/WindowSystem.h"

namespace {

// Paints the control's top-level window and answers its area there (points), and the surface.
const TBitmap* PaintedArea(TControl* control, TRect& area) {
    TWindowSystem& ws = TWindowSystem::Get();
    TWinControl* top = TWindowSystem::TopOf(control);
    if (!control || !top || !top->Showing()) return nullptr;
    ws.PaintTop(top);
    ws.Present();
    TRect r;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        TPoint o = TWindowSystem::WindowOffset(w);
        r = Bounds(o.X, o.Y, w->Width(), w->Height());
    } else {
        TWinControl* parent = control->Parent();
        TPoint o = TWindowSystem::WindowOffset(parent);
        TRect c = parent->ClientRectInWindow();
        r = OffsetRect(control->BoundsRect(), o.X + c.Left, o.Y + c.Top);
    }
    const TBitmap& surface = top->WindowRecord()->surface;
    area = IntersectRect(r, surface.BoundsRect());
    return area.IsEmpty() ? nullptr : &surface;
}

// Every `step`-th stored pixel of the device rectangle `r` (device pixels) into bitmap.
void CopyPixels(const TBitmap& surface, const TRect& r, int step, TBitmap& bitmap) {
    bitmap.SetScale(1);
    bitmap.SetSize(r.Width() / step, r.Height() / step);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const TPixel* s = surface.ScanLine(r.Top + y * step) + r.Left;
        TPixel* d = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) d[x] = s[x * step] | 0xFF000000u;
    }
}

} // namespace

bool SnapshotControl(TControl* control, TBitmap& bitmap) {
    TRect r;
    const TBitmap* surface = PaintedArea(control, r);
    if (!surface) return false;
    const int s = surface->Scale();
    CopyPixels(*surface, Rect(r.Left * s, r.Top * s, r.Right * s, r.Bottom * s), s, bitmap);
    return true;
}

bool SnapshotControlDevice(TControl* control, TBitmap& bitmap) {
    TRect r;
    const TBitmap* surface = PaintedArea(control, r);
    if (!surface) return false;
    const int s = surface->Scale();
    CopyPixels(*surface, Rect(r.Left * s, r.Top * s, r.Right * s, r.Bottom * s), 1, bitmap);
    return true;
}

bool WriteWindowPng(TControl* control, const std::string& path) {
    TBitmap bitmap;
    if (!SnapshotControl(control, bitmap)) return false;
    SavePng(bitmap, path);
    return true;
}

bool WriteWindowPngDevice(TControl* control, const std::string& path) {
    TBitmap bitmap;
    if (!SnapshotControlDevice(control, bitmap)) return false;
    SavePng(bitmap, path);
    return true;
}
