// The window system's facade: the top-level windows' life on the display, the loop's pass and
// the display's window events; the rest is done by its parts.
#include "ui/WindowSystem.h"

#include <algorithm>

#include "ui/Forms.h"

TWindowSystem& TWindowSystem::Get() {
    static TWindowSystem system;
    return system;
}

void TWindowSystem::Unregister(TWinControl* w) {
    m_input.Forget(w);
    m_caret.Forget(w);
    m_queue.Forget(w);
    m_registry.Unregister(w);
}

// --- top-level windows ---

void TWindowSystem::ShowTopLevel(TWinControl* w, bool show, bool activate, bool popup) {
    Display& d = CurrentDisplay();
    auto& data = *w->WindowRecord();
    if (show) {
        DisplayRect b{w->Left(), w->Top(), w->Width(), w->Height()};
        if (!data.displayId) {
            data.displayId = d.CreateWindow(b, popup);
            m_registry.BindDisplay(data.displayId, w);
            d.SetWindowTitle(data.displayId, AnsiToUtf8(w->Text()));
            // Where the system moves windows itself, a press on the caption is its to take.
            if (!popup)
                d.SetWindowDragTest(data.displayId,
                                    [this, w](int x, int y) { return SystemMayDrag(w, x, y); });
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
        m_registry.BringToTop(w);
        data.ncDirty = true;
        RedrawWindow(w, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
        d.ShowWindow(data.displayId, true, activate);
    } else {
        if (data.displayId) d.ShowWindow(data.displayId, false, false);
        m_registry.TakeOut(w);
        m_input.TopLevelHidden(w);
    }
    m_paint.MarkDirty();
}

bool TWindowSystem::SystemMayDrag(TWinControl* w, int x, int y) {
    // Not while another form is modal or the mouse is held by a drag of the program's own.
    if (!Alive(w) || !m_registry.AcceptsInput(w) || m_input.Capture() ||
        m_input.Track().kind != TNonClientTracking::None)
        return false;
    const TPoint screen{w->Left() + x, w->Top() + y};
    return w->Perform(WM_NCHITTEST, 0, PointToLParam(screen)) == HTCAPTION;
}

void TWindowSystem::MoveTopLevel(TWinControl* w) {
    int id = w->WindowRecord()->displayId;
    if (!id) return;
    CurrentDisplay().SetWindowBounds(id, {w->Left(), w->Top(), w->Width(), w->Height()});
}

void TWindowSystem::UpdateNonClient(TWinControl* w) {
    TNCCalcSizeParams p;
    p.rgrc[0] = w->BoundsRect();
    p.rgrc[1] = p.rgrc[0];
    p.rgrc[2] = p.rgrc[0];
    w->Perform(WM_NCCALCSIZE, 1, LPARAM(&p));
    TRect c = OffsetRect(p.rgrc[0], -w->Left(), -w->Top());
    c.Left = std::clamp(c.Left, 0, w->Width());
    c.Top = std::clamp(c.Top, 0, w->Height());
    c.Right = std::clamp(c.Right, c.Left, w->Width());
    c.Bottom = std::clamp(c.Bottom, c.Top, w->Height());
    w->SetClientRectInWindow(c);
}

// --- the loop's pass ---

uint64_t TWindowSystem::NextTimerDue() const {
    return std::min({m_queue.NextTimerDue(), m_caret.NextBlink(), m_input.NextDue()});
}

void TWindowSystem::CaretChanged() {
    m_caret.Restart();
    m_paint.MarkDirty();
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
    if (m_queue.HasPosted()) {
        did = true;
        m_queue.RunPosted();
    }
    m_queue.RunTimers();
    m_input.CheckHover();
    m_input.ScrollRepeat();
    if (m_caret.Blink()) m_paint.MarkDirty();
    Application->UpdateHint();
    if (m_paint.AnyDirty()) {
        did = true;
        m_paint.PaintPending();
    }
    return did;
}

void TWindowSystem::Reset() {
    m_input.Reset();
    m_queue.Clear();
    m_caret.Reset();
    m_registry.Reset();
}

// --- the display's events ---

void TWindowSystem::ShownAgain(TWinControl* top) {
    top->WindowRecord()->minimized = false;
    if (auto* form = dynamic_cast<TCustomForm*>(top)) form->WindowStateFromDisplay(wsNormal);
    top->Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(top->ClientWidth(), top->ClientHeight()));
    m_paint.PresentWholeTop(top);
}

void TWindowSystem::Dispatch(const DisplayEvent& e) {
    // The pointer pressed on a window asked to minimise proves it is on screen: some systems never
    // minimise (no window manager, some compositors) and never say so, and a window taken
    // for minimised would refuse every click and never paint again.
    const bool pointerOn =
        e.kind == DisplayEventKind::MouseDown || e.kind == DisplayEventKind::Wheel;
    if (pointerOn)
        if (TWinControl* top = TopLevelOfDisplay(e.window))
            if (top->WindowRecord()->minimized) ShownAgain(top);
    m_input.NoteInput(e);
    TModalStack& modal = m_registry.Modal();
    switch (e.kind) {
    case DisplayEventKind::Close:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            if (!modal.Empty() && top != modal.Top()) break;
            top->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    case DisplayEventKind::Expose:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) m_paint.PresentWholeTop(top);
        break;
    case DisplayEventKind::Activate:
        if (auto* form = dynamic_cast<TCustomForm*>(TopLevelOfDisplay(e.window))) {
            if (!modal.Empty() && form != modal.Top()) form = modal.Top();
            ActivateForm(form);
        }
        break;
    case DisplayEventKind::Minimized:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            top->WindowRecord()->minimized = true;
            if (auto* form = dynamic_cast<TCustomForm*>(top))
                form->WindowStateFromDisplay(wsMinimized);
            top->Perform(WM_SIZE, SIZE_MINIMIZED, 0);
        }
        break;
    case DisplayEventKind::Restored:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) ShownAgain(top);
        break;
    case DisplayEventKind::Moved:
        if (TWinControl* top = TopLevelOfDisplay(e.window)) {
            // During a caption drag the window is placed by the drag itself.
            if (m_input.Track().kind == TNonClientTracking::Move) break;
            top->PlacedByDisplay(e.x, e.y);
            top->Perform(WM_MOVE, 0, MAKELPARAM(top->ClientOrigin().X, top->ClientOrigin().Y));
        }
        break;
    default:
        m_input.Route(e);
        break;
    }
}
