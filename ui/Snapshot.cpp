#include "ui/Snapshot.h"

#include "gfx/Png.h"
#include "ui/WindowSystem.h"

bool SnapshotControl(TControl* control, TBitmap& bitmap) {
    TWindowSystem& ws = TWindowSystem::Get();
    TWinControl* top = TWindowSystem::TopOf(control);
    if (!control || !top || !top->Showing()) return false;
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
    r = IntersectRect(r, surface.BoundsRect());
    if (r.IsEmpty()) return false;
    bitmap.SetSize(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y) {
        const TPixel* s = surface.ScanLine(r.Top + y) + r.Left;
        TPixel* d = bitmap.ScanLine(y);
        for (int x = 0; x < r.Width(); ++x) d[x] = s[x] | 0xFF000000u;
    }
    return true;
}

bool WriteWindowPng(TControl* control, const std::string& path) {
    TBitmap bitmap;
    if (!SnapshotControl(control, bitmap)) return false;
    SavePng(bitmap, path);
    return true;
}
