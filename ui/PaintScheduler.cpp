#include "ui/PaintScheduler.h"

#include <vector>

#include "platform/Display.h"
#include "ui/Application.h"
#include "ui/Caret.h"
#include "ui/WinApi.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowRegistry.h"

using WindowGeometry::ShapeAt;
using WindowGeometry::SubtreeDirty;
using WindowGeometry::TopOf;

namespace {
// Sends one paint message with the canvas set up on the top-level surface; the guard leaves
// nothing saved on the canvas should the handler throw.
void SendPaint(TWinControl* w, UINT msg, TCanvas& canvas, TBitmap& surface, const TRegion& clip,
               TPoint origin) {
    static const TFont defaultFont;
    canvas.StartPaint(surface, clip, origin, defaultFont, clWhite);
    TCanvasStateGuard saved(canvas);
    w->Perform(msg, WPARAM(&canvas), 0);
}

TCanvas& PaintCanvas() {
    static TCanvas canvas;
    return canvas;
}
} // namespace

void TPaintScheduler::PaintPending() {
    if (!m_dirty) return;
    m_dirty = false;
    // A paint handler may show, hide or destroy windows: walk a copy.
    for (TWinControl* top : std::vector<TWinControl*>(m_registry.Order()))
        if (m_registry.Alive(top)) PaintTop(top);
    Present();
}

void TPaintScheduler::PaintTop(TWinControl* top) {
    auto& d = *top->WindowRecord();
    if (!top->Showing() || d.minimized || top->Width() <= 0 || top->Height() <= 0) return;
    // The surface holds the display's device pixels; everything else stays in points.
    const int scale = HasDisplay() ? CurrentDisplay().DeviceScale() : 1;
    if (d.surface.Width() != top->Width() || d.surface.Height() != top->Height() ||
        d.surface.Scale() != scale) {
        d.surface.SetScale(scale);
        d.surface.SetSize(top->Width(), top->Height());
        m_caret.SurfaceReplaced(top);
        RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
        d.presentDirty = Rect(0, 0, top->Width(), top->Height());
    }
    TCaret::Placement caret = m_caret.PlacementOn(top);
    bool painting = SubtreeDirty(top);
    m_caret.BeforePaint(top, painting, caret);
    if (painting) {
        TRegion visible = ShapeAt(d, {0, 0}, top->Width(), top->Height());
        PaintTree(top, visible, {0, 0});
    }
    m_caret.AfterPaint(top, caret);
}

void TPaintScheduler::PaintTree(TWinControl* w, const TRegion& visible, TPoint offset) {
    auto& d = *w->WindowRecord();
    TWinControl* top = TopOf(w);
    auto& topData = *top->WindowRecord();
    TCanvas& canvas = PaintCanvas();
    TRect client = OffsetRect(w->ClientRectInWindow(), offset.X, offset.Y);
    if (d.ncDirty) {
        d.ncDirty = false;
        TRegion nc = visible.Subtracted(TRegion(client));
        if (!nc.IsEmpty()) {
            try {
                SendPaint(w, WM_NCPAINT, canvas, topData.surface, nc, offset);
            } catch (...) {
                Application->HandleException(w);
            }
            topData.presentDirty = UnionRect(topData.presentDirty, nc.Bounds());
        }
    }
    std::vector<TWinControl*> children;
    for (TControl* c : w->ChildControls())
        if (auto* cw = dynamic_cast<TWinControl*>(c); cw && cw->Visible() && cw->HandleAllocated())
            children.push_back(cw);
    if (!d.update.Empty()) {
        TRegion upd = d.update.ToRegion();
        bool erase = d.erase;
        d.update.Clear();
        d.erase = false;
        upd.Offset(client.Left, client.Top);
        upd.Intersect(visible);
        upd.Intersect(client);
        for (TWinControl* cw : children)
            upd.Subtract(ShapeAt(*cw->WindowRecord(),
                                 {client.Left + cw->Left(), client.Top + cw->Top()}, cw->Width(),
                                 cw->Height()));
        if (!upd.IsEmpty()) {
            try {
                if (erase)
                    SendPaint(w, WM_ERASEBKGND, canvas, topData.surface, upd, client.TopLeft());
                if (m_registry.Alive(w))
                    SendPaint(w, WM_PAINT, canvas, topData.surface, upd, client.TopLeft());
            } catch (...) {
                Application->HandleException(w);
            }
            topData.presentDirty = UnionRect(topData.presentDirty, upd.Bounds());
        }
    }
    for (size_t i = 0; i < children.size(); ++i) {
        TWinControl* cw = children[i];
        if (!m_registry.Alive(cw) || !SubtreeDirty(cw)) continue;
        TPoint coff{client.Left + cw->Left(), client.Top + cw->Top()};
        TRegion cv = visible.Intersected(client);
        cv.Intersect(ShapeAt(*cw->WindowRecord(), coff, cw->Width(), cw->Height()));
        for (size_t j = i + 1; j < children.size(); ++j) {
            TWinControl* above = children[j];
            cv.Subtract(ShapeAt(*above->WindowRecord(),
                                {client.Left + above->Left(), client.Top + above->Top()},
                                above->Width(), above->Height()));
        }
        if (cv.IsEmpty()) {
            // Nothing of it can be seen: its pending paint is void.
            cw->WindowRecord()->ncDirty = false;
            cw->WindowRecord()->update.Clear();
            continue;
        }
        PaintTree(cw, cv, coff);
    }
}

void TPaintScheduler::PaintNow(TWinControl* w) {
    TWinControl* top = TopOf(w);
    if (!top || !m_registry.Alive(top)) return;
    PaintTop(top);
    Present();
}

void TPaintScheduler::Present() {
    if (!HasDisplay()) return;
    Display& display = CurrentDisplay();
    for (TWinControl* top : m_registry.Order()) {
        auto& d = *top->WindowRecord();
        if (d.presentDirty.IsEmpty() || !d.displayId || d.surface.Empty()) continue;
        TRect r = IntersectRect(d.presentDirty, d.surface.BoundsRect());
        d.presentDirty = TRect{};
        if (r.IsEmpty()) continue;
        // Dirty points to device pixels, once, here.
        const int s = d.surface.Scale();
        display.Present(d.displayId, d.surface.Bits(), d.surface.DeviceWidth(),
                        d.surface.DeviceHeight(),
                        {r.Left * s, r.Top * s, r.Width() * s, r.Height() * s});
    }
}

TCanvas* TPaintScheduler::BindCanvas(TCanvas& canvas, TWinControl* w, bool wholeWindow) {
    static TBitmap nowhere(1, 1);
    TWinControl* top = TopOf(w);
    if (!top || !top->Showing() || top->WindowRecord()->surface.Width() != top->Width() ||
        top->WindowRecord()->surface.Height() != top->Height() ||
        top->WindowRecord()->surface.Empty()) {
        // Nothing of the window can be seen: an empty clip draws nothing.
        canvas.SetSurface(&nowhere);
        canvas.SetClipRegion(TRegion());
        return &canvas;
    }
    auto& topData = *top->WindowRecord();
    TPoint off = WindowGeometry::WindowOffset(w);
    TRegion clip = WindowGeometry::VisibleRegion(w);
    TPoint origin = off;
    if (!wholeWindow) {
        TRect client = OffsetRect(w->ClientRectInWindow(), off.X, off.Y);
        clip.Intersect(client);
        for (TControl* c : w->ChildControls())
            if (auto* cw = dynamic_cast<TWinControl*>(c); cw && cw->Visible())
                clip.Subtract(ShapeAt(*cw->WindowRecord(),
                                      {client.Left + cw->Left(), client.Top + cw->Top()},
                                      cw->Width(), cw->Height()));
        origin = client.TopLeft();
    }
    canvas.SetSurface(&topData.surface);
    canvas.SetClipRegion(clip);
    canvas.SetOrigin(origin.X, origin.Y);
    topData.presentDirty = UnionRect(topData.presentDirty, clip.Bounds());
    m_dirty = true;
    return &canvas;
}

void TPaintScheduler::PresentWholeTop(TWinControl* w) {
    TWinControl* top = TopOf(w);
    if (!top) return;
    top->WindowRecord()->presentDirty = Rect(0, 0, top->Width(), top->Height());
    m_dirty = true;
}
