#include "ui/Caret.h"

#include <algorithm>

#include "platform/Display.h"
#include "ui/WinApi.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowRegistry.h"

void TCaret::Create(TWinControl* owner, int width, int height) {
    m_owner = owner;
    m_width = width > 0 ? width : 1;
    m_height = height;
    m_pos = {0, 0};
    m_hideLevel = 1;
}

bool TCaret::Destroy() {
    if (!m_owner) return false;
    m_owner = nullptr;
    return true;
}

bool TCaret::SetPos(TPoint pos) {
    if (!m_owner) return false;
    m_pos = pos;
    return true;
}

bool TCaret::Show(const TWinControl* wnd) {
    if (!m_owner || (wnd && m_owner != wnd)) return false;
    if (m_hideLevel > 0) --m_hideLevel;
    return true;
}

bool TCaret::Hide(const TWinControl* wnd) {
    if (!m_owner || (wnd && m_owner != wnd)) return false;
    ++m_hideLevel;
    return true;
}

void TCaret::Restart() {
    m_blinkOn = true;
    if (HasDisplay()) m_nextBlink = CurrentDisplay().Now() + GetCaretBlinkTime();
}

bool TCaret::Blink() {
    if (!m_owner || m_hideLevel > 0) return false;
    uint64_t now = CurrentDisplay().Now();
    if (now < m_nextBlink) return false;
    m_blinkOn = !m_blinkOn;
    m_nextBlink = now + GetCaretBlinkTime();
    return true;
}

TCaret::Placement TCaret::PlacementOn(TWinControl* top) const {
    Placement p;
    if (!m_owner || !m_registry.Alive(m_owner) || m_hideLevel != 0 || !m_blinkOn ||
        !m_owner->Showing() || WindowGeometry::TopOf(m_owner) != top)
        return p;
    TPoint off = WindowGeometry::WindowOffset(m_owner);
    TRect client = OffsetRect(m_owner->ClientRectInWindow(), off.X, off.Y);
    p.rect = Bounds(client.Left + m_pos.X, client.Top + m_pos.Y, std::max(1, m_width), m_height);
    p.clip = WindowGeometry::VisibleRegion(m_owner);
    p.clip.Intersect(client);
    p.onTop = true;
    return p;
}

void TCaret::BeforePaint(TWinControl* top, bool painting, const Placement& now) {
    if (m_drawnTop != top) return;
    bool moves = !now.onTop || m_drawnRect != now.rect;
    if (painting || moves) Undraw();
}

void TCaret::AfterPaint(TWinControl* top, const Placement& now) {
    if (!now.onTop || m_drawnTop == top || now.rect.IsEmpty()) return;
    m_drawnTop = top;
    m_drawnRect = now.rect;
    m_drawnClip = now.clip;
    Draw();
}

void TCaret::SurfaceReplaced(const TWinControl* top) {
    if (m_drawnTop == top) m_drawnTop = nullptr;
}

void TCaret::Undraw() {
    TWinControl* top = m_drawnTop;
    m_drawnTop = nullptr;
    if (!top || !m_registry.Alive(top)) return;
    TWinControl::WindowData& d = *top->WindowRecord();
    if (d.surface.Empty()) return;
    TCanvas canvas;
    canvas.SetSurface(&d.surface);
    if (m_drawnClip.IsEmpty()) return;
    canvas.SetClipRegion(m_drawnClip);
    canvas.InvertRect(m_drawnRect);
    d.presentDirty = UnionRect(d.presentDirty, m_drawnRect);
}

void TCaret::Draw() {
    TWinControl* top = m_drawnTop;
    if (!top || top->WindowRecord()->surface.Empty() || m_drawnClip.IsEmpty()) {
        m_drawnTop = nullptr;
        return;
    }
    TWinControl::WindowData& d = *top->WindowRecord();
    TCanvas canvas;
    canvas.SetSurface(&d.surface);
    canvas.SetClipRegion(m_drawnClip);
    canvas.InvertRect(m_drawnRect);
    d.presentDirty = UnionRect(d.presentDirty, m_drawnRect);
}

void TCaret::Forget(const TWinControl* w) {
    if (m_owner == w) m_owner = nullptr;
    if (m_drawnTop == w) m_drawnTop = nullptr;
}

void TCaret::Reset() {
    m_owner = nullptr;
    m_width = 0;
    m_height = 0;
    m_pos = {};
    m_hideLevel = 1;
    m_blinkOn = true;
    m_nextBlink = 0;
    m_drawnTop = nullptr;
    m_drawnRect = {};
    m_drawnClip = {};
}
