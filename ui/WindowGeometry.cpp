#include "ui/WindowGeometry.h"

namespace WindowGeometry {

TWinControl* TopOf(const TControl* c) {
    if (!c) return nullptr;
    while (c->Parent()) c = c->Parent();
    return dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
}

TPoint WindowOffset(const TWinControl* w) {
    TPoint p{0, 0};
    while (w->Parent()) {
        const TWinControl* parent = w->Parent();
        p.X += w->Left() + parent->ClientRectInWindow().Left;
        p.Y += w->Top() + parent->ClientRectInWindow().Top;
        w = parent;
    }
    return p;
}

TRegion ShapeAt(const TWinControl::WindowData& d, TPoint offset, int w, int h) {
    if (!d.hasShape) return TRegion(Bounds(offset.X, offset.Y, w, h));
    TRegion r = d.shape.Offsetted(offset.X, offset.Y);
    r.Intersect(Bounds(offset.X, offset.Y, w, h));
    return r;
}

TRegion VisibleRegion(const TWinControl* w) {
    if (!w->Visible()) return {};
    TPoint off = WindowOffset(w);
    TRegion r = ShapeAt(*w->WindowRecord(), off, w->Width(), w->Height());
    const TControl* child = w;
    while (child->Parent()) {
        const TWinControl* parent = child->Parent();
        if (!parent->Visible()) return {};
        TPoint poff = WindowOffset(parent);
        r.Intersect(OffsetRect(parent->ClientRectInWindow(), poff.X, poff.Y));
        const TWinControl::WindowData& pd = *parent->WindowRecord();
        if (pd.hasShape) r.Intersect(pd.shape.Offsetted(poff.X, poff.Y));
        bool above = false;
        for (TControl* s : parent->ChildControls()) {
            if (s == child) {
                above = true;
                continue;
            }
            if (!above || !s->Visible()) continue;
            auto* sw = dynamic_cast<TWinControl*>(s);
            if (!sw) continue;
            TPoint so = WindowOffset(sw);
            r.Subtract(ShapeAt(*sw->WindowRecord(), so, sw->Width(), sw->Height()));
        }
        child = parent;
    }
    r.Intersect(Rect(0, 0, child->Width(), child->Height()));
    return r;
}

bool SubtreeDirty(const TWinControl* w) {
    if (!w->Visible()) return false;
    const TWinControl::WindowData& d = *w->WindowRecord();
    if (d.ncDirty || !d.update.Empty()) return true;
    for (TControl* c : w->ChildControls())
        if (auto* cw = dynamic_cast<TWinControl*>(c); cw && SubtreeDirty(cw)) return true;
    return false;
}

} // namespace WindowGeometry
