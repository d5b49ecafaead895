// TspSkinFrame: hit testing, the hovered and pressed objects, and the mouse input that the
// frame hands to its objects.
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinHint.h"
#include "skin/SkinMenu.h"

namespace {
bool Inside(const TRect& r, int x, int y) {
    return PtInRect(r, {x, y});
}
} // namespace

int TspSkinFrame::ObjectAt(TPoint p) const {
    for (size_t i = 0; i < m_objects.size(); ++i) {
        const auto& o = m_objects[i];
        if (o->Enabled && o->Visible && PtInRect(o->ObjectRect, p)) return int(i);
    }
    return -1;
}

int TspSkinFrame::HitTest(TPoint p) {
    return m_skinned ? SkinnedHitTest(p) : DefaultHitTest(p);
}

int TspSkinFrame::SkinnedHitTest(TPoint p) {
    bool anyCaption = false, onCaption = false;
    for (const auto& o : m_objects)
        if (o->IsCaption() && o->Visible) {
            anyCaption = true;
            if (PtInRect(o->ObjectRect, p)) onCaption = true;
        }
    // A skin without a caption object still moves by its caption bar.
    if (!anyCaption) onCaption = PtInRect(m_geometry.CaptionRect, p);
    const TRect& ncl = m_geometry.ClientRect;
    const bool inClient = PtInRect(ncl, p);
    const TWindowState state = WindowState();
    if (!m_rolledUp && state != wsMinimized) {
        if (ObjectAt(p) >= 0 && !onCaption && !inClient && !m_moving) return HTOBJECT;
        if (state != wsMaximized && m_sizeable) {
            const int b = m_skinData->FormInfo().borderwidth;
            const TPoint probes[4] = {
                {p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
            bool near = false;
            if (m_region.IsEmpty()) {
                for (TPoint q : probes)
                    if (!Inside(Rect(0, 0, m_width, m_height), q.X, q.Y)) near = true;
            } else if (!PtInRect(m_geometry.MaskRectArea, p)) {
                for (TPoint q : probes)
                    if (!m_region.Contains(q)) near = true;
            }
            if (!near) return inClient ? HTCLIENT : onCaption ? HTCAPTION : HTOBJECT;
            const TPoint lt = m_geometry.HitTestLeftTop, rt = m_geometry.HitTestRightTop;
            const TPoint lb = m_geometry.HitTestLeftBottom, rb = m_geometry.HitTestRightBottom;
            if (p.X <= lt.X && p.Y <= lt.Y) return HTTOPLEFT;
            if (p.X >= rt.X && p.Y <= rt.Y) return HTTOPRIGHT;
            if (p.X <= lb.X && p.Y >= lb.Y) return HTBOTTOMLEFT;
            if (p.X >= rb.X && p.Y >= rb.Y) return HTBOTTOMRIGHT;
            if (Inside(Rect(lt.X, 0, rt.X, ncl.Top), p.X, p.Y)) return HTTOP;
            if (Inside(Rect(lb.X, ncl.Bottom, rb.X, m_height), p.X, p.Y)) return HTBOTTOM;
            if (Inside(Rect(0, lt.Y, ncl.Left, lb.Y), p.X, p.Y)) return HTLEFT;
            if (Inside(Rect(ncl.Right, rt.Y, m_width, rb.Y), p.X, p.Y)) return HTRIGHT;
        }
        if (inClient) return HTCLIENT;
    }
    return onCaption ? HTCAPTION : HTOBJECT;
}

int TspSkinFrame::DefaultHitTest(TPoint p) {
    const int w = m_form->Width(), h = m_form->Height();
    const int caption = CaptionHeight();
    if (m_sizeable && WindowState() == wsNormal) {
        const bool left = p.X <= 2, right = p.X >= w - 2, top = p.Y <= 2, bottom = p.Y >= h - 2;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    if (ObjectAt(p) >= 0) return HTOBJECT;
    if (PtInRect(Rect(3, 3, w - 3, 3 + caption), p)) return HTCAPTION;
    if (PtInRect(Rect(3, caption + 3, w - 3, h - 3), p)) return HTCLIENT;
    return HTOBJECT;
}

// --- hover ---

void TspSkinFrame::UpdateHover(int x, int y, bool allow) {
    if (m_objects.empty()) return;
    if (!m_windowActive && m_supportNCArea) return;
    const int previous = m_hoverIndex;
    int now = allow ? ObjectAt({x, y}) : -1;
    // A held button keeps every other object from taking the hover.
    if (m_downIndex >= 0 && now != m_downIndex) now = -1;
    if (now == previous) return;
    m_hoverIndex = now;
    std::weak_ptr<bool> alive = m_alive;
    if (previous >= 0 && previous < int(m_objects.size())) {
        TspActiveSkinObject* old = m_objects[size_t(previous)].get();
        if (old->Enabled && old->Visible) {
            HideObjectHint();
            old->ObjectMouseLeave();
            if (OnMouseLeaveEvent) OnMouseLeaveEvent(this, old->IDName);
        }
    }
    if (alive.expired() || !*alive.lock()) return;
    if (now >= 0 && now == m_hoverIndex) {
        TspActiveSkinObject* o = m_objects[size_t(now)].get();
        o->ObjectMouseEnter();
        ShowObjectHintFor(o);
        if (OnMouseEnterEvent) OnMouseEnterEvent(this, o->IDName);
    }
}

void TspSkinFrame::ShowObjectHintFor(const TspActiveSkinObject* object) {
    if (!m_showObjectHint || !m_windowActive || object->Hint.empty()) return;
    const TPoint at = GetCursorPos();
    const TPoint below{at.X, at.Y + 20};
    if (m_skinHint) {
        m_skinHint->ActivateHint(below, object->Hint);
        return;
    }
    if (!m_useDefaultObjectHint) return;
    if (!m_defaultHint) {
        m_defaultHint = new THintWindow(this);
        m_defaultHint->FreeNotification(this);
    }
    const TRect r = m_defaultHint->CalcHintRect(Screen->Width(), object->Hint);
    m_defaultHint->ActivateHint(OffsetRect(r, below.X, below.Y), object->Hint);
}

void TspSkinFrame::HideObjectHint() {
    if (m_skinHint) m_skinHint->HideHint();
    if (m_defaultHint) m_defaultHint->ReleaseHandle();
}

// Forgets hover and press (moving, sizing, a new skin): every object back to its normal look.
void TspSkinFrame::ResetObjects() {
    ReleaseObjectCapture();
    HideObjectHint();
    if (m_hoverIndex >= 0 && m_hoverIndex < int(m_objects.size()))
        m_objects[size_t(m_hoverIndex)]->ObjectMouseLeave();
    m_hoverIndex = -1;
    if (m_downIndex >= 0 && m_downIndex < int(m_objects.size()))
        if (auto* b = dynamic_cast<TspSkinButtonObject*>(m_objects[size_t(m_downIndex)].get());
            b && !b->Menu)
            b->SetDown(false);
    m_downIndex = -1;
}

void TspSkinFrame::ButtonDownChanged(TspSkinButtonObject* button) {
    // Other down buttons of the same group come up.
    if (!button->Down || button->groupindex < 0) return;
    for (auto& o : m_objects) {
        auto* other = dynamic_cast<TspSkinButtonObject*>(o.get());
        if (other && other != button && other->groupindex == button->groupindex && other->Down)
            other->SetDown(false);
    }
}

// --- mouse routing ---

void TspSkinFrame::SetObjectCapture(TspActiveSkinObject* object) {
    m_captureObject = object;
    SetCapture(m_form);
}

void TspSkinFrame::ReleaseObjectCapture() {
    if (!m_captureObject) return;
    m_captureObject = nullptr;
    if (FormAlive() && GetCapture() == m_form) ReleaseCapture();
}

void TspSkinFrame::RouteMouseDown(TPoint p, TMouseButton button) {
    if (!*m_alive || m_hoverIndex < 0 || m_hoverIndex >= int(m_objects.size())) return;
    TspActiveSkinObject* o = m_objects[size_t(m_hoverIndex)].get();
    m_downIndex = m_hoverIndex;
    if (!o->IsCaption()) SetObjectCapture(o);
    if (OnMouseDownEvent) OnMouseDownEvent(this, o->IDName, p.X, p.Y, o->ObjectRect, button);
    o->ObjectMouseDown(p.X, p.Y, button);
}

void TspSkinFrame::RouteMouseUp(TPoint p, TMouseButton button, bool fromCapture) {
    if (m_downIndex < 0 || m_downIndex >= int(m_objects.size())) return;
    std::weak_ptr<bool> alive = m_alive;
    // Released where? The hover decides whether a button acts.
    if (fromCapture) UpdateHover(p.X, p.Y, Rect(0, 0, m_width, m_height).Contains(p));
    if (alive.expired() || !*alive.lock()) return;
    TspActiveSkinObject* o = m_objects[size_t(m_downIndex)].get();
    auto* withMenu = dynamic_cast<TspSkinButtonObject*>(o);
    const bool keepsDown = withMenu && withMenu->Menu;
    ReleaseObjectCapture();
    if (!keepsDown) m_downIndex = -1;
    if (OnMouseUpEvent) OnMouseUpEvent(this, o->IDName, p.X, p.Y, o->ObjectRect, button);
    if (alive.expired() || !*alive.lock()) return;
    if (fromCapture)
        o->ObjectMouseUp(-1, -1, button);
    else
        o->ObjectMouseUp(p.X, p.Y, button);
}

void TspSkinFrame::RouteMouseMove(TPoint p) {
    if (m_captureObject) UpdateHover(p.X, p.Y, Rect(0, 0, m_width, m_height).Contains(p));
    int index = m_downIndex >= 0 ? m_downIndex : m_hoverIndex;
    if (index < 0 || index >= int(m_objects.size())) return;
    TspActiveSkinObject* o = m_objects[size_t(index)].get();
    if (OnMouseMoveEvent) OnMouseMoveEvent(this, o->IDName, p.X, p.Y, o->ObjectRect);
    o->ObjectMouseMove(p.X, p.Y);
}

void TspSkinFrame::ActivationChanged(bool active) {
    if (active == m_windowActive) {
        RepaintFrame();
        return;
    }
    if (!active) {
        HideObjectHint();
        // Nothing stays hovered in an inactive window.
        if (m_hoverIndex >= 0 && m_hoverIndex < int(m_objects.size()))
            m_objects[size_t(m_hoverIndex)]->ObjectMouseLeave();
        m_hoverIndex = -1;
    }
    m_windowActive = active;
    for (auto& o : m_objects) o->WindowActivationChanged(active);
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
    RepaintFrame();
}
