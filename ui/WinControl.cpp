// TWinControl: a control that owns a window.
#include "ui/WinControl.h"

#include <algorithm>

#include "ui/Forms.h"
#include "ui/WindowSystem.h"

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner), m_wnd(std::make_unique<WindowData>()) {
    m_style |= WS_VISIBLE;
    m_windowed = true;
    TWindowSystem::Get().Register(this);
}

TWinControl::~TWinControl() {
    // Leave the parent while still a window, so that focus and capture go with it.
    if (m_parent) m_parent->RemoveControl(this);
    // Children are detached, not destroyed: their owner deletes them later.
    for (TControl* c : m_controls) {
        c->m_parent = nullptr;
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    }
    m_controls.clear();
    m_captureControl = nullptr;
    m_mouseControl = nullptr;
    DestroyHandle();
    TWindowSystem::Get().Unregister(this);
}

TControl* TWinControl::Controls(int index) const {
    CheckListIndex(index, ControlCount());
    return m_controls[size_t(index)];
}

void TWinControl::InsertControl(TControl* control) {
    ++s_layoutGeneration;
    control->m_parent = this;
    m_controls.push_back(control);
    if (control->m_parentFont) control->Perform(CM_PARENTFONTCHANGED);
    if (control->m_parentColor) control->Perform(CM_PARENTCOLORCHANGED);
    if (control->m_parentShowHint) control->m_showHint = m_showHint;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (m_handleAllocated) w->CreateHandle();
        w->m_wnd->ncDirty = true;
        w->Invalidate();
    }
    control->InvalidateControl(control->m_visible, false);
    if (control->m_align != alNone) Realign();
    Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    ++s_layoutGeneration;
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end()) return;
    control->InvalidateControl(control->m_visible, false);
    if (m_captureControl == control) {
        m_captureControl = nullptr;
        if (GetCapture() == this) ReleaseCapture();
    }
    if (m_mouseControl == control) m_mouseControl = nullptr;
    m_controls.erase(it);
    control->m_parent = nullptr;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        // Focus and capture inside the removed branch go away with it.
        TWindowSystem& ws = TWindowSystem::Get();
        if (ws.Focus() && (ws.Focus() == w || w->ContainsControl(ws.Focus())))
            ws.SetFocusWindow(nullptr);
        if (ws.Capture() && (ws.Capture() == w || w->ContainsControl(ws.Capture())))
            ws.SetCaptureWindow(nullptr);
        if (TCustomForm* form = GetParentForm(this))
            if (form->m_activeControl &&
                (form->m_activeControl == w || w->ContainsControl(form->m_activeControl)))
                form->m_activeControl = nullptr;
    }
    if (control->m_align != alNone) Realign();
    Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 0);
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* p = control ? control->m_parent : nullptr; p; p = p->m_parent)
        if (p == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    unsigned flags = (allowDisabled ? 1u : 0u) | (allowWinControls ? 2u : 0u);
    HitCache& cache = m_hitCache;
    if (cache.generation == s_layoutGeneration && cache.pos == pos && cache.flags == flags)
        return cache.result;
    TControl* found = FindControlAt(pos, allowDisabled, allowWinControls);
    cache = {s_layoutGeneration, pos, flags, found};
    return found;
}

TControl* TWinControl::FindControlAt(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        bool isWin = c->m_windowed;
        if (isWin && !allowWinControls) continue;
        if (!c->m_visible || (!c->m_enabled && !allowDisabled)) continue;
        if (!c->BoundsRect().Contains(pos)) continue;
        TPoint local{pos.X - c->m_left, pos.Y - c->m_top};
        if (!isWin && c->Perform(CM_HITTEST, 0, PointToLParam(local)) == 0) continue;
        return c;
    }
    return nullptr;
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return this;
}

void TWinControl::HandleNeeded() {
    if (!m_handleAllocated) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (m_handleAllocated) return;
    m_handleAllocated = true;
    TWindowSystem::Get().UpdateNonClient(this);
    Perform(WM_CREATE);
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (!m_handleAllocated) return;
    m_controlState |= csDestroyingHandle;
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    TWindowSystem& ws = TWindowSystem::Get();
    if (ws.Focus() == this) ws.SetFocusWindow(nullptr);
    if (ws.Capture() == this) ws.SetCaptureWindow(nullptr);
    if (ws.CaretOwner() == this) DestroyCaret();
    m_handleAllocated = false;
    m_controlState &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
    HandleNeeded();
    TWindowSystem::Get().UpdateNonClient(this);
    m_wnd->ncDirty = true;
    Invalidate();
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->Invalidate();
    TWindowSystem::Get().MarkDirty(this);
}

void TWinControl::SetStyle(DWORD style) {
    SetWindowLong(this, GWL_STYLE, style);
}
void TWinControl::SetExStyle(DWORD exStyle) {
    SetWindowLong(this, GWL_EXSTYLE, exStyle);
}

TRect TWinControl::WindowRectOnScreen() const {
    if (!m_parent) return BoundsRect();
    TPoint o = m_parent->ClientOrigin();
    return Bounds(o.X + m_left, o.Y + m_top, m_width, m_height);
}

TRect TWinControl::ClientRect() const {
    return Rect(0, 0, m_clientInWindow.Width(), m_clientInWindow.Height());
}

TPoint TWinControl::ClientOrigin() const {
    TRect w = WindowRectOnScreen();
    return {w.Left + m_clientInWindow.Left, w.Top + m_clientInWindow.Top};
}

bool TWinControl::Showing() const {
    return m_visible && m_handleAllocated && m_parent && m_parent->Showing();
}

void TWinControl::Invalidate() {
    InvalidateRect(this, nullptr, true);
}

void TWinControl::Update() {
    UpdateWindow(this);
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop) return;
    m_tabStop = value;
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
    if (!m_parent) return -1;
    std::vector<TWinControl*> list;
    for (TControl* c : m_parent->m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) list.push_back(w);
    std::stable_sort(list.begin(), list.end(),
                     [](TWinControl* a, TWinControl* b) { return a->m_tabOrder < b->m_tabOrder; });
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == this) return int(i);
    return -1;
}

void TWinControl::SetTabOrder(int order) {
    if (!m_parent) {
        m_tabOrder = order;
        return;
    }
    // Keep the siblings' numbers dense: take this one out, insert it at `order`.
    std::vector<TWinControl*> list;
    for (TControl* c : m_parent->m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w != this) list.push_back(w);
    std::stable_sort(list.begin(), list.end(),
                     [](TWinControl* a, TWinControl* b) { return a->m_tabOrder < b->m_tabOrder; });
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
    for (size_t i = 0; i < list.size(); ++i) list[i]->m_tabOrder = int(i);
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c; c = c->m_parent) {
        if (!c->m_visible || !c->m_enabled) return false;
        if (c == form) break;
    }
    return true;
}

bool TWinControl::Focused() const {
    return m_handleAllocated && GetFocus() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->SetActiveControl(this);
        return;
    }
    if (CanFocus() || form == this) ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    std::vector<TWinControl*> children;
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* w : children) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = int(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[size_t(i)] == current) start = i;
    if (start < 0) start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[size_t(i)];
        if (checkTabStop && !c->m_tabStop) continue;
        if (checkParent && c->m_parent != this) continue;
        if (c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

void TWinControl::EnableAlign() {
    if (m_alignLevel > 0 && --m_alignLevel == 0) Realign();
}

void TWinControl::Realign() {
    if (m_alignLevel > 0 || (m_controlState & csAligning)) return;
    m_controlState |= csAligning;
    TRect r = ClientRect();
    try {
        AlignControls(nullptr, r);
    } catch (...) {
        m_controlState &= ~csAligning;
        throw;
    }
    m_controlState &= ~csAligning;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    auto place = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : m_controls)
            if (c->m_align == align && c->m_visible) list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->m_top < b->m_top;
            case alBottom:
                return a->m_top + a->m_height > b->m_top + b->m_height;
            case alLeft:
                return a->m_left < b->m_left;
            case alRight:
                return a->m_left + a->m_width > b->m_left + b->m_width;
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            int w = c->m_width, h = c->m_height;
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                rect.Left += w;
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                rect.Right -= w;
                break;
            case alClient:
                c->SetBounds(rect.Left, rect.Top, std::max(0, rect.Width()),
                             std::max(0, rect.Height()));
                break;
            default:
                break;
            }
        }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
}

void TWinControl::PaintControls(TCanvas& canvas, TControl* first) {
    bool started = first == nullptr;
    for (TControl* c : m_controls) {
        if (!started) {
            if (c != first) continue;
            started = true;
        }
        if (dynamic_cast<TWinControl*>(c)) continue;
        if (!c->m_visible || c->m_width <= 0 || c->m_height <= 0) continue;
        TRect r = c->BoundsRect();
        if (!canvas.IsVisible(r)) continue;
        TCanvasStateGuard saved(canvas);
        canvas.IntersectClipRect(r);
        canvas.MoveOrigin(r.Left, r.Top);
        c->Perform(WM_PAINT, WPARAM(&canvas), 0);
    }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::PaintWindow(TCanvas& canvas) {
    PaintControls(canvas, nullptr);
}

void TWinControl::EraseBackground(TCanvas& canvas) {
    canvas.Brush()->SetColor(m_color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
}

// --- message handlers ---

void TWinControl::CMFontChanged(TWMNoParams&) {
    for (TControl* c : m_controls) c->Perform(CM_PARENTFONTCHANGED);
    Invalidate();
}

void TWinControl::CMColorChanged(TWMNoParams&) {
    for (TControl* c : m_controls) c->Perform(CM_PARENTCOLORCHANGED);
    Invalidate();
}

void TWinControl::CMVisibleChanged(TCMVisibleChanged&) {
    if (!m_handleAllocated) return;
    if (m_visible)
        m_style |= WS_VISIBLE;
    else
        m_style &= ~WS_VISIBLE;
    if (!m_visible) {
        TWindowSystem& ws = TWindowSystem::Get();
        if (ws.Focus() && (ws.Focus() == this || ContainsControl(ws.Focus()))) {
            TCustomForm* form = GetParentForm(this);
            ws.SetFocusWindow(form && form != this ? form : nullptr);
        }
        if (ws.Capture() && (ws.Capture() == this || ContainsControl(ws.Capture())))
            ws.SetCaptureWindow(nullptr);
    } else {
        m_wnd->ncDirty = true;
        Invalidate();
    }
    Perform(CM_SHOWINGCHANGED);
}

void TWinControl::CMEnabledChanged(TWMNoParams&) {
    if (!m_enabled) {
        TWindowSystem& ws = TWindowSystem::Get();
        if (ws.Focus() == this) {
            TCustomForm* form = GetParentForm(this);
            ws.SetFocusWindow(form && form != this ? form : nullptr);
        }
    }
    if (m_enabled)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    Perform(WM_ENABLE, m_enabled ? 1 : 0);
    Invalidate();
}

void TWinControl::CMShowHintChanged(TWMNoParams& m) {
    TControl::CMShowHintChanged(m);
    for (TControl* c : m_controls) c->Perform(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMParentShowHintChanged(TWMNoParams& m) {
    TControl::CMParentShowHintChanged(m);
    for (TControl* c : m_controls) c->Perform(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMEnter(TWMNoParams&) {
    DoEnter();
}

void TWinControl::CMExit(TWMNoParams&) {
    DoExit();
}

// Mouse messages over a windowless child (or held by one) go to that child.
bool TWinControl::MouseToChild(TWMMouse& m) {
    TPoint p = m.Pos;
    TControl* target = m_captureControl;
    if (!target) target = ControlAtPos(p, false, false);
    if (m.Msg == WM_MOUSEMOVE && target != m_mouseControl && !m_captureControl) {
        TControl* old = m_mouseControl;
        m_mouseControl = target;
        if (old) old->Perform(CM_MOUSELEAVE);
        if (target) target->Perform(CM_MOUSEENTER);
    }
    if (!target) return false;
    LPARAM local = PointToLParam({p.X - target->m_left, p.Y - target->m_top});
    std::shared_ptr<bool> alive = m_alive;
    target->Perform(m.Msg, m.Keys, local);
    if (*alive && m.Msg == WM_LBUTTONUP && m_captureControl == target && GetCapture() != this)
        m_captureControl = nullptr;
    return true;
}

void TWinControl::WMMouseMove(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMMouseMove(m);
}
void TWinControl::WMLButtonDown(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMLButtonDown(m);
}
void TWinControl::WMLButtonUp(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMLButtonUp(m);
}
void TWinControl::WMLButtonDblClk(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMLButtonDblClk(m);
}
void TWinControl::WMRButtonDown(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMRButtonDown(m);
}
void TWinControl::WMRButtonUp(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMRButtonUp(m);
}
void TWinControl::WMRButtonDblClk(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMRButtonDblClk(m);
}
void TWinControl::WMMButtonDown(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMMButtonDown(m);
}
void TWinControl::WMMButtonUp(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMMButtonUp(m);
}
void TWinControl::WMMButtonDblClk(TWMMouse& m) {
    if (!MouseToChild(m)) TControl::WMMButtonDblClk(m);
}

void TWinControl::WMMouseLeave(TWMNoParams& m) {
    if (m_mouseControl) {
        TControl* old = m_mouseControl;
        m_mouseControl = nullptr;
        old->Perform(CM_MOUSELEAVE);
    }
    TControl::WMMouseLeave(m);
}

// The wheel goes to the control first (OnMouseWheel), then up to its parent.
void TWinControl::WMMouseWheel(TWMMouseWheel& m) {
    if (m.PassTo(*this, CM_MOUSEWHEEL) != 0) {
        m.Result = 1;
        return;
    }
    if (m_parent) m.Result = m.PassTo(*m_parent);
}

void TWinControl::WMSetText(TWMSetText& m) {
    m_text = m.Text;
    Perform(CM_TEXTCHANGED);
    m.Result = 1;
}

void TWinControl::WMGetMinMaxInfo(TWMGetMinMaxInfo& m) {
    auto* info = &m.Info;
    if (!info) return;
    TRect work = GetWorkArea();
    info->ptMaxSize = {work.Width(), work.Height()};
    info->ptMaxPosition = {work.Left, work.Top};
    info->ptMinTrackSize = {112, 27};
    info->ptMaxTrackSize = {Screen->Width() + 12, Screen->Height() + 12};
}

void TWinControl::WMCancelMode(TWMNoParams&) {
    if (GetCapture() == this) ReleaseCapture();
}

// --- the default non-client area: border, edges and scroll bars ---

void TWinControl::WMNCCalcSize(TWMNCCalcSize& m) {
    NonClient::CalcSize(this, m.Params);
}

void TWinControl::WMNCPaint(TWMNCPaint& m) {
    if (auto* canvas = m.Canvas) NonClient::Paint(this, *canvas);
}

void TWinControl::WMNCHitTest(TWMNCHitTest& m) {
    TRect wr = WindowRectOnScreen();
    TPoint p = m.Pos;
    m.Result = NonClient::HitTest(this, {p.X - wr.Left, p.Y - wr.Top});
}

void TWinControl::WMNCActivate(TWMNCActivate& m) {
    m_wnd->ncDirty = true;
    TWindowSystem::Get().MarkDirty(this);
    m.Result = 1;
}

// A press on a scroll bar starts tracking it.
void TWinControl::WMNCLButtonDown(TWMNCMouse& m) {
    if (m.HitTest != HTVSCROLL && m.HitTest != HTHSCROLL) return;
    TRect wr = WindowRectOnScreen();
    TPoint p = m.Pos;
    NonClient::ScrollBarDown(this, m.HitTest == HTVSCROLL ? SB_VERT : SB_HORZ,
                             {p.X - wr.Left, p.Y - wr.Top});
}

// The second press of a double click on a scroll bar scrolls again.
void TWinControl::WMNCLButtonDblClk(TWMNCMouse& m) {
    TWinControl::WMNCLButtonDown(m);
}

void TWinControl::WMPaint(TWMPaint& m) {
    auto* canvas = m.Canvas;
    if (!canvas) return;
    TPaintingScope painting(*this);
    PaintWindow(*canvas);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    auto* canvas = m.Canvas;
    if (canvas) EraseBackground(*canvas);
    m.Result = 1;
}

void TWinControl::WMKeyDown(TWMKey& m) {
    WORD key = m.CharCode;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyDown(key, KeyboardShiftState());
        if (key == 0) {
            // Taken by the form: its character is not typed either.
            m.CharCode = 0;
            m.Result = 1;
            return;
        }
    }
    KeyDown(key, KeyboardShiftState());
    m.CharCode = key;
    if (key == 0) m.Result = 1;
}

void TWinControl::WMKeyUp(TWMKey& m) {
    WORD key = m.CharCode;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyUp(key, KeyboardShiftState());
        if (key == 0) return;
    }
    KeyUp(key, KeyboardShiftState());
}

void TWinControl::WMChar(TWMChar& m) {
    char ch = m.CharCode;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyPress(ch);
        if (ch == 0) return;
    }
    KeyPress(ch);
    m.CharCode = WPARAM(static_cast<unsigned char>(ch));
    if (ch == 0) m.Result = 1;
}

void TWinControl::WMSetFocus(TWMFocus&) {
    if (TCustomForm* form = GetParentForm(this)) form->FocusChanged(this);
}

void TWinControl::WMKillFocus(TWMFocus&) {}

void TWinControl::WMSetCursor(TWMSetCursor& m) {
    int hit = m.HitTest;
    if (hit != HTCLIENT) {
        NonClient::ShowCursorFor(hit);
        m.Result = 1;
        return;
    }
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
        TPoint p = ScreenToClient(TWindowSystem::Get().MousePos());
        TControl* child = m_captureControl ? m_captureControl : ControlAtPos(p, false, false);
        if (child && child->Cursor() != crDefault)
            cursor = child->Cursor();
        else
            cursor = m_cursor;
    }
    if (cursor == crDefault) {
        // Let the parent decide (a child with the default cursor shows its parent's).
        if (m_parent) {
            m.Result = m.PassTo(*m_parent);
            if (m.Result) return;
        }
        cursor = crArrow;
    }
    Screen->ShowCursor(cursor);
    m.Result = 1;
}

void TWinControl::WMSize(TWMSize& m) {
    Realign();
    DefaultHandler(m.Message);
}

void TWinControl::CMDialogKey(TWMKey& m) {
    // Offer the key to the children until one takes it.
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        if (!c->m_visible || !c->m_enabled) continue;
        if (m.PassTo(*c) != 0) {
            m.Result = 1;
            return;
        }
    }
}

void TWinControl::CMDialogChar(TWMChar& m) {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        if (!c->m_visible || !c->m_enabled) continue;
        if (m.PassTo(*c) != 0) {
            m.Result = 1;
            return;
        }
    }
}

void TWinControl::CMShowingChanged(TWMNoParams&) {
    const bool showing = Showing();
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            // While hidden, others drew where the child windows lie; their old pixels are gone,
            // so a window coming into view paints whole, frame included.
            if (showing && w->Showing())
                RedrawWindow(w, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
            w->Perform(CM_SHOWINGCHANGED);
        }
}

void TWinControl::SetTextValue(const AnsiString& text) {
    TMessage m{WM_SETTEXT, 0, LPARAM(text.c_str()), 0};
    WindowProc(m);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    bool moved = left != m_left || top != m_top;
    bool sized = width != m_width || height != m_height;
    ++s_layoutGeneration;
    if (m_parent && m_visible) {
        TRect old = BoundsRect();
        InvalidateRect(m_parent, &old, true);
    }
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    TWindowSystem& ws = TWindowSystem::Get();
    if (sized) ws.UpdateNonClient(this);
    if (!m_parent) {
        ws.MoveTopLevel(this);
    } else if (m_visible) {
        TRect now = BoundsRect();
        InvalidateRect(m_parent, &now, true);
    }
    if (moved || sized) {
        // Moved pixels: this window and everything inside it paints again.
        RedrawWindow(this, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
        if (!m_parent && !sized) ws.MarkDirty(this);
    }
    if (moved) Perform(WM_MOVE, 0, MAKELPARAM(ClientOrigin().X, ClientOrigin().Y));
    if (sized) {
        Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(ClientWidth(), ClientHeight()));
        Resize();
    }
    if (m_parent && m_align != alNone && !(m_parent->m_controlState & csAligning))
        m_parent->Realign();
}
