// TControl: what every control shares.
#include "ui/Control.h"

#include "ui/Forms.h"
#include "ui/WindowSystem.h"

TShiftState KeyboardShiftState() {
    TWindowSystem& d = TWindowSystem::Get();
    TShiftState s = 0;
    if (d.KeyIsDown(VK_SHIFT)) s |= ssShift;
    if (d.KeyIsDown(VK_CONTROL)) s |= ssCtrl;
    if (d.KeyIsDown(VK_MENU)) s |= ssAlt;
    if (d.KeyIsDown(VK_LBUTTON)) s |= ssLeft;
    if (d.KeyIsDown(VK_RBUTTON)) s |= ssRight;
    if (d.KeyIsDown(VK_MBUTTON)) s |= ssMiddle;
    return s;
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (TWindowSystem::Get().KeyIsDown(VK_MENU)) s |= ssAlt;
    return s;
}

uint64_t TControl::s_layoutGeneration = 0;

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    m_font.OnChange = [this](TObject*) {
        m_parentFont = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    NotifyAccessible(*this, TAccessibleChange::Destroyed);
    *m_alive = false;
    ++s_layoutGeneration;
    Application->CancelHintFor(this);
    if (m_parent) m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (m_parent) m_parent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    ++s_layoutGeneration;
    InvalidateControl(m_visible, false);
    bool sized = width != m_width || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    InvalidateControl(m_visible, false);
    if (sized) Resize();
    if (m_parent && m_align != alNone && !(m_parent->m_controlState & csAligning))
        m_parent->Realign();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, m_width, m_height);
}

void TControl::SetClientWidth(int value) {
    SetWidth(value);
}
void TControl::SetClientHeight(int value) {
    SetHeight(value);
}

TPoint TControl::ClientOrigin() const {
    if (!m_parent) return {m_left, m_top};
    TPoint p = m_parent->ClientOrigin();
    return {p.X + m_left, p.Y + m_top};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign align) {
    if (align == m_align) return;
    m_align = align;
    if (m_parent) m_parent->Realign();
}

void TControl::BringToFront() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    list.push_back(this);
    ++s_layoutGeneration;
    InvalidateControl(m_visible, true);
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->Invalidate();
}

void TControl::SendToBack() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    list.insert(list.begin(), this);
    ++s_layoutGeneration;
    m_parent->Invalidate();
}

void TControl::SetVisible(bool value) {
    if (value == m_visible) return;
    ++s_layoutGeneration;
    if (!value) InvalidateControl(true, false);
    m_visible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (value) InvalidateControl(true, false);
    if (m_parent) {
        if (m_align != alNone) m_parent->Realign();
        m_parent->Perform(CM_CONTROLCHANGE, WPARAM(this), 0);
    }
}

void TControl::SetEnabled(bool value) {
    if (value == m_enabled) return;
    ++s_layoutGeneration;
    m_enabled = value;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() const {
    return m_visible && m_parent && m_parent->Showing();
}

void TControl::SetParentFont(bool value) {
    m_parentFont = value;
    if (value && m_parent) {
        m_font.Assign(*m_parent->Font());
        m_parentFont = true;
    }
}

void TControl::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    m_parentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    m_parentColor = value;
    if (value && m_parent) {
        m_color = m_parent->Color();
        m_parentColor = true;
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetText(const AnsiString& text) {
    if (text == GetText()) return;
    SetTextValue(text);
}

void TControl::SetTextValue(const AnsiString& text) {
    m_text = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool value) {
    m_parentShowHint = false;
    if (value == m_showHint) return;
    m_showHint = value;
    Perform(CM_SHOWHINTCHANGED); // a window's children that follow it take the new value
}

void TControl::SetParentShowHint(bool value) {
    if (value == m_parentShowHint) return;
    m_parentShowHint = value;
    if (value && m_parent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == m_cursor) return;
    m_cursor = cursor;
    Perform(CM_CURSORCHANGED);
}

void TControl::InvalidateControl(bool isVisible, bool) {
    if (!isVisible || !m_parent || m_width <= 0 || m_height <= 0) return;
    if (dynamic_cast<TWinControl*>(this)) {
        // A window uncovers or covers part of its parent.
        TRect r = BoundsRect();
        InvalidateRect(m_parent, &r, true);
        return;
    }
    TRect r = BoundsRect();
    InvalidateRect(m_parent, &r, true);
}

void TControl::Invalidate() {
    InvalidateControl(m_visible, false);
}

void TControl::Update() {
    if (m_parent) m_parent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

namespace {
// Decodes the message into the handler's record and calls the handler.
template <class Record, class Control>
inline void Dispatch(Control* control, void (Control::*handler)(Record&), TMessage& m) {
    Record record(m);
    (control->*handler)(record);
}
} // namespace

// The one message dispatch: each message decoded into its record and handed to its handler,
// the rest to DefaultHandler. A listening screen reader hears of the changes the message
// made, once its handler is done.
void TControl::WndProc(TMessage& m) {
    if (!AccessibilityListening()) {
        DispatchToHandler(m);
        return;
    }
    const std::shared_ptr<bool> alive = m_alive; // a handler may free its control
    DispatchToHandler(m);
    if (*alive) NoteAccessibleMessage(*this, m.Msg);
}

void TControl::DispatchToHandler(TMessage& m) {
    // clang-format off
    switch (m.Msg) {
    case WM_CREATE: Dispatch(this, &TControl::WMCreate, m); return;
    case WM_MOVE: Dispatch(this, &TControl::WMMove, m); return;
    case WM_SIZE: Dispatch(this, &TControl::WMSize, m); return;
    case WM_ACTIVATE: Dispatch(this, &TControl::WMActivate, m); return;
    case WM_SETFOCUS: Dispatch(this, &TControl::WMSetFocus, m); return;
    case WM_KILLFOCUS: Dispatch(this, &TControl::WMKillFocus, m); return;
    case WM_ENABLE: Dispatch(this, &TControl::WMEnable, m); return;
    case WM_SETTEXT: Dispatch(this, &TControl::WMSetText, m); return;
    case WM_GETTEXTLENGTH: Dispatch(this, &TControl::WMGetTextLength, m); return;
    case WM_PAINT: Dispatch(this, &TControl::WMPaint, m); return;
    case WM_CLOSE: Dispatch(this, &TControl::WMClose, m); return;
    case WM_ERASEBKGND: Dispatch(this, &TControl::WMEraseBkgnd, m); return;
    case WM_SHOWWINDOW: Dispatch(this, &TControl::WMShowWindow, m); return;
    case WM_CANCELMODE: Dispatch(this, &TControl::WMCancelMode, m); return;
    case WM_SETCURSOR: Dispatch(this, &TControl::WMSetCursor, m); return;
    case WM_GETMINMAXINFO: Dispatch(this, &TControl::WMGetMinMaxInfo, m); return;
    case WM_NCCALCSIZE: Dispatch(this, &TControl::WMNCCalcSize, m); return;
    case WM_NCHITTEST: Dispatch(this, &TControl::WMNCHitTest, m); return;
    case WM_NCPAINT: Dispatch(this, &TControl::WMNCPaint, m); return;
    case WM_NCACTIVATE: Dispatch(this, &TControl::WMNCActivate, m); return;
    case WM_GETDLGCODE: Dispatch(this, &TControl::WMGetDlgCode, m); return;
    case WM_NCMOUSEMOVE: Dispatch(this, &TControl::WMNCMouseMove, m); return;
    case WM_NCLBUTTONDOWN: Dispatch(this, &TControl::WMNCLButtonDown, m); return;
    case WM_NCLBUTTONUP: Dispatch(this, &TControl::WMNCLButtonUp, m); return;
    case WM_NCLBUTTONDBLCLK: Dispatch(this, &TControl::WMNCLButtonDblClk, m); return;
    case WM_NCRBUTTONDOWN: Dispatch(this, &TControl::WMNCRButtonDown, m); return;
    case WM_NCRBUTTONUP: Dispatch(this, &TControl::WMNCRButtonUp, m); return;
    case WM_NCRBUTTONDBLCLK: Dispatch(this, &TControl::WMNCRButtonDblClk, m); return;
    case WM_NCMBUTTONDOWN: Dispatch(this, &TControl::WMNCMButtonDown, m); return;
    case WM_NCMBUTTONUP: Dispatch(this, &TControl::WMNCMButtonUp, m); return;
    case WM_NCMBUTTONDBLCLK: Dispatch(this, &TControl::WMNCMButtonDblClk, m); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: Dispatch(this, &TControl::WMKeyDown, m); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: Dispatch(this, &TControl::WMKeyUp, m); return;
    case WM_CHAR: Dispatch(this, &TControl::WMChar, m); return;
    case WM_SYSCOMMAND: Dispatch(this, &TControl::WMSysCommand, m); return;
    case WM_TIMER: Dispatch(this, &TControl::WMTimer, m); return;
    case WM_HSCROLL: Dispatch(this, &TControl::WMHScroll, m); return;
    case WM_VSCROLL: Dispatch(this, &TControl::WMVScroll, m); return;
    case WM_MOUSEMOVE: Dispatch(this, &TControl::WMMouseMove, m); return;
    case WM_LBUTTONDOWN: Dispatch(this, &TControl::WMLButtonDown, m); return;
    case WM_LBUTTONUP: Dispatch(this, &TControl::WMLButtonUp, m); return;
    case WM_LBUTTONDBLCLK: Dispatch(this, &TControl::WMLButtonDblClk, m); return;
    case WM_RBUTTONDOWN: Dispatch(this, &TControl::WMRButtonDown, m); return;
    case WM_RBUTTONUP: Dispatch(this, &TControl::WMRButtonUp, m); return;
    case WM_RBUTTONDBLCLK: Dispatch(this, &TControl::WMRButtonDblClk, m); return;
    case WM_MBUTTONDOWN: Dispatch(this, &TControl::WMMButtonDown, m); return;
    case WM_MBUTTONUP: Dispatch(this, &TControl::WMMButtonUp, m); return;
    case WM_MBUTTONDBLCLK: Dispatch(this, &TControl::WMMButtonDblClk, m); return;
    case WM_MOUSEWHEEL: Dispatch(this, &TControl::WMMouseWheel, m); return;
    case WM_SIZING: Dispatch(this, &TControl::WMSizing, m); return;
    case WM_CAPTURECHANGED: Dispatch(this, &TControl::WMCaptureChanged, m); return;
    case WM_ENTERSIZEMOVE: Dispatch(this, &TControl::WMEnterSizeMove, m); return;
    case WM_EXITSIZEMOVE: Dispatch(this, &TControl::WMExitSizeMove, m); return;
    case WM_MOUSEHOVER: Dispatch(this, &TControl::WMMouseHover, m); return;
    case WM_MOUSELEAVE: Dispatch(this, &TControl::WMMouseLeave, m); return;
    case WM_CUT: Dispatch(this, &TControl::WMCut, m); return;
    case WM_COPY: Dispatch(this, &TControl::WMCopy, m); return;
    case WM_PASTE: Dispatch(this, &TControl::WMPaste, m); return;
    case WM_CLEAR: Dispatch(this, &TControl::WMClear, m); return;
    case WM_UNDO: Dispatch(this, &TControl::WMUndo, m); return;
    case CM_CANCELMODE: Dispatch(this, &TControl::CMCancelMode, m); return;
    case CM_DIALOGKEY: Dispatch(this, &TControl::CMDialogKey, m); return;
    case CM_DIALOGCHAR: Dispatch(this, &TControl::CMDialogChar, m); return;
    case CM_FOCUSCHANGED: Dispatch(this, &TControl::CMFocusChanged, m); return;
    case CM_PARENTFONTCHANGED: Dispatch(this, &TControl::CMParentFontChanged, m); return;
    case CM_PARENTCOLORCHANGED: Dispatch(this, &TControl::CMParentColorChanged, m); return;
    case CM_HITTEST: Dispatch(this, &TControl::CMHitTest, m); return;
    case CM_VISIBLECHANGED: Dispatch(this, &TControl::CMVisibleChanged, m); return;
    case CM_ENABLEDCHANGED: Dispatch(this, &TControl::CMEnabledChanged, m); return;
    case CM_COLORCHANGED: Dispatch(this, &TControl::CMColorChanged, m); return;
    case CM_FONTCHANGED: Dispatch(this, &TControl::CMFontChanged, m); return;
    case CM_CURSORCHANGED: Dispatch(this, &TControl::CMCursorChanged, m); return;
    case CM_TEXTCHANGED: Dispatch(this, &TControl::CMTextChanged, m); return;
    case CM_MOUSEENTER: Dispatch(this, &TControl::CMMouseEnter, m); return;
    case CM_MOUSELEAVE: Dispatch(this, &TControl::CMMouseLeave, m); return;
    case CM_SHOWINGCHANGED: Dispatch(this, &TControl::CMShowingChanged, m); return;
    case CM_ENTER: Dispatch(this, &TControl::CMEnter, m); return;
    case CM_EXIT: Dispatch(this, &TControl::CMExit, m); return;
    case CM_WANTSPECIALKEY: Dispatch(this, &TControl::CMWantSpecialKey, m); return;
    case CM_RELEASE: Dispatch(this, &TControl::CMRelease, m); return;
    case CM_SHOWHINTCHANGED: Dispatch(this, &TControl::CMShowHintChanged, m); return;
    case CM_PARENTSHOWHINTCHANGED: Dispatch(this, &TControl::CMParentShowHintChanged, m); return;
    case CM_TABSTOPCHANGED: Dispatch(this, &TControl::CMTabStopChanged, m); return;
    case CM_CONTROLLISTCHANGE: Dispatch(this, &TControl::CMControlListChange, m); return;
    case CM_HINTSHOW: Dispatch(this, &TControl::CMHintShow, m); return;
    case CM_CONTROLCHANGE: Dispatch(this, &TControl::CMControlChange, m); return;
    case CM_CHANGED: Dispatch(this, &TControl::CMChanged, m); return;
    case CM_MOUSEWHEEL: Dispatch(this, &TControl::CMMouseWheel, m); return;
    default: DefaultHandler(m); return;
    }
    // clang-format on
}

void TControl::DefaultHandler(TMessage&) {}

bool TControl::MouseCapture() const {
    if (m_parent && !dynamic_cast<const TWinControl*>(this))
        return m_parent->m_captureControl == this && GetCapture() == m_parent;
    auto* w = dynamic_cast<const TWinControl*>(this);
    return w && GetCapture() == w;
}

void TControl::SetMouseCapture(bool value) {
    if (MouseCapture() == value) return;
    auto* self = dynamic_cast<TWinControl*>(this);
    if (self) {
        if (value)
            SetCapture(self);
        else
            ReleaseCapture();
        return;
    }
    if (!m_parent) return;
    if (value) {
        m_parent->m_captureControl = this;
        SetCapture(m_parent);
    } else {
        m_parent->m_captureControl = nullptr;
        ReleaseCapture();
    }
}

void TControl::MouseButtonMessage(TWMMouse& m, TMouseButton button, bool down, bool dbl) {
    TPoint p = m.Pos;
    TShiftState shift = m.Shift;
    if (down) {
        // The control the form holds active gives up whatever it was doing with the mouse.
        if (TCustomForm* form = GetParentForm(this)) {
            std::shared_ptr<bool> alive = m_alive;
            form->SendCancelMode(this);
            if (!*alive) return;
        }
        if (button == mbLeft || (m_controlStyle & csCaptureMouse)) {
            if ((m_controlStyle & csCaptureMouse) && button == mbLeft) SetMouseCapture(true);
            if ((m_controlStyle & csClickEvents) && button == mbLeft) m_controlState |= csClicked;
        }
        if (dbl) {
            shift |= ssDouble;
            std::shared_ptr<bool> alive = m_alive;
            if (button == mbLeft) DblClick();
            if (!*alive) return;
        }
        MouseDown(button, shift, p.X, p.Y);
        return;
    }
    if (button == mbLeft) {
        if (m_controlStyle & csCaptureMouse) SetMouseCapture(false);
        if (m_controlState & csClicked) {
            m_controlState &= ~csClicked;
            std::shared_ptr<bool> alive = m_alive;
            if (ClientRect().Contains(p)) Click();
            if (!*alive) return;
        }
    }
    MouseUp(button, shift, p.X, p.Y);
}

void TControl::WMLButtonDown(TWMMouse& m) {
    MouseButtonMessage(m, mbLeft, true, false);
}
void TControl::WMLButtonUp(TWMMouse& m) {
    MouseButtonMessage(m, mbLeft, false, false);
}
void TControl::WMLButtonDblClk(TWMMouse& m) {
    MouseButtonMessage(m, mbLeft, true, true);
}
void TControl::WMRButtonDown(TWMMouse& m) {
    MouseButtonMessage(m, mbRight, true, false);
}
void TControl::WMRButtonUp(TWMMouse& m) {
    MouseButtonMessage(m, mbRight, false, false);
}
void TControl::WMRButtonDblClk(TWMMouse& m) {
    MouseButtonMessage(m, mbRight, true, true);
}
void TControl::WMMButtonDown(TWMMouse& m) {
    MouseButtonMessage(m, mbMiddle, true, false);
}
void TControl::WMMButtonUp(TWMMouse& m) {
    MouseButtonMessage(m, mbMiddle, false, false);
}
void TControl::WMMButtonDblClk(TWMMouse& m) {
    MouseButtonMessage(m, mbMiddle, true, true);
}

void TControl::WMMouseMove(TWMMouse& m) {
    MouseMove(m.Shift, m.Pos.X, m.Pos.Y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::CMEnabledChanged(TWMNoParams&) {
    Invalidate();
}

void TControl::CMFontChanged(TWMNoParams&) {
    Invalidate();
}

void TControl::CMColorChanged(TWMNoParams&) {
    Invalidate();
}

void TControl::CMTextChanged(TWMNoParams&) {
    Invalidate();
}

void TControl::CMParentFontChanged(TWMNoParams&) {
    if (!m_parentFont || !m_parent) return;
    auto saved = m_font.OnChange;
    m_font.OnChange = nullptr;
    m_font.Assign(*m_parent->Font());
    m_font.OnChange = saved;
    Perform(CM_FONTCHANGED);
}

void TControl::CMParentColorChanged(TWMNoParams&) {
    if (!m_parentColor || !m_parent) return;
    m_color = m_parent->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::CMParentShowHintChanged(TWMNoParams&) {
    if (m_parentShowHint && m_parent) m_showHint = m_parent->ShowHint();
}

void TControl::CMMouseWheel(TWMMouseWheel& m) {
    if (DoMouseWheel(m.Shift, m.WheelDelta, m.Pos)) m.Result = 1;
}

void TControl::CMHitTest(TCMHitTest& m) {
    m.Result = HTCLIENT;
}

void TControl::CMMouseEnter(TCMMouseEnterLeave&) {
    m_mouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TCMMouseEnterLeave&) {
    m_mouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
}
