// Input routing: the display's mouse, key and text events become messages for one control.
#include "ui/InputRouter.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Forms.h"
#include "ui/NonClient.h"
#include "ui/PaintScheduler.h"
#include "ui/WinApi.h"
#include "ui/WindowData.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowRegistry.h"

using WindowGeometry::TopOf;

bool TInputRouter::Alive(const TWinControl* w) const {
    return m_registry.Alive(w);
}

WPARAM TInputRouter::MouseKeys(unsigned mods) const {
    WPARAM k = 0;
    if (KeyIsDown(VK_LBUTTON)) k |= MK_LBUTTON;
    if (KeyIsDown(VK_RBUTTON)) k |= MK_RBUTTON;
    if (KeyIsDown(VK_MBUTTON)) k |= MK_MBUTTON;
    if (mods & ModShift) k |= MK_SHIFT;
    if (mods & ModCtrl) k |= MK_CONTROL;
    return k;
}

// --- the state of keys and buttons ---

void TInputRouter::NoteInput(const DisplayEvent& e) {
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
}

void TInputRouter::Route(const DisplayEvent& e) {
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
    default:
        break;
    }
}

// --- focus and capture ---

void TInputRouter::SetFocusWindow(TWinControl* w) {
    if (w == m_focus) return;
    TWinControl* old = m_focus;
    m_focus = w;
    if (old && Alive(old)) old->Perform(WM_KILLFOCUS, WPARAM(w), 0);
    if (w && m_focus == w && Alive(w))
        w->Perform(WM_SETFOCUS, WPARAM(old && Alive(old) ? old : nullptr), 0);
}

void TInputRouter::SetCaptureWindow(TWinControl* w) {
    TWinControl* old = m_capture;
    if (old == w) return;
    m_capture = w;
    if (old && Alive(old)) {
        old->ForgetChildCapture();
        old->Perform(WM_CAPTURECHANGED, 0, LPARAM(w));
    }
}

TWinControl* TInputRouter::WindowAt(TPoint screen) const {
    const std::vector<TWinControl*>& order = m_registry.Order();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TWinControl* top = *it;
        if (!dynamic_cast<TCustomForm*>(top)) continue; // hint windows let the mouse through
        if (!top->Showing() || top->WindowRecord()->minimized) continue;
        TPoint local{screen.X - top->Left(), screen.Y - top->Top()};
        if (!Rect(0, 0, top->Width(), top->Height()).Contains(local)) continue;
        if (top->WindowRecord()->hasShape && !top->WindowRecord()->shape.Contains(local)) continue;
        TWinControl* w = top;
        for (;;) {
            TPoint c = w->ScreenToClient(screen);
            if (!w->ClientRect().Contains(c)) break;
            TWinControl* next = nullptr;
            for (auto ci = w->ChildControls().rbegin(); ci != w->ChildControls().rend(); ++ci) {
                if (!(*ci)->IsWindowed()) continue;
                auto* cw = static_cast<TWinControl*>(*ci);
                if (!cw->Visible() || !cw->Enabled() || !cw->HandleAllocated()) continue;
                if (!cw->BoundsRect().Contains(c)) continue;
                if (cw->WindowRecord()->hasShape &&
                    !cw->WindowRecord()->shape.Contains({c.X - cw->Left(), c.Y - cw->Top()}))
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

void TInputRouter::UpdateHoverAt(TPoint screen) {
    UpdateHover(screen, WindowAt(screen));
}

void TInputRouter::UpdateHover(TPoint screen, TWinControl* now) {
    m_mousePos = screen;
    if (now && !m_registry.AcceptsInput(now)) now = nullptr;
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

// --- hover requests ---

void TInputRouter::TrackHover(TWinControl* w, unsigned ms) {
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

void TInputRouter::RestartHoverAt(TPoint screen) {
    if (!m_hoverTrack) return;
    int half = GetSystemMetrics(SM_CXMOUSEHOVER) / 2;
    if (std::abs(screen.X - m_hoverOrigin.X) <= half &&
        std::abs(screen.Y - m_hoverOrigin.Y) <= half)
        return;
    m_hoverOrigin = screen;
    m_hoverDue = CurrentDisplay().Now() + m_hoverTime;
}

void TInputRouter::CheckHover() {
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

void TInputRouter::SendMouse(TWinControl* target, UINT msg, TPoint screen, WPARAM keys) {
    TPoint c = target->ScreenToClient(screen);
    target->Perform(msg, keys, PointToLParam(c));
}

bool TInputRouter::KeyIsDown(int vk) const {
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

void TInputRouter::HandleMouseMove(const DisplayEvent& e) {
    TPoint pt{e.x, e.y};
    m_mousePos = pt;
    if (m_track.kind != TNonClientTracking::None) {
        TrackMouse(pt, false);
        return;
    }
    TWinControl* under = WindowAt(pt);
    UpdateHover(pt, under);
    TWinControl* target = m_capture && Alive(m_capture) ? m_capture : under;
    if (!target || (!m_capture && !m_registry.AcceptsInput(target))) {
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

void TInputRouter::HandleMouseButton(const DisplayEvent& e, bool down) {
    TPoint pt{e.x, e.y};
    m_mousePos = pt;
    if (m_track.kind != TNonClientTracking::None) {
        if (!down) TrackMouse(pt, true);
        return;
    }
    UpdateHoverAt(pt);
    if (down) {
        // A click between Alt's press and release makes it no menu key.
        m_altAlone = false;
        Application->CancelHint();
    }
    TWinControl* target = m_capture && Alive(m_capture) ? m_capture : WindowAt(pt);
    if (!target) return;
    if (!m_capture && !m_registry.AcceptsInput(target)) {
        if (down) MessageBeep(0);
        return;
    }
    if (down) {
        if (auto* form = dynamic_cast<TCustomForm*>(TopOf(target)); form && !form->Active())
            m_registry.ActivateForm(form);
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

void TInputRouter::HandleWheel(const DisplayEvent& e) {
    TPoint pt{e.x, e.y};
    Application->CancelHint();
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : WindowAt(pt);
    if (!target || !m_registry.AcceptsInput(target)) return;
    WPARAM wp = MAKEWPARAM(int(MouseKeys(e.mods)), e.wheel * WHEEL_DELTA);
    target->Perform(WM_MOUSEWHEEL, wp, PointToLParam(pt));
}

void TInputRouter::HandleKey(const DisplayEvent& e, bool down) {
    Application->CancelHint();
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : nullptr;
    if (!target && Screen->ActiveForm() && Alive(Screen->ActiveForm()))
        target = Screen->ActiveForm();
    if (!target || !m_registry.AcceptsInput(target)) return;
    WORD vk = WORD(e.key);
    bool alt = (e.mods & ModAlt) != 0;
    bool ctrl = (e.mods & ModCtrl) != 0;
    LPARAM flags = e.repeat ? LPARAM(0x40000001) : 1;
    if (!down) {
        const bool keyMenu = vk == VK_MENU && m_altAlone;
        m_altAlone = false;
        target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, flags | LPARAM(0xC0000000));
        // Alt pressed and let go alone asks the form for its menu, as F10 does.
        if (keyMenu && Alive(target))
            if (TCustomForm* form = GetParentForm(target))
                form->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return;
    }
    if (vk != VK_MENU)
        m_altAlone = false;
    else if (!e.repeat)
        m_altAlone = true;
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
    if (vk == VK_F10 && !ctrl && !(e.mods & ModShift) && Alive(target)) {
        if (TCustomForm* form = GetParentForm(target)) form->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
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

void TInputRouter::HandleText(const DisplayEvent& e) {
    if (m_suppressText) {
        m_suppressText = false;
        return;
    }
    TWinControl* target = m_focus && Alive(m_focus) ? m_focus : nullptr;
    if (!target || !m_registry.AcceptsInput(target)) return;
    AnsiString text = Utf8ToAnsi(e.text);
    for (char c : text) {
        if (!Alive(target)) return;
        target->Perform(WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
        if (m_focus != target) target = m_focus && Alive(m_focus) ? m_focus : target;
    }
}

void TInputRouter::TrackMouse(TPoint screen, bool up) {
    TNonClientTracking& t = m_track;
    TWinControl* w = t.wnd;
    if (!w || !Alive(w)) {
        t = TNonClientTracking{};
        return;
    }
    switch (t.kind) {
    case TNonClientTracking::Move: {
        int nx = t.startBounds.Left + screen.X - t.start.X;
        int ny = t.startBounds.Top + screen.Y - t.start.Y;
        w->SetBounds(nx, ny, w->Width(), w->Height());
        if (up) {
            t = TNonClientTracking{};
            w->Perform(WM_EXITSIZEMOVE);
        }
        break;
    }
    case TNonClientTracking::ScrollBar: {
        TRect wr = w->WindowRectOnScreen();
        TPoint local{screen.X - wr.Left, screen.Y - wr.Top};
        if (up)
            NonClient::ScrollBarUp(w);
        else
            NonClient::ScrollBarMove(w, local);
        break;
    }
    case TNonClientTracking::Button: {
        int hit = int(w->Perform(WM_NCHITTEST, 0, PointToLParam(screen)));
        bool inside = hit == t.code;
        if (inside != t.inside) {
            t.inside = inside;
            w->WindowRecord()->ncDirty = true;
            m_paint.MarkDirty();
        }
        if (up) {
            int code = t.code;
            t = TNonClientTracking{};
            w->WindowRecord()->ncDirty = true;
            m_paint.MarkDirty();
            if (inside) {
                WPARAM cmd = code == HTCLOSE       ? SC_CLOSE
                             : code == HTMINBUTTON ? SC_MINIMIZE
                                                   : SC_MAXIMIZE;
                w->Perform(WM_SYSCOMMAND, cmd, PointToLParam(screen));
            }
        }
        break;
    }
    case TNonClientTracking::None:
        break;
    }
}

void TInputRouter::ScrollRepeat() {
    if (m_track.kind != TNonClientTracking::ScrollBar || !m_track.nextRepeat) return;
    if (CurrentDisplay().Now() < m_track.nextRepeat) return;
    NonClient::ScrollBarRepeat(m_track.wnd);
}

uint64_t TInputRouter::NextDue() const {
    uint64_t next = m_hoverDue;
    if (m_track.kind == TNonClientTracking::ScrollBar && m_track.nextRepeat)
        next = std::min(next, m_track.nextRepeat);
    return next;
}

void TInputRouter::TopLevelHidden(TWinControl* top) {
    if (m_hover && (m_hover == top || top->ContainsControl(m_hover))) m_hover = nullptr;
    if (m_capture && (m_capture == top || top->ContainsControl(m_capture)))
        SetCaptureWindow(nullptr);
}

void TInputRouter::Forget(const TWinControl* w) {
    if (m_focus == w) m_focus = nullptr;
    if (m_capture == w) m_capture = nullptr;
    if (m_hover == w) m_hover = nullptr;
    if (m_lastClickWnd == w) m_lastClickWnd = nullptr;
    if (m_track.wnd == w) m_track = TNonClientTracking{};
    if (m_hoverTrack == w) TrackHover(nullptr, 0);
}

void TInputRouter::Reset() {
    m_mods = 0;
    m_buttons = 0;
    m_keysDown.clear();
    m_focus = nullptr;
    m_capture = nullptr;
    m_hover = nullptr;
    TrackHover(nullptr, 0);
    m_track = TNonClientTracking{};
    m_lastClickWnd = nullptr;
    m_lastClickTime = 0;
    m_suppressText = false;
}
