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
    m_showHint = value;
    m_parentShowHint = false;
}

void TControl::SetParentShowHint(bool value) {
    m_parentShowHint = value;
    if (value && m_parent) m_showHint = m_parent->ShowHint();
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

// The one message dispatch: each message to its handler, the rest to DefaultHandler.
void TControl::WndProc(TMessage& m) {
    // clang-format off
    switch (m.Msg) {
    case WM_CREATE: WMCreate(m); return;
    case WM_DESTROY: WMDestroy(m); return;
    case WM_MOVE: WMMove(m); return;
    case WM_SIZE: WMSize(m); return;
    case WM_ACTIVATE: WMActivate(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case WM_ENABLE: WMEnable(m); return;
    case WM_SETTEXT: WMSetText(m); return;
    case WM_GETTEXTLENGTH: WMGetTextLength(m); return;
    case WM_PAINT: WMPaint(m); return;
    case WM_CLOSE: WMClose(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case WM_SHOWWINDOW: WMShowWindow(m); return;
    case WM_CANCELMODE: WMCancelMode(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_MOUSEACTIVATE: WMMouseActivate(m); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
    case WM_NCCALCSIZE: WMNCCalcSize(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_GETDLGCODE: WMGetDlgCode(m); return;
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); return;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); return;
    case WM_NCLBUTTONUP: WMNCLButtonUp(m); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(m); return;
    case WM_NCRBUTTONDOWN: WMNCRButtonDown(m); return;
    case WM_NCRBUTTONUP: WMNCRButtonUp(m); return;
    case WM_NCRBUTTONDBLCLK: WMNCRButtonDblClk(m); return;
    case WM_NCMBUTTONDOWN: WMNCMButtonDown(m); return;
    case WM_NCMBUTTONUP: WMNCMButtonUp(m); return;
    case WM_NCMBUTTONDBLCLK: WMNCMButtonDblClk(m); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(m); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(m); return;
    case WM_CHAR: WMChar(m); return;
    case WM_SYSCOMMAND: WMSysCommand(m); return;
    case WM_TIMER: WMTimer(m); return;
    case WM_HSCROLL: WMHScroll(m); return;
    case WM_VSCROLL: WMVScroll(m); return;
    case WM_MOUSEMOVE: WMMouseMove(m); return;
    case WM_LBUTTONDOWN: WMLButtonDown(m); return;
    case WM_LBUTTONUP: WMLButtonUp(m); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); return;
    case WM_RBUTTONDOWN: WMRButtonDown(m); return;
    case WM_RBUTTONUP: WMRButtonUp(m); return;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(m); return;
    case WM_MBUTTONDOWN: WMMButtonDown(m); return;
    case WM_MBUTTONUP: WMMButtonUp(m); return;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_SIZING: WMSizing(m); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); return;
    case WM_MOVING: WMMoving(m); return;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(m); return;
    case WM_EXITSIZEMOVE: WMExitSizeMove(m); return;
    case WM_MOUSEHOVER: WMMouseHover(m); return;
    case WM_NCMOUSELEAVE: WMNCMouseLeave(m); return;
    case WM_MOUSELEAVE: WMMouseLeave(m); return;
    case WM_CUT: WMCut(m); return;
    case WM_COPY: WMCopy(m); return;
    case WM_PASTE: WMPaste(m); return;
    case WM_CLEAR: WMClear(m); return;
    case WM_UNDO: WMUndo(m); return;
    case CM_ACTIVATE: CMActivate(m); return;
    case CM_DEACTIVATE: CMDeactivate(m); return;
    case CM_CANCELMODE: CMCancelMode(m); return;
    case CM_DIALOGKEY: CMDialogKey(m); return;
    case CM_DIALOGCHAR: CMDialogChar(m); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return;
    case CM_HITTEST: CMHitTest(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_CURSORCHANGED: CMCursorChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_BUTTONPRESSED: CMButtonPressed(m); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_ENTER: CMEnter(m); return;
    case CM_EXIT: CMExit(m); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(m); return;
    case CM_RELEASE: CMRelease(m); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); return;
    case CM_TABSTOPCHANGED: CMTabStopChanged(m); return;
    case CM_CONTROLLISTCHANGE: CMControlListChange(m); return;
    case CM_CHILDKEY: CMChildKey(m); return;
    case CM_HINTSHOW: CMHintShow(m); return;
    case CM_RECREATEWND: CMRecreateWnd(m); return;
    case CM_INVALIDATE: CMInvalidate(m); return;
    case CM_CONTROLCHANGE: CMControlChange(m); return;
    case CM_CHANGED: CMChanged(m); return;
    case CM_BORDERCHANGED: CMBorderChanged(m); return;
    case CM_MOUSEWHEEL: CMMouseWheel(m); return;
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

void TControl::MouseButtonMessage(TMessage& m, TMouseButton button, bool down, bool dbl) {
    TPoint p = LParamToPoint(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    if (down) {
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

void TControl::WMLButtonDown(TMessage& m) {
    MouseButtonMessage(m, mbLeft, true, false);
}
void TControl::WMLButtonUp(TMessage& m) {
    MouseButtonMessage(m, mbLeft, false, false);
}
void TControl::WMLButtonDblClk(TMessage& m) {
    MouseButtonMessage(m, mbLeft, true, true);
}
void TControl::WMRButtonDown(TMessage& m) {
    MouseButtonMessage(m, mbRight, true, false);
}
void TControl::WMRButtonUp(TMessage& m) {
    MouseButtonMessage(m, mbRight, false, false);
}
void TControl::WMRButtonDblClk(TMessage& m) {
    MouseButtonMessage(m, mbRight, true, true);
}
void TControl::WMMButtonDown(TMessage& m) {
    MouseButtonMessage(m, mbMiddle, true, false);
}
void TControl::WMMButtonUp(TMessage& m) {
    MouseButtonMessage(m, mbMiddle, false, false);
}
void TControl::WMMButtonDblClk(TMessage& m) {
    MouseButtonMessage(m, mbMiddle, true, true);
}

void TControl::WMMouseMove(TMessage& m) {
    TPoint p = LParamToPoint(m.LParam);
    MouseMove(KeysToShiftState(m.WParam), p.X, p.Y);
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

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!m_parentFont || !m_parent) return;
    auto saved = m_font.OnChange;
    m_font.OnChange = nullptr;
    m_font.Assign(*m_parent->Font());
    m_font.OnChange = saved;
    Perform(CM_FONTCHANGED);
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!m_parentColor || !m_parent) return;
    m_color = m_parent->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (m_parentShowHint && m_parent) m_showHint = m_parent->ShowHint();
}

void TControl::CMMouseWheel(TMessage& m) {
    TShiftState shift = KeysToShiftState(LOWORD(m.WParam));
    if (DoMouseWheel(shift, GET_WHEEL_DELTA_WPARAM(m.WParam), LParamToPoint(m.LParam)))
        m.Result = 1;
}

void TControl::CMHitTest(TMessage& m) {
    m.Result = HTCLIENT;
}

void TControl::CMMouseEnter(TMessage&) {
    m_mouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
    m_mouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
}
