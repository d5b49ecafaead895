// The window system: registry, paint pass, input routing, timers, posted messages, caret.
#include "ui/WindowSystem.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Forms.h"

// --- TUpdateArea ---

void TUpdateArea::Add(const TRect& r) {
    if (r.IsEmpty()) return;
    for (const TRect& e : m_rects)
        if (e.Left <= r.Left && e.Top <= r.Top && e.Right >= r.Right && e.Bottom >= r.Bottom)
            return;
    m_rects.erase(std::remove_if(m_rects.begin(), m_rects.end(),
                                 [&](const TRect& e) {
                                     return r.Left <= e.Left && r.Top <= e.Top &&
                                            r.Right >= e.Right && r.Bottom >= e.Bottom;
                                 }),
                  m_rects.end());
    m_rects.push_back(r);
    if (m_rects.size() > 8) {
        TRect b = Bounds();
        m_rects.assign(1, b);
    }
}

TRect TUpdateArea::Bounds() const {
    TRect b;
    for (const TRect& r : m_rects) b = UnionRect(b, r);
    return b;
}

void TUpdateArea::Offset(int dx, int dy) {
    for (TRect& r : m_rects) r = OffsetRect(r, dx, dy);
}

// --- registry ---

TWindowSystem& TWindowSystem::Get() {
    static TWindowSystem system;
    return system;
}

void TWindowSystem::Unregister(TWinControl* w) {
    m_live.erase(w);
    if (m_focus == w) m_focus = nullptr;
    if (m_capture == w) m_capture = nullptr;
    if (m_hover == w) m_hover = nullptr;
    if (m_lastClickWnd == w) m_lastClickWnd = nullptr;
    if (m_lastNcWnd == w) m_lastNcWnd = nullptr;
    if (m_track.wnd == w) m_track = Tracking{};
    if (m_caret.owner == w) m_caret.owner = nullptr;
    if (m_caret.drawnTop == w) m_caret.drawnTop = nullptr;
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [w](const Timer& t) { return t.wnd == w; }),
                   m_timers.end());
    m_posted.erase(std::remove_if(m_posted.begin(), m_posted.end(),
                                  [w](const Posted& p) { return p.wnd == w; }),
                   m_posted.end());
    m_topOrder.erase(std::remove(m_topOrder.begin(), m_topOrder.end(), w), m_topOrder.end());
    modalStack.erase(std::remove(modalStack.begin(), modalStack.end(), w), modalStack.end());
    if (w->m_wnd && w->m_wnd->displayId) {
        m_displayWindows.erase(w->m_wnd->displayId);
        if (HasDisplay()) CurrentDisplay().DestroyWindow(w->m_wnd->displayId);
        w->m_wnd->displayId = 0;
    }
    if (m_hoverTrack == w) TrackHover(nullptr, 0);
    if (Screen && Screen->m_activeForm == w) Screen->m_activeForm = nullptr;
}

// --- top-level windows ---

void TWindowSystem::ShowTopLevel(TWinControl* w, bool show, bool activate, bool popup) {
    Display& d = CurrentDisplay();
    auto& data = *w->m_wnd;
    if (show) {
        DisplayRect b{w->m_left, w->m_top, w->m_width, w->m_height};
        if (!data.displayId) {
            data.displayId = d.CreateWindow(b, popup);
            m_displayWindows[data.displayId] = w;
            d.SetWindowTitle(data.displayId, AnsiToUtf8(w->GetText()));
            // A region given before the window was first shown shapes it from the start.
            if (data.hasShape) {
                std::vector<DisplayRect> rects;
                for (const TRect& r : data.shape.Rects())
                    rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
                d.SetWindowShape(data.displayId, rects);
            }
        } else {
            d.SetWindowBounds(data.displayId, b);
        }
        m_topOrder.erase(std::remove(m_topOrder.begin(), m_topOrder.end(), w), m_topOrder.end());
        m_topOrder.push_back(w);
        data.ncDirty = true;
        RedrawWindow(w, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
        d.ShowWindow(data.displayId, true, activate);
    } else {
        if (data.displayId) d.ShowWindow(data.displayId, false, false);
        m_topOrder.erase(std::remove(m_topOrder.begin(), m_topOrder.end(), w), m_topOrder.end());
        if (m_hover && (m_hover == w || w->ContainsControl(m_hover))) m_hover = nullptr;
        if (m_capture && (m_capture == w || w->ContainsControl(m_capture)))
            SetCaptureWindow(nullptr);
    }
    m_dirty = true;
}

void TWindowSystem::MoveTopLevel(TWinControl* w) {
    if (!w->m_wnd->displayId) return;
    CurrentDisplay().SetWindowBounds(w->m_wnd->displayId,
                                     {w->m_left, w->m_top, w->m_width, w->m_height});
}

void TWindowSystem::ActivateForm(TCustomForm* form) {
    TCustomForm* old = Screen->m_activeForm;
    if (old == form) return;
    if (old && Alive(old)) {
        old->m_active = false;
        old->Perform(WM_NCACTIVATE, 0, 0);
        old->Perform(WM_ACTIVATE, WA_INACTIVE, LPARAM(form));
    }
    Screen->m_activeForm = form;
    if (!form) return;
    form->m_active = true;
    if (form->m_wnd->displayId) CurrentDisplay().RaiseWindow(form->m_wnd->displayId);
    m_topOrder.erase(std::remove(m_topOrder.begin(), m_topOrder.end(), form), m_topOrder.end());
    if (form->Showing()) m_topOrder.push_back(form);
    form->Perform(WM_NCACTIVATE, 1, 0);
    form->Perform(WM_ACTIVATE, WA_ACTIVE, LPARAM(old && Alive(old) ? old : nullptr));
}

TWinControl* TWindowSystem::TopLevelOfDisplay(int id) const {
    auto it = m_displayWindows.find(id);
    return it == m_displayWindows.end() ? nullptr : it->second;
}

std::vector<TWinControl*> TWindowSystem::TopLevels() const {
    return m_topOrder;
}

// --- geometry ---

TWinControl* TWindowSystem::TopOf(const TControl* c) {
    if (!c) return nullptr;
    while (c->m_parent) c = c->m_parent;
    return dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
}

TPoint TWindowSystem::WindowOffset(const TWinControl* w) {
    TPoint p{0, 0};
    while (w->m_parent) {
        const TWinControl* parent = w->m_parent;
        p.X += w->m_left + parent->m_clientInWindow.Left;
        p.Y += w->m_top + parent->m_clientInWindow.Top;
        w = parent;
    }
    return p;
}

namespace {
TRegion ShapeAt(const TWinControl::WindowData& d, TPoint offset, int w, int h) {
    if (!d.hasShape) return TRegion(Bounds(offset.X, offset.Y, w, h));
    TRegion r = d.shape.Offsetted(offset.X, offset.Y);
    r.Intersect(Bounds(offset.X, offset.Y, w, h));
    return r;
}
} // namespace

TRegion TWindowSystem::VisibleRegion(const TWinControl* w) const {
    if (!w->m_visible) return {};
    TPoint off = WindowOffset(w);
    TRegion r = ShapeAt(*w->m_wnd, off, w->m_width, w->m_height);
    const TControl* child = w;
    while (child->m_parent) {
        const TWinControl* parent = child->m_parent;
        if (!parent->m_visible) return {};
        TPoint poff = WindowOffset(parent);
        r.Intersect(OffsetRect(parent->m_clientInWindow, poff.X, poff.Y));
        if (parent->m_wnd->hasShape) r.Intersect(parent->m_wnd->shape.Offsetted(poff.X, poff.Y));
        bool above = false;
        for (TControl* s : parent->m_controls) {
            if (s == child) {
                above = true;
                continue;
            }
            if (!above || !s->m_visible) continue;
            auto* sw = dynamic_cast<TWinControl*>(s);
            if (!sw) continue;
            TPoint so = WindowOffset(sw);
            r.Subtract(ShapeAt(*sw->m_wnd, so, sw->m_width, sw->m_height));
        }
        child = parent;
    }
    r.Intersect(Rect(0, 0, child->m_width, child->m_height));
    return r;
}

void TWindowSystem::UpdateNonClient(TWinControl* w) {
    TNCCalcSizeParams p;
    p.rgrc[0] = w->BoundsRect();
    p.rgrc[1] = p.rgrc[0];
    p.rgrc[2] = p.rgrc[0];
    w->Perform(WM_NCCALCSIZE, 1, LPARAM(&p));
    TRect c = OffsetRect(p.rgrc[0], -w->m_left, -w->m_top);
    c.Left = std::clamp(c.Left, 0, w->m_width);
    c.Top = std::clamp(c.Top, 0, w->m_height);
    c.Right = std::clamp(c.Right, c.Left, w->m_width);
    c.Bottom = std::clamp(c.Bottom, c.Top, w->m_height);
    w->m_clientInWindow = c;
}

// --- painting ---

void TWindowSystem::MarkDirty(TWinControl*) {
    m_dirty = true;
}

bool TWindowSystem::SubtreeDirty(const TWinControl* w) {
    if (!w->m_visible) return false;
    if (w->m_wnd->ncDirty || !w->m_wnd->update.Empty()) return true;
    for (TControl* c : w->m_controls)
        if (auto* cw = dynamic_cast<TWinControl*>(c); cw && SubtreeDirty(cw)) return true;
    return false;
}

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

void TWindowSystem::PaintPending() {
    if (!m_dirty) return;
    m_dirty = false;
    for (TWinControl* top : std::vector<TWinControl*>(m_topOrder))
        if (Alive(top)) PaintTop(top);
    Present();
}

void TWindowSystem::PaintTop(TWinControl* top) {
    auto& d = *top->m_wnd;
    if (!top->Showing() || d.minimized || top->m_width <= 0 || top->m_height <= 0) return;
    if (d.surface.Width() != top->m_width || d.surface.Height() != top->m_height) {
        d.surface.SetSize(top->m_width, top->m_height);
        if (m_caret.drawnTop == top) m_caret.drawnTop = nullptr;
        RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
        d.presentDirty = Rect(0, 0, top->m_width, top->m_height);
    }
    // Where the caret should be drawn now.
    TWinControl* caretTop = nullptr;
    TRect caretRect;
    TRegion caretClip;
    Caret& c = m_caret;
    if (c.owner && Alive(c.owner) && c.hideLevel == 0 && c.blinkOn && c.owner->Showing() &&
        TopOf(c.owner) == top) {
        TPoint off = WindowOffset(c.owner);
        TRect client = OffsetRect(c.owner->m_clientInWindow, off.X, off.Y);
        caretRect =
            Bounds(client.Left + c.pos.X, client.Top + c.pos.Y, std::max(1, c.width), c.height);
        caretClip = VisibleRegion(c.owner);
        caretClip.Intersect(client);
        caretTop = top;
    }
    bool painting = SubtreeDirty(top);
    bool caretMoves = c.drawnTop == top && (caretTop != top || c.drawnRect != caretRect);
    if (c.drawnTop == top && (painting || caretMoves)) UndrawCaret();
    if (painting) {
        TRegion visible = ShapeAt(d, {0, 0}, top->m_width, top->m_height);
        PaintTree(top, visible, {0, 0});
    }
    if (caretTop == top && c.drawnTop != top && !caretRect.IsEmpty()) {
        c.drawnTop = top;
        c.drawnRect = caretRect;
        c.drawnClip = caretClip;
        DrawCaret();
    }
}

void TWindowSystem::PaintTree(TWinControl* w, const TRegion& visible, TPoint offset) {
    auto& d = *w->m_wnd;
    TWinControl* top = TopOf(w);
    auto& topData = *top->m_wnd;
    TCanvas& canvas = PaintCanvas();
    TRect client = OffsetRect(w->m_clientInWindow, offset.X, offset.Y);
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
    for (TControl* c : w->m_controls)
        if (auto* cw = dynamic_cast<TWinControl*>(c); cw && cw->m_visible && cw->m_handleAllocated)
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
            upd.Subtract(ShapeAt(*cw->m_wnd, {client.Left + cw->m_left, client.Top + cw->m_top},
                                 cw->m_width, cw->m_height));
        if (!upd.IsEmpty()) {
            try {
                if (erase)
                    SendPaint(w, WM_ERASEBKGND, canvas, topData.surface, upd, client.TopLeft());
                if (Alive(w))
                    SendPaint(w, WM_PAINT, canvas, topData.surface, upd, client.TopLeft());
            } catch (...) {
                Application->HandleException(w);
            }
            topData.presentDirty = UnionRect(topData.presentDirty, upd.Bounds());
        }
    }
    for (size_t i = 0; i < children.size(); ++i) {
        TWinControl* cw = children[i];
        if (!Alive(cw) || !SubtreeDirty(cw)) continue;
        TPoint coff{client.Left + cw->m_left, client.Top + cw->m_top};
        TRegion cv = visible.Intersected(client);
        cv.Intersect(ShapeAt(*cw->m_wnd, coff, cw->m_width, cw->m_height));
        for (size_t j = i + 1; j < children.size(); ++j) {
            TWinControl* above = children[j];
            cv.Subtract(ShapeAt(*above->m_wnd,
                                {client.Left + above->m_left, client.Top + above->m_top},
                                above->m_width, above->m_height));
        }
        if (cv.IsEmpty()) {
            // Nothing of it can be seen: its pending paint is void.
            cw->m_wnd->ncDirty = false;
            cw->m_wnd->update.Clear();
            continue;
        }
        PaintTree(cw, cv, coff);
    }
}

void TWindowSystem::PaintNow(TWinControl* w) {
    TWinControl* top = TopOf(w);
    if (!top || !Alive(top)) return;
    PaintTop(top);
    Present();
}

void TWindowSystem::Present() {
    if (!HasDisplay()) return;
    Display& display = CurrentDisplay();
    for (TWinControl* top : m_topOrder) {
        auto& d = *top->m_wnd;
        if (d.presentDirty.IsEmpty() || !d.displayId || d.surface.Empty()) continue;
        TRect r = IntersectRect(d.presentDirty, d.surface.BoundsRect());
        d.presentDirty = TRect{};
        if (r.IsEmpty()) continue;
        display.Present(d.displayId, d.surface.Bits(), d.surface.Width(), d.surface.Height(),
                        {r.Left, r.Top, r.Width(), r.Height()});
    }
}

TCanvas* TWindowSystem::BindCanvas(TCanvas& canvas, TWinControl* w, bool wholeWindow) {
    static TBitmap nowhere(1, 1);
    TWinControl* top = TopOf(w);
    if (!top || !top->Showing() || top->m_wnd->surface.Width() != top->m_width ||
        top->m_wnd->surface.Height() != top->m_height || top->m_wnd->surface.Empty()) {
        // Nothing of the window can be seen: an empty clip draws nothing.
        canvas.SetSurface(&nowhere);
        canvas.SetClipRegion(TRegion());
        return &canvas;
    }
    TPoint off = WindowOffset(w);
    TRegion clip = VisibleRegion(w);
    TPoint origin = off;
    if (!wholeWindow) {
        TRect client = OffsetRect(w->m_clientInWindow, off.X, off.Y);
        clip.Intersect(client);
        for (TControl* c : w->m_controls)
            if (auto* cw = dynamic_cast<TWinControl*>(c); cw && cw->m_visible)
                clip.Subtract(ShapeAt(*cw->m_wnd,
                                      {client.Left + cw->m_left, client.Top + cw->m_top},
                                      cw->m_width, cw->m_height));
        origin = client.TopLeft();
    }
    canvas.SetSurface(&top->m_wnd->surface);
    canvas.SetClipRegion(clip);
    canvas.SetOrigin(origin.X, origin.Y);
    top->m_wnd->presentDirty = UnionRect(top->m_wnd->presentDirty, clip.Bounds());
    m_dirty = true;
    return &canvas;
}

void TWindowSystem::NoteDirectDraw(TWinControl* w) {
    TWinControl* top = TopOf(w);
    if (!top) return;
    top->m_wnd->presentDirty = Rect(0, 0, top->m_width, top->m_height);
    m_dirty = true;
}

// --- focus and capture ---

void TWindowSystem::SetFocusWindow(TWinControl* w) {
    if (w == m_focus) return;
    TWinControl* old = m_focus;
    m_focus = w;
    if (old && Alive(old)) old->Perform(WM_KILLFOCUS, WPARAM(w), 0);
    if (w && m_focus == w && Alive(w))
        w->Perform(WM_SETFOCUS, WPARAM(old && Alive(old) ? old : nullptr), 0);
}

void TWindowSystem::SetCaptureWindow(TWinControl* w) {
    TWinControl* old = m_capture;
    if (old == w) return;
    m_capture = w;
    if (old && Alive(old)) {
        old->m_captureControl = nullptr;
        old->Perform(WM_CAPTURECHANGED, 0, LPARAM(w));
    }
}

// --- posted messages and timers ---

bool TWindowSystem::Post(TWinControl* w, UINT msg, WPARAM wp, LPARAM lp) {
    if (!w || !Alive(w)) return false;
    m_posted.push_back({w, msg, wp, lp});
    return true;
}

uintptr_t TWindowSystem::SetTimer(TWinControl* w, uintptr_t id, unsigned ms) {
    if (!w || !Alive(w)) return 0;
    if (ms == 0) ms = 1;
    uint64_t due = CurrentDisplay().Now() + ms;
    for (Timer& t : m_timers)
        if (t.wnd == w && t.id == id) {
            t.interval = ms;
            t.due = due;
            return id ? id : 1;
        }
    m_timers.push_back({w, id, ms, due});
    return id ? id : 1;
}

bool TWindowSystem::KillTimer(TWinControl* w, uintptr_t id) {
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.wnd == w && t.id == id; });
    if (it == m_timers.end()) return false;
    m_timers.erase(it);
    return true;
}

uint64_t TWindowSystem::NextTimerDue() const {
    uint64_t next = UINT64_MAX;
    for (const Timer& t : m_timers) next = std::min(next, t.due);
    if (m_caret.owner) next = std::min(next, m_caret.nextBlink);
    if (m_track.kind == Tracking::ScrollBar && m_track.nextRepeat)
        next = std::min(next, m_track.nextRepeat);
    return std::min(next, m_hoverDue);
}

void TWindowSystem::RunTimers() {
    if (m_timers.empty()) return;
    uint64_t now = CurrentDisplay().Now();
    std::vector<std::pair<TWinControl*, uintptr_t>> due;
    for (Timer& t : m_timers)
        if (t.due <= now) {
            due.push_back({t.wnd, t.id});
            // A late loop gets one message, not a burst, as the platform does.
            t.due = now + t.interval;
        }
    for (auto& [w, id] : due) {
        bool still =
            std::any_of(m_timers.begin(), m_timers.end(),
                        [&, w = w, id = id](const Timer& t) { return t.wnd == w && t.id == id; });
        if (!still || !Alive(w)) continue;
        try {
            w->Perform(WM_TIMER, id, 0);
        } catch (...) {
            Application->HandleException(w);
        }
    }
}

void TWindowSystem::RunPosted() {
    size_t n = m_posted.size();
    for (size_t i = 0; i < n && !m_posted.empty(); ++i) {
        Posted p = m_posted.front();
        m_posted.pop_front();
        if (!Alive(p.wnd)) continue;
        try {
            p.wnd->Perform(p.msg, p.wp, p.lp);
        } catch (...) {
            Application->HandleException(p.wnd);
        }
    }
}

bool TWindowSystem::Pump() {
    bool did = false;
    Display& display = CurrentDisplay();
    DisplayEvent e;
    while (display.PollEvent(e)) {
        did = true;
        try {
            Dispatch(e);
        } catch (...) {
            Application->HandleException(nullptr);
        }
    }
    if (!m_posted.empty()) {
        did = true;
        RunPosted();
    }
    RunTimers();
    CheckHover();
    ScrollRepeat();
    BlinkCaret();
    Application->UpdateHint();
    if (m_dirty) {
        did = true;
        PaintPending();
    }
    return did;
}

void TWindowSystem::Reset() {
    m_mods = 0;
    m_buttons = 0;
    m_keysDown.clear();
    m_posted.clear();
    m_timers.clear();
    m_focus = nullptr;
    m_capture = nullptr;
    m_hover = nullptr;
    TrackHover(nullptr, 0);
    m_track = Tracking{};
    m_caret = Caret{};
    m_lastClickWnd = nullptr;
    m_lastClickTime = 0;
    m_lastNcWnd = nullptr;
    modalStack.clear();
}

// --- caret ---

void TWindowSystem::CaretChanged() {
    m_caret.blinkOn = true;
    if (HasDisplay()) m_caret.nextBlink = CurrentDisplay().Now() + GetCaretBlinkTime();
    m_dirty = true;
}

void TWindowSystem::BlinkCaret() {
    if (!m_caret.owner || m_caret.hideLevel > 0) return;
    uint64_t now = CurrentDisplay().Now();
    if (now < m_caret.nextBlink) return;
    m_caret.blinkOn = !m_caret.blinkOn;
    m_caret.nextBlink = now + GetCaretBlinkTime();
    m_dirty = true;
}

void TWindowSystem::UndrawCaret() {
    Caret& c = m_caret;
    TWinControl* top = c.drawnTop;
    c.drawnTop = nullptr;
    if (!top || !Alive(top) || top->m_wnd->surface.Empty()) return;
    TCanvas canvas;
    canvas.SetSurface(&top->m_wnd->surface);
    if (c.drawnClip.IsEmpty()) return;
    canvas.SetClipRegion(c.drawnClip);
    canvas.InvertRect(c.drawnRect);
    top->m_wnd->presentDirty = UnionRect(top->m_wnd->presentDirty, c.drawnRect);
}

void TWindowSystem::DrawCaret() {
    Caret& c = m_caret;
    TWinControl* top = c.drawnTop;
    if (!top || top->m_wnd->surface.Empty() || c.drawnClip.IsEmpty()) {
        c.drawnTop = nullptr;
        return;
    }
    TCanvas canvas;
    canvas.SetSurface(&top->m_wnd->surface);
    canvas.SetClipRegion(c.drawnClip);
    canvas.InvertRect(c.drawnRect);
    top->m_wnd->presentDirty = UnionRect(top->m_wnd->presentDirty, c.drawnRect);
}

// --- input ---

bool TWindowSystem::AcceptsInput(TWinControl* w) const {
    if (!w) return false;
    if (modalStack.empty()) return true;
    TWinControl* top = TopOf(w);
    if (!dynamic_cast<TCustomForm*>(top)) return true;
    return top == modalStack.back();
}

TWinControl* TWindowSystem::WindowAt(TPoint screen) const {
    for (auto it = m_topOrder.rbegin(); it != m_topOrder.rend(); ++it) {
        TWinControl* top = *it;
        if (!dynamic_cast<TCustomForm*>(top)) continue; // hint windows let the mouse through
        if (!top->Showing() || top->m_wnd->minimized) continue;
        TPoint local{screen.X - top->m_left, screen.Y - top->m_top};
        if (!Rect(0, 0, top->m_width, top->m_height).Contains(local)) continue;
        if (top->m_wnd->hasShape && !top->m_wnd->shape.Contains(local)) continue;
        TWinControl* w = top;
        for (;;) {
            TPoint c = w->ScreenToClient(screen);
            if (!w->ClientRect().Contains(c)) break;
            TWinControl* next = nullptr;
            for (auto ci = w->m_controls.rbegin(); ci != w->m_controls.rend(); ++ci) {
                if (!(*ci)->m_windowed) continue;
                auto* cw = static_cast<TWinControl*>(*ci);
                if (!cw->m_visible || !cw->m_enabled || !cw->m_handleAllocated) continue;
                if (!cw->BoundsRect().Contains(c)) continue;
                if (cw->m_wnd->hasShape &&
                    !cw->m_wnd->shape.Contains({c.X - cw->m_left, c.Y - cw->m_top}))
                    continue;
                next = cw;
                break;
            }
            if (!next) break;
            w = next;
        }
        return w;
    }
    return nullptr;
}

void TWindowSystem::UpdateHoverAt(TPoint screen) {
    UpdateHover(screen, WindowAt(screen));
}

void TWindowSystem::UpdateHover(TPoint screen, TWinControl* now) {
    m_mousePos = screen;
    if (now && !AcceptsInput(now)) now = nullptr;
    if (now == m_hover) {
        RestartHoverAt(screen);
        return;
    }
    TWinControl* old = m_hover;
    m_hover = now;
    // A hover request ends when the pointer leaves its window.
    if (m_hoverTrack && m_hoverTrack == old) TrackHover(nullptr, 0);
    if (old && Alive(old)) {
        old->Perform(WM_MOUSELEAVE);
        if (Alive(old)) old->Perform(CM_MOUSELEAVE);
    }
    if (now && Alive(now) && m_hover == now) now->Perform(CM_MOUSEENTER);
}

namespace {
WPARAM MouseKeys(unsigned mods) {
    TWindowSystem& ws = TWindowSystem::Get();
    WPARAM k = 0;
    if (ws.KeyIsDown(VK_LBUTTON)) k |= MK_LBUTTON;
    if (ws.KeyIsDown(VK_RBUTTON)) k |= MK_RBUTTON;
    if (ws.KeyIsDown(VK_MBUTTON)) k |= MK_MBUTTON;
    if (mods & ModShift) k |= MK_SHIFT;
    if (mods & ModCtrl) k |= MK_CONTROL;
    return k;
}
} // namespace

// --- hover requests ---

void TWindowSystem::TrackHover(TWinControl* w, unsigned ms) {
    if (!w || ms == 0) {
        m_hoverTrack = nullptr;
        m_hoverDue = UINT64_MAX;
        return;
    }
    m_hoverTrack = w;
    m_hoverTime = ms;
    m_hoverOrigin = m_mousePos;
    m_hoverDue = CurrentDisplay().Now() + ms;
}

void TWindowSystem::RestartHoverAt(TPoint screen) {
    if (!m_hoverTrack) return;
    int half = GetSystemMetrics(SM_CXMOUSEHOVER) / 2;
    if (std::abs(screen.X - m_hoverOrigin.X) <= half &&
        std::abs(screen.Y - m_hoverOrigin.Y) <= half)
        return;
    m_hoverOrigin = screen;
    m_hoverDue = CurrentDisplay().Now() + m_hoverTime;
}

void TWindowSystem::CheckHover() {
    if (!m_hoverTrack || CurrentDisplay().Now() < m_hoverDue) return;
    TWinControl* w = m_hoverTrack;
    TrackHover(nullptr, 0); // one message per request
    if (!Alive(w) || (m_hover != w && m_capture != w)) return;
    try {
        SendMouse(w, WM_MOUSEHOVER, m_mousePos, MouseKeys(m_mods));
    } catch (...) {
        Application->HandleException(w);
    }
}

void TWindowSystem::SendMouse(TWinControl* target, UINT msg, TPoint screen, WPARAM keys) {
    TPoint c = target->ScreenToClient(screen);
    target->Perform(msg, keys, PointToLParam(c));
}

bool TWindowSystem::KeyIsDown(int vk) const {
    switch (vk) {
    case VK_LBUTTON:
        return (m_buttons & 1) != 0;
    case VK_RBUTTON:
        return (m_buttons & 2) != 0;
    case VK_MBUTTON:
        return (m_buttons & 4) != 0;
    case VK_SHIFT:
        return (m_mods & ModShift) != 0;
    case VK_CONTROL:
        return (m_mods & ModCtrl) != 0;
    case VK_MENU:
        return (m_mods & ModAlt) != 0;
    default:
        return m_keysDown.count(vk) != 0;
    }
}

void TWindowSystem::Dispatch(const DisplayEvent& e) {
    // A consumed key swallows only the text it produces right after it.
    if (e.kind != DisplayEventKind::Text && e.kind != DisplayEventKind::KeyDown)
        m_suppressText = false;
    switch (e.kind) {
    case DisplayEventKind::MouseMove:
    case DisplayEventKind::Wheel:
        m_mods = e.mods;
        break;
    case DisplayEventKind::MouseDown:
        m_mods = e.mods;
        m_buttons |= 1u << (std::clamp(e.button, 1, 3) - 1);
        break;
    case DisplayEventKind::MouseUp:
        m_mods = e.mods;
        m_buttons &= ~(1u << (std::clamp(e.button, 1, 3) - 1));
        break;
    case DisplayEventKind::KeyDown:
        m_mods = e.mods;
        m_keysDown.insert(e.key);
        break;
    case DisplayEventKind::KeyUp:
        m_mods = e.mods;
        m_keysDown.erase(e.key);
        break;
    case DisplayEventKind::Deactivate:
        m_keysDown.clear();
        m_buttons = 0;
        m_mods = 0;
        break;
    default:
        break;
    }
    switch (e.kind) {
    case DisplayEventKind::MouseMove:
        HandleMouseMove(e);
        break;
    case DisplayEventKind::MouseDown:
        HandleMouseButton(e, true);
        break;
    case DisplayEventKind::MouseUp:
        HandleMouseButton(e, false);
        break;
    case DisplayEventKind::Wheel:
        HandleWheel(e);
        break;
    case DisplayEventKind::KeyDown:
        HandleKey(e, true);
        break;
    case DisplayEventKind::KeyUp:
        HandleKey(e, false);
        break;
    case DisplayEventKind::Text:
        HandleText(e);
        break;
    case DisplayEventKind::Close:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            if (!modalStack.empty() && top != modalStack.back()) break;
            top->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case DisplayEventKind::Expose:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            top->m_wnd->presentDirty = Rect(0, 0, top->m_width, top->m_height);
            m_dirty = true;
        }
        break;
    case DisplayEventKind::Activate:
        if (auto* form = dynamic_cast<TCustomForm*>(TopLevelOfDisplay(e.window))) {
            if (!modalStack.empty() && form != modalStack.back()) form = modalStack.back();
            ActivateForm(form);
        }
        break;
    case DisplayEventKind::Deactivate:
        break;
    case DisplayEventKind::Minimized:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            top->m_wnd->minimized = true;
            if (auto* form = dynamic_cast<TCustomForm*>(top)) form->m_windowState = wsMinimized;
            top->Perform(WM_SIZE, SIZE_MINIMIZED, 0);
        }
        break;
    case DisplayEventKind::Restored:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            top->m_wnd->minimized = false;
            if (auto* form = dynamic_cast<TCustomForm*>(top)) form->m_windowState = wsNormal;
            top->Perform(WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(top->ClientWidth(), top->ClientHeight()));
            top->m_wnd->presentDirty = Rect(0, 0, top->m_width, top->m_height);
            m_dirty = true;
        }
        break;
    case DisplayEventKind::Moved:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            if (m_track.kind == Tracking::Move) break;
            top->m_left = e.x;
            top->m_top = e.y;
            top->Perform(WM_MOVE, 0, MAKELPARAM(top->ClientOrigin().X, top->ClientOrigin().Y));
        }
        break;
    case DisplayEventKind::None:
        break;
    }
}

void TWindowSystem::HandleMouseMove(const DisplayEvent& e) {
    TPoint pt{e.x, e.y};
    m_mousePos = pt;
    if (m_track.kind != Tracking::None) {
        TrackMouse(pt, false);
        return;
    }
    TWinControl* under = WindowAt(pt);
    UpdateHover(pt, under);
    TWinControl* target = m_capture && Alive(m_capture) ? m_capture : under;
    if (!target || (!m_capture && !AcceptsInput(target))) {
        Screen->ShowCursor(crArrow);
        Application->MouseMoved(pt, under);
        return;
    }
    int hit = m_capture ? HTCLIENT : int(target->Perform(WM_NCHITTEST, 0, PointToLParam(pt)));
    if (!Alive(target)) return;
    target->Perform(WM_SETCURSOR, WPARAM(target), MAKELPARAM(hit, WM_MOUSEMOVE));
    if (!Alive(target)) return;
    if (hit == HTCLIENT) {
        SendMouse(target, WM_MOUSEMOVE, pt, MouseKeys(e.mods));
    } else {
        target->Perform(WM_NCMOUSEMOVE, WPARAM(hit), PointToLParam(pt));
    }
    if (Alive(under) || !under) Application->MouseMoved(pt, under);
}

void TWindowSystem::HandleMouseButton(const DisplayEvent& e, bool down) {
    TPoint pt{e.x, e.y};
    m_mousePos = pt;
    if (m_track.kind != Tracking::None) {
        if (!down) TrackMouse(pt, true);
        return;
    }
    UpdateHoverAt(pt);
    if (down) Application->CancelHint();
    TWinControl* target = m_capture && Alive(m_capture) ? m_capture : WindowAt(pt);
    if (!target) return;
    if (!m_capture && !AcceptsInput(target)) {
        if (down) MessageBeep(0);
        return;
    }
    if (down) {
        if (auto* form = dynamic_cast<TCustomForm*>(TopOf(target)); form && !form->Active())
            ActivateForm(form);
        if (!Alive(target)) return;
    }
    int hit = m_capture ? HTCLIENT : int(target->Perform(WM_NCHITTEST, 0, PointToLParam(pt)));
    if (!Alive(target)) return;
    static const UINT client[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                      {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                      {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
    static const UINT nonClient[3][3] = {{WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK},
                                         {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK},
                                         {WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK}};
    int b = std::clamp(e.button, 1, 3) - 1;
    int kind = down ? 0 : 1;
    bool isClient = hit == HTCLIENT;
    if (down) {
        uint64_t now = CurrentDisplay().Now();
        int dx = std::abs(pt.X - m_lastClickPos.X), dy = std::abs(pt.Y - m_lastClickPos.Y);
        bool dbl = m_lastClickWnd == target && m_lastClickButton == e.button &&
                   m_lastWasNonClient == !isClient && (isClient || m_lastHit == hit) &&
                   now - m_lastClickTime <= GetDoubleClickTime() &&
                   dx <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                   dy <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (dbl) {
            kind = 2;
            m_lastClickWnd = nullptr; // a third press starts over
        } else {
            m_lastClickWnd = target;
            m_lastClickButton = e.button;
            m_lastClickTime = now;
            m_lastClickPos = pt;
            m_lastWasNonClient = !isClient;
            m_lastHit = hit;
        }
    }
    if (isClient)
        SendMouse(target, client[b][kind], pt, MouseKeys(e.mods));
    else
        target->Perform(nonClient[b][kind], WPARAM(hit), PointToLParam(pt));
}

void TWindowSystem::HandleWheel(const DisplayEvent& e) {
    TPoint pt{e.x, e.y};
    Application->CancelHint();
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : WindowAt(pt);
    if (!target || !AcceptsInput(target)) return;
    WPARAM wp = MAKEWPARAM(int(MouseKeys(e.mods)), e.wheel * WHEEL_DELTA);
    target->Perform(WM_MOUSEWHEEL, wp, PointToLParam(pt));
}

void TWindowSystem::HandleKey(const DisplayEvent& e, bool down) {
    Application->CancelHint();
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : nullptr;
    if (!target && Screen->m_activeForm && Alive(Screen->m_activeForm))
        target = Screen->m_activeForm;
    if (!target || !AcceptsInput(target)) return;
    WORD vk = WORD(e.key);
    bool alt = (e.mods & ModAlt) != 0;
    bool ctrl = (e.mods & ModCtrl) != 0;
    LPARAM flags = e.repeat ? LPARAM(0x40000001) : 1;
    if (!down) {
        target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, flags | LPARAM(0xC0000000));
        return;
    }
    m_suppressText = false;
    bool makesText = vk == VK_SPACE || (vk >= '0' && vk <= 'Z') ||
                     (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) || vk >= VK_OEM_1;
    TCustomForm* form = GetParentForm(target);
    if (alt && form && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) {
        char ch = vk >= 'A' && vk <= 'Z' ? char(vk + 32) : char(vk);
        if (form->Perform(CM_DIALOGCHAR, WPARAM(static_cast<unsigned char>(ch)), 0) != 0) {
            m_suppressText = makesText;
            return;
        }
    }
    bool dialogKey = vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_LEFT ||
                     vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR ||
                     vk == VK_NEXT;
    if (dialogKey && form) {
        LRESULT code = target->Perform(WM_GETDLGCODE, vk, 0);
        bool arrow = vk >= VK_LEFT && vk <= VK_DOWN;
        bool wants = (code & DLGC_WANTALLKEYS) || (vk == VK_TAB && (code & DLGC_WANTTAB)) ||
                     (arrow && (code & DLGC_WANTARROWS)) ||
                     target->Perform(CM_WANTSPECIALKEY, vk, 0) != 0;
        if (!Alive(target)) return;
        if (!wants && form->Perform(CM_DIALOGKEY, vk, 0) != 0) {
            m_suppressText = makesText;
            return;
        }
        if (!Alive(target)) return;
    }
    TMessage m{alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, flags, 0};
    target->WindowProc(m);
    if (m.Result != 0 || WORD(m.WParam) == 0) {
        m_suppressText = makesText;
        return;
    }
    if (!Alive(target) || m_focus != target) {
        if (!Alive(target)) return;
    }
    // Keys that produce control characters, as the platform's key translation does.
    int ch = 0;
    if (vk == VK_BACK)
        ch = 8;
    else if (vk == VK_TAB)
        ch = 9;
    else if (vk == VK_RETURN)
        ch = 13;
    else if (vk == VK_ESCAPE)
        ch = 27;
    else if (ctrl && !alt && vk >= 'A' && vk <= 'Z')
        ch = vk - 'A' + 1;
    if (ch) {
        TWinControl* to = m_focus && Alive(m_focus) ? m_focus : target;
        to->Perform(WM_CHAR, WPARAM(ch), flags);
    }
}

void TWindowSystem::HandleText(const DisplayEvent& e) {
    if (m_suppressText) {
        m_suppressText = false;
        return;
    }
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : nullptr;
    if (!target || !AcceptsInput(target)) return;
    AnsiString text = Utf8ToAnsi(e.text);
    for (char c : text) {
        if (!Alive(target)) return;
        target->Perform(WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
        if (m_focus != target) target = m_focus && Alive(m_focus) ? m_focus : target;
    }
}

// --- non-client tracking ---

void TWindowSystem::StartTracking(const Tracking& t) {
    m_track = t;
}

void TWindowSystem::TrackMouse(TPoint screen, bool up) {
    Tracking& t = m_track;
    TWinControl* w = t.wnd;
    if (!w || !Alive(w)) {
        t = Tracking{};
        return;
    }
    switch (t.kind) {
    case Tracking::Move: {
        int nx = t.startBounds.Left + screen.X - t.start.X;
        int ny = t.startBounds.Top + screen.Y - t.start.Y;
        w->SetBounds(nx, ny, w->m_width, w->m_height);
        if (up) {
            t = Tracking{};
            w->Perform(WM_EXITSIZEMOVE);
        }
        break;
    }
    case Tracking::ScrollBar: {
        TRect wr = w->WindowRectOnScreen();
        TPoint local{screen.X - wr.Left, screen.Y - wr.Top};
        if (up)
            NonClient::ScrollBarUp(w);
        else
            NonClient::ScrollBarMove(w, local);
        break;
    }
    case Tracking::Button: {
        int hit = int(w->Perform(WM_NCHITTEST, 0, PointToLParam(screen)));
        bool inside = hit == t.code;
        if (inside != t.inside) {
            t.inside = inside;
            w->m_wnd->ncDirty = true;
            m_dirty = true;
        }
        if (up) {
            int code = t.code;
            t = Tracking{};
            w->m_wnd->ncDirty = true;
            m_dirty = true;
            if (inside) {
                WPARAM cmd = code == HTCLOSE       ? SC_CLOSE
                             : code == HTMINBUTTON ? SC_MINIMIZE
                                                   : SC_MAXIMIZE;
                w->Perform(WM_SYSCOMMAND, cmd, PointToLParam(screen));
            }
        }
        break;
    }
    case Tracking::None:
        break;
    }
}

void TWindowSystem::ScrollRepeat() {
    if (m_track.kind != Tracking::ScrollBar || !m_track.nextRepeat) return;
    if (CurrentDisplay().Now() < m_track.nextRepeat) return;
    NonClient::ScrollBarRepeat(m_track.wnd);
}
