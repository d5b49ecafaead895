#pragma once
// The window system, private to ui/: the facade that owns its parts and that the application
// and the window functions call. Each job is a class of its own:
//   TWindowRegistry  which windows live, display windows, top-level order, modal forms
//   TInputRouter     display input to messages: focus, capture, hover, keys, NC tracking
//   TMessageQueue    posted messages and timers
//   TCaret           the caret and its blink
//   TPaintScheduler  the paint pass and presenting
// Controls talk to it through the window functions of Controls.h.
#include <cstdint>
#include <vector>

#include "platform/Display.h"
#include "ui/Caret.h"
#include "ui/InputRouter.h"
#include "ui/MessageQueue.h"
#include "ui/NonClient.h"
#include "ui/PaintScheduler.h"
#include "ui/WinControl.h"
#include "ui/WindowData.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowRegistry.h"

class TWindowSystem {
public:
    static TWindowSystem& Get();

    TWindowRegistry& Registry() { return m_registry; }
    TInputRouter& Input() { return m_input; }
    TMessageQueue& Queue() { return m_queue; }
    TCaret& Caret() { return m_caret; }
    TPaintScheduler& Paint() { return m_paint; }

    // --- registry ---
    void Register(TWinControl* w) { m_registry.Register(w); }
    // Forgets w in every part: focus, capture, timers, posted messages, caret, modal forms.
    void Unregister(TWinControl* w);
    bool Alive(const TWinControl* w) const { return m_registry.Alive(w); }
    TModalStack& Modal() { return m_registry.Modal(); }

    // --- top-level windows ---
    void ShowTopLevel(TWinControl* w, bool show, bool activate, bool popup);
    void MoveTopLevel(TWinControl* w);
    void ActivateForm(TCustomForm* form) { m_registry.ActivateForm(form); }
    TWinControl* TopLevelOfDisplay(int id) const { return m_registry.TopLevelOfDisplay(id); }
    std::vector<TWinControl*> TopLevels() const { return m_registry.Order(); } // bottom first

    // --- geometry ---
    static TWinControl* TopOf(const TControl* c) { return WindowGeometry::TopOf(c); }
    static TPoint WindowOffset(const TWinControl* w) { return WindowGeometry::WindowOffset(w); }
    TRegion VisibleRegion(const TWinControl* w) const { return WindowGeometry::VisibleRegion(w); }
    static bool SubtreeDirty(const TWinControl* w) { return WindowGeometry::SubtreeDirty(w); }
    void UpdateNonClient(TWinControl* w); // WM_NCCALCSIZE, client rectangle

    // --- painting ---
    void MarkDirty(TWinControl*) { m_paint.MarkDirty(); }
    void PaintPending() { m_paint.PaintPending(); }
    void PaintTop(TWinControl* top) { m_paint.PaintTop(top); }
    void PaintNow(TWinControl* w) { m_paint.PaintNow(w); }
    void Present() { m_paint.Present(); }
    TCanvas* BindCanvas(TCanvas& canvas, TWinControl* w, bool wholeWindow) {
        return m_paint.BindCanvas(canvas, w, wholeWindow);
    }
    void NoteDirectDraw(TWinControl* w) { m_paint.PresentWholeTop(w); }
    bool AnyDirty() const { return m_paint.AnyDirty(); }

    // --- focus, capture, hover ---
    TWinControl* Focus() const { return m_input.Focus(); }
    void SetFocusWindow(TWinControl* w) { m_input.SetFocusWindow(w); }
    TWinControl* Capture() const { return m_input.Capture(); }
    void SetCaptureWindow(TWinControl* w) { m_input.SetCaptureWindow(w); }
    TWinControl* Hover() const { return m_input.Hover(); }
    TPoint MousePos() const { return m_input.MousePos(); }
    void UpdateHoverAt(TPoint screen) { m_input.UpdateHoverAt(screen); }
    void UpdateHover(TPoint screen, TWinControl* under) { m_input.UpdateHover(screen, under); }
    TWinControl* WindowAt(TPoint screen) const { return m_input.WindowAt(screen); }
    void TrackHover(TWinControl* w, unsigned ms) { m_input.TrackHover(w, ms); }
    TWinControl* HoverTracked() const { return m_input.HoverTracked(); }
    bool KeyIsDown(int vk) const { return m_input.KeyIsDown(vk); }
    unsigned Modifiers() const { return m_input.Modifiers(); }

    // --- non-client tracking (caption drag, scroll bars, caption buttons) ---
    using Tracking = TNonClientTracking;
    Tracking& Track() { return m_input.Track(); }
    void StartTracking(const Tracking& t) { m_input.StartTracking(t); }

    // --- messages and timers ---
    bool Post(TWinControl* w, UINT msg, WPARAM wp, LPARAM lp) {
        return m_queue.Post(w, msg, wp, lp);
    }
    uintptr_t SetTimer(TWinControl* w, uintptr_t id, unsigned ms) {
        return m_queue.SetTimer(w, id, ms);
    }
    bool KillTimer(TWinControl* w, uintptr_t id) { return m_queue.KillTimer(w, id); }
    // The earliest of the timers, the caret's blink, a scroll repeat and a hover request.
    uint64_t NextTimerDue() const;

    // --- caret ---
    TWinControl* CaretOwner() const { return m_caret.Owner(); }
    // After any change of the caret: it shows at once and is painted at the next pass.
    void CaretChanged();

    // One pass: display input, posted messages, due timers, caret, paint, present. Returns
    // true when something was handled.
    bool Pump();
    void Reset();

    // --- input from the display ---
    void Dispatch(const DisplayEvent& e);

private:
    TWindowSystem() = default;
    // The display says (or input shows) that a minimised top-level window is back.
    void ShownAgain(TWinControl* top);
    // The display's drag test for a top-level window: its caption (x, y in its window
    // coordinates), while it takes input.
    bool SystemMayDrag(TWinControl* w, int x, int y);

    TWindowRegistry m_registry;
    TCaret m_caret{m_registry};
    TPaintScheduler m_paint{m_registry, m_caret};
    TInputRouter m_input{m_registry, m_paint};
    TMessageQueue m_queue{m_registry};
};
