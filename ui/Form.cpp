// TCustomForm: top-level windows with the classic default frame, showing, closing, modality.
#include "ui/Form.h"

#include <algorithm>

#include "ui/Forms.h"
#include "ui/MainMenu.h"
#include "ui/MainMenuAccessible.h"
#include "ui/WindowIcon.h"
#include "ui/WindowSystem.h"

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
    m_visible = false;
    m_parentFont = false;
    m_parentColor = false;
    m_color = clBtnFace;
    m_style = WS_OVERLAPPED | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
    m_controlStyle |= csAcceptsControls;
    m_left = 0;
    m_top = 0;
    m_width = 320;
    m_height = 240;
    if (Screen) Screen->m_forms.push_back(this);
    CreateHandle();
}

TCustomForm::~TCustomForm() {
    // The frame is an owned component that goes later; nothing reaches it from here on.
    m_frame = nullptr;
    // Its view (the frame's) goes with the form; a menu that stays must not call it.
    if (m_menu) m_menu->SetView(nullptr);
    m_menuAccessible.reset();
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
        }
    }
    if (Screen) {
        auto& forms = Screen->m_forms;
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
        if (Screen->m_activeForm == this) Screen->m_activeForm = nullptr;
    }
    if (Application && Application->m_mainForm == this) Application->m_mainForm = nullptr;
    TWindowSystem& ws = TWindowSystem::Get();
    ws.Modal().Remove(this);
}

void TCustomForm::AfterConstruction() {
    if (OnCreate) OnCreate(this);
}

bool TCustomForm::Showing() const {
    return m_visible && m_handleAllocated;
}

TPoint TCustomForm::ClientOrigin() const {
    return {m_left + m_clientInWindow.Left, m_top + m_clientInWindow.Top};
}

namespace {
// What the frame takes from a window, measured on a window large enough to have a client
// area whatever its current size.
TSize FrameOverhead(TCustomForm* form) {
    TNCCalcSizeParams p;
    p.rgrc[0] = Rect(0, 0, 10000, 10000);
    p.rgrc[1] = p.rgrc[2] = p.rgrc[0];
    form->Perform(WM_NCCALCSIZE, 1, LPARAM(&p));
    return {10000 - p.rgrc[0].Width(), 10000 - p.rgrc[0].Height()};
}
} // namespace

void TCustomForm::SetClientWidth(int value) {
    SetBounds(m_left, m_top, value + FrameOverhead(this).cx, m_height);
}

void TCustomForm::SetClientHeight(int value) {
    SetBounds(m_left, m_top, m_width, value + FrameOverhead(this).cy);
}

int TCustomForm::DisplayWindow() const {
    return m_wnd->displayId;
}

void TCustomForm::SetIcon(const TBitmap& icon) {
    m_icon = icon;
    ShowWindowIcon(this);
    RedrawWindow(this, nullptr, RDW_FRAME);
}

void TCustomForm::SetFrame(TFormFrame* frame) {
    if (frame == m_frame) return;
    m_frame = frame;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    m_borderIcons = icons;
    RedrawWindow(this, nullptr, RDW_FRAME);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == m_borderStyle) return;
    int cw = ClientWidth(), ch = ClientHeight();
    m_borderStyle = style;
    TWindowSystem::Get().UpdateNonClient(this);
    // Keep the client size, as a stored form does.
    SetBounds(m_left, m_top, cw + m_width - m_clientInWindow.Width(),
              ch + m_height - m_clientInWindow.Height());
    RedrawWindow(this, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == m_windowState) return;
    TWindowSystem& ws = TWindowSystem::Get();
    TWindowState old = m_windowState;
    m_windowState = state;
    if (state == wsMinimized) {
        if (m_wnd->displayId) CurrentDisplay().MinimizeWindow(m_wnd->displayId);
        m_wnd->minimized = true;
        return;
    }
    if (old == wsMinimized) {
        m_wnd->minimized = false;
        if (m_wnd->displayId) CurrentDisplay().RestoreWindow(m_wnd->displayId);
        RedrawWindow(this, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (state == wsMaximized) {
        m_restoreBounds = BoundsRect();
        TMinMaxInfo info;
        Perform(WM_GETMINMAXINFO, 0, LPARAM(&info));
        SetBounds(info.ptMaxPosition.X, info.ptMaxPosition.Y, info.ptMaxSize.X, info.ptMaxSize.Y);
    } else if (old == wsMaximized && !m_restoreBounds.IsEmpty()) {
        SetBoundsRect(m_restoreBounds);
    }
    ws.MarkDirty(this);
}

void TCustomForm::Show() {
    TWindowSystem& ws = TWindowSystem::Get();
    if (m_visible && m_wnd->displayId) {
        ws.ActivateForm(this);
        return;
    }
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (m_position == poScreenCenter || m_position == poDesktopCenter ||
            m_position == poMainFormCenter || m_position == poOwnerFormCenter) {
            TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
            TCustomForm* main = Application->MainForm();
            if ((m_position == poMainFormCenter || m_position == poOwnerFormCenter) && main &&
                main != this && main->Showing())
                screen = main->BoundsRect();
            SetBounds(screen.Left + (screen.Width() - m_width) / 2,
                      screen.Top + (screen.Height() - m_height) / 2, m_width, m_height);
        }
    }
    m_visible = true;
    m_style |= WS_VISIBLE;
    Realign();
    ws.ShowTopLevel(this, true, true, false);
    ShowWindowIcon(this);
    Perform(WM_SHOWWINDOW, 1, 0);
    Perform(CM_SHOWINGCHANGED);
    if (OnShow) OnShow(this);
    if (ws.Modal().Empty() || ws.Modal().Top() == this) ws.ActivateForm(this);
}

void TCustomForm::Hide() {
    if (!m_visible) return;
    TWindowSystem& ws = TWindowSystem::Get();
    m_visible = false;
    m_style &= ~WS_VISIBLE;
    if (ws.Focus() && (ws.Focus() == this || ContainsControl(ws.Focus())))
        ws.SetFocusWindow(nullptr);
    ws.ShowTopLevel(this, false, false, false);
    Perform(WM_SHOWWINDOW, 0, 0);
    Perform(CM_SHOWINGCHANGED);
    if (OnHide) OnHide(this);
    if (Screen->m_activeForm == this) {
        // The next visible form takes over.
        TCustomForm* next = nullptr;
        for (TWinControl* w : ws.TopLevels())
            if (auto* f = dynamic_cast<TCustomForm*>(w); f && f != this && f->Showing()) next = f;
        if (!ws.Modal().Empty() && ws.Modal().Top() != this) next = ws.Modal().Top();
        ws.ActivateForm(next);
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (m_modal) {
        DoClose(action);
        if (action != caNone && m_modalResult == mrNone) m_modalResult = mrCancel;
        return;
    }
    if (Application && Application->MainForm() == this) action = caFree;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        Hide();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

TModalResult TCustomForm::ShowModal() {
    TWindowSystem& ws = TWindowSystem::Get();
    TCustomForm* previous = Screen->ActiveForm();
    if (GetCapture()) ReleaseCapture();
    Application->CancelHint();
    m_modal = true;
    m_modalResult = mrNone;
    ws.Modal().Push(this);
    if (m_visible) Hide();
    Show();
    while (ws.Alive(this) && m_modalResult == mrNone && !Application->Terminated()) {
        Application->HandleMessage();
        if (ws.Alive(this) && !m_visible && m_modalResult == mrNone) m_modalResult = mrCancel;
    }
    if (!ws.Alive(this)) {
        if (previous && ws.Alive(previous)) ws.ActivateForm(previous);
        return mrCancel;
    }
    TModalResult result = m_modalResult;
    ws.Modal().Remove(this);
    m_modal = false;
    Hide();
    if (previous && ws.Alive(previous) && previous->Showing()) ws.ActivateForm(previous);
    return result;
}

void TCustomForm::Release() {
    PostMessage(this, CM_RELEASE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    // While the form is hidden or inactive the choice is only remembered; activation
    // focuses it.
    if (m_active && Showing()) {
        if (control && !control->CanFocus()) return;
        ::SetFocus(control ? control->Handle() : this);
        return;
    }
    FocusChanged(control);
}

void TCustomForm::FocusChanged(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control == m_activeControl) return;
    TWinControl* old = m_activeControl;
    m_activeControl = control;
    TWindowSystem& ws = TWindowSystem::Get();
    if (old && ws.Alive(old)) old->Perform(CM_EXIT);
    if (control && ws.Alive(control) && m_activeControl == control) control->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, LPARAM(m_activeControl));
    // Everyone below hears where the focus went (default buttons follow it).
    std::vector<TWinControl*> all;
    GetTabOrderList(all);
    for (TWinControl* w : all)
        if (ws.Alive(w)) w->Perform(CM_FOCUSCHANGED, 0, LPARAM(m_activeControl));
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::KeyDown(WORD& key, TShiftState shift) {
    if (MenuTakesKey(key)) {
        key = 0;
        return;
    }
    TWinControl::KeyDown(key, shift);
}

// --- the main menu ---

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == m_menu) return;
    if (m_menu) m_menu->RemoveFreeNotification(this);
    m_menu = menu;
    if (menu) menu->FreeNotification(this);
    MenuChanged();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_menu && m_menu) {
        m_menu = nullptr;
        if (!Destroying()) MenuChanged();
    }
}

void TCustomForm::MenuChanged() {
    m_menuAccessible.reset();
    Perform(CM_MENUCHANGED);
    NotifyAccessible(*this, TAccessibleChange::Children);
}

bool TCustomForm::MenuTakesKey(WORD key) const {
    return m_menu && m_menu->View() && m_menu->View()->MenuKey(key);
}

void TCustomForm::CMDialogChar(TWMChar& m) {
    TCustomControl::CMDialogChar(m);
    if (m.Result != 0 || !m_menu || m_menu->FindAccelerator(char(m.CharCode)) < 0) return;
    // The letter opens the menu the way the system's key menu command does.
    m.Result = Perform(WM_SYSCOMMAND, SC_KEYMENU, LPARAM(static_cast<unsigned char>(m.CharCode)));
}

// --- message handlers ---

void TCustomForm::CMRelease(TWMNoParams&) {
    delete this;
}

void TCustomForm::CMTextChanged(TWMNoParams& m) {
    if (m_wnd->displayId) CurrentDisplay().SetWindowTitle(m_wnd->displayId, AnsiToUtf8(m_text));
    RedrawWindow(this, nullptr, RDW_FRAME);
    TCustomControl::CMTextChanged(m);
}

// The form itself has the focus only when none of its controls can take it.
void TCustomForm::WMSetFocus(TWMFocus& m) {
    const bool menuInUse = m_menu && m_menu->View() && m_menu->View()->MenuInUse();
    if (m_activeControl && m_activeControl->CanFocus() && !menuInUse) {
        ::SetFocus(m_activeControl->Handle());
        return;
    }
    TCustomControl::WMSetFocus(m);
}

void TCustomForm::WMClose(TWMNoParams&) {
    Close();
}

void TCustomForm::WMActivate(TWMActivate& m) {
    InterruptFrame();
    auto alive = m_alive;
    ActivateDefault(m);
    if (auto* frame = FrameAfter(alive)) frame->Activated(m);
}

void TCustomForm::ActivateDefault(TWMActivate& m) {
    TWindowSystem& ws = TWindowSystem::Get();
    if (m.Active != WA_INACTIVE) {
        m_active = true;
        TWinControl* target = m_activeControl;
        if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
        if (target)
            ::SetFocus(target->Handle());
        else
            ws.SetFocusWindow(this);
        if (OnActivate) OnActivate(this);
    } else {
        m_active = false;
        if (ws.Focus() && (ws.Focus() == this || ContainsControl(ws.Focus())))
            ws.SetFocusWindow(nullptr);
        if (OnDeactivate) OnDeactivate(this);
    }
}

void TCustomForm::WMSysCommand(TWMSysCommand& m) {
    if (m_frame && m_frame->SysCommand(m)) return;
    auto alive = m_alive;
    SysCommandDefault(m);
    if (auto* frame = FrameAfter(alive)) frame->SysCommanded(m);
}

void TCustomForm::SysCommandDefault(TWMSysCommand& m) {
    switch (m.CmdType) {
    case SC_CLOSE:
        Perform(WM_CLOSE);
        break;
    case SC_MINIMIZE:
        SetWindowState(wsMinimized);
        break;
    case SC_MAXIMIZE:
        SetWindowState(wsMaximized);
        break;
    case SC_RESTORE:
        SetWindowState(wsNormal);
        break;
    default:
        break;
    }
}

void TCustomForm::CMDialogKey(TWMKey& m) {
    WORD key = m.CharCode;
    if (MenuTakesKey(key)) {
        m.Result = 1;
        return;
    }
    TShiftState shift = KeyboardShiftState();
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        SelectNext(m_activeControl, !(shift & ssShift), true);
        m.Result = 1;
        return;
    }
    if ((key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) && m_activeControl) {
        // Arrows move within the focused control's group (its parent), as dialog managers do.
        TWinControl* parent = m_activeControl->Parent();
        if (parent) {
            if (TWinControl* next = parent->FindNextControl(
                    m_activeControl, key == VK_RIGHT || key == VK_DOWN, false, true)) {
                next->SetFocus();
                m.Result = 1;
                return;
            }
        }
        return;
    }
    // Enter and Escape: the default and cancel buttons.
    TCustomControl::CMDialogKey(m);
}

// --- the non-client area: the form's frame when it has one, else the classic frame
// (NonClient.cpp draws it) ---

void TCustomForm::WMNCCalcSize(TWMNCCalcSize& m) {
    if (m_frame && m_frame->NCCalcSize(m)) return;
    NonClient::FormCalcSize(this, m.Params);
}

void TCustomForm::WMNCPaint(TWMNCPaint& m) {
    if (m_frame && m_frame->NCPaint(m)) return;
    if (auto* canvas = m.Canvas) NonClient::FormPaint(this, *canvas);
}

void TCustomForm::WMNCHitTest(TWMNCHitTest& m) {
    if (m_frame && m_frame->NCHitTest(m)) return;
    TPoint p = m.Pos;
    m.Result = NonClient::FormHitTest(this, {p.X - m_left, p.Y - m_top});
}

void TCustomForm::WMNCActivate(TWMNCActivate& m) {
    if (m_frame && m_frame->NCActivate(m)) return;
    auto alive = m_alive;
    TCustomControl::WMNCActivate(m);
    if (auto* frame = FrameAfter(alive)) frame->NCActivated(m);
}

void TCustomForm::WMNCMouseMove(TWMNCMouse& m) {
    auto alive = m_alive;
    TCustomControl::WMNCMouseMove(m);
    if (auto* frame = FrameAfter(alive)) frame->NCMouseMove(m);
}

void TCustomForm::WMNCLButtonDown(TWMNCMouse& m) {
    InterruptFrame();
    auto alive = m_alive;
    if (!NonClient::FormButtonDown(this, m.HitTest, m.Pos)) TCustomControl::WMNCLButtonDown(m);
    if (auto* frame = FrameAfter(alive)) frame->NCLButtonDown(m);
}

void TCustomForm::WMNCLButtonUp(TWMNCMouse& m) {
    auto alive = m_alive;
    TCustomControl::WMNCLButtonUp(m);
    if (auto* frame = FrameAfter(alive)) frame->NCLButtonUp(m);
}

// A double click on the caption maximises a sizeable form, or restores it.
void TCustomForm::WMNCLButtonDblClk(TWMNCMouse& m) {
    auto alive = m_alive;
    if (m.HitTest == HTCAPTION && (m_borderIcons & biMaximize) && m_borderStyle == bsSizeable)
        SetWindowState(m_windowState == wsMaximized ? wsNormal : wsMaximized);
    else
        TCustomControl::WMNCLButtonDblClk(m);
    if (auto* frame = FrameAfter(alive)) frame->NCLButtonDblClk(m);
}

void TCustomForm::WMNCRButtonDown(TWMNCMouse& m) {
    InterruptFrame();
    auto alive = m_alive;
    TCustomControl::WMNCRButtonDown(m);
    if (auto* frame = FrameAfter(alive)) frame->NCRButtonDown(m);
}

void TCustomForm::WMNCRButtonUp(TWMNCMouse& m) {
    auto alive = m_alive;
    TCustomControl::WMNCRButtonUp(m);
    if (auto* frame = FrameAfter(alive)) frame->NCRButtonUp(m);
}

void TCustomForm::WMNCRButtonDblClk(TWMNCMouse& m) {
    auto alive = m_alive;
    TCustomControl::WMNCRButtonDblClk(m);
    if (auto* frame = FrameAfter(alive)) frame->NCRButtonDblClk(m);
}

void TCustomForm::WMNCMButtonDown(TWMNCMouse& m) {
    InterruptFrame();
    TCustomControl::WMNCMButtonDown(m);
}

// --- what else the form's frame hears: asked first, or told after the form's default ---

void TCustomForm::WMSetText(TWMSetText& m) {
    auto alive = m_alive;
    TCustomControl::WMSetText(m);
    if (auto* frame = FrameAfter(alive)) frame->TextSet(m);
}

void TCustomForm::WMSize(TWMSize& m) {
    InterruptFrame();
    auto alive = m_alive;
    TCustomControl::WMSize(m);
    if (auto* frame = FrameAfter(alive)) frame->Sized(m);
}

void TCustomForm::WMSizing(TWMSizing& m) {
    auto alive = m_alive;
    TCustomControl::WMSizing(m);
    if (auto* frame = FrameAfter(alive)) frame->Sizing(m);
}

void TCustomForm::WMMove(TWMMove& m) {
    InterruptFrame();
    TCustomControl::WMMove(m);
}

void TCustomForm::WMGetMinMaxInfo(TWMGetMinMaxInfo& m) {
    auto alive = m_alive;
    TCustomControl::WMGetMinMaxInfo(m);
    if (auto* frame = FrameAfter(alive)) frame->MinMaxInfo(m);
}

void TCustomForm::WMEraseBkgnd(TWMEraseBkgnd& m) {
    if (m_frame && m_frame->EraseBkgnd(m)) return;
    TCustomControl::WMEraseBkgnd(m);
}

void TCustomForm::WMShowWindow(TWMShowWindow& m) {
    auto alive = m_alive;
    TCustomControl::WMShowWindow(m);
    if (auto* frame = FrameAfter(alive)) frame->Shown(m);
}

void TCustomForm::WMEnterSizeMove(TWMNoParams& m) {
    auto alive = m_alive;
    TCustomControl::WMEnterSizeMove(m);
    if (auto* frame = FrameAfter(alive)) frame->SizeMoveEntered(m);
}

void TCustomForm::WMExitSizeMove(TWMNoParams& m) {
    auto alive = m_alive;
    TCustomControl::WMExitSizeMove(m);
    if (auto* frame = FrameAfter(alive)) frame->SizeMoveExited(m);
}

void TCustomForm::WMKillFocus(TWMFocus& m) {
    InterruptFrame(m.Other);
    TCustomControl::WMKillFocus(m);
}

void TCustomForm::WMCancelMode(TWMNoParams& m) {
    InterruptFrame();
    TCustomControl::WMCancelMode(m);
}

void TCustomForm::WMCaptureChanged(TWMCaptureChanged& m) {
    auto alive = m_alive;
    TCustomControl::WMCaptureChanged(m);
    if (auto* frame = FrameAfter(alive)) frame->CaptureChanged(m);
}

void TCustomForm::WMTimer(TWMTimer& m) {
    if (m_frame && m_frame->Timer(m)) return;
    TCustomControl::WMTimer(m);
}

void TCustomForm::WMMouseMove(TWMMouse& m) {
    if (m_frame && m_frame->ClientMouseMove(m)) return;
    TCustomControl::WMMouseMove(m);
}

void TCustomForm::WMLButtonDown(TWMMouse& m) {
    InterruptFrame();
    TCustomControl::WMLButtonDown(m);
}

void TCustomForm::WMLButtonUp(TWMMouse& m) {
    if (m_frame && m_frame->ClientLButtonUp(m)) return;
    TCustomControl::WMLButtonUp(m);
}

void TCustomForm::WMRButtonDown(TWMMouse& m) {
    InterruptFrame();
    TCustomControl::WMRButtonDown(m);
}

void TCustomForm::WMRButtonUp(TWMMouse& m) {
    if (m_frame && m_frame->ClientRButtonUp(m)) return;
    TCustomControl::WMRButtonUp(m);
}

void TCustomForm::WMMButtonDown(TWMMouse& m) {
    InterruptFrame();
    TCustomControl::WMMButtonDown(m);
}

void TCustomForm::DefaultHandler(TMessage& m) {
    if (m_frame) {
        // Activation by the mouse and a child's notice end what the frame has open, as the
        // button messages do.
        if (m.Msg == WM_MOUSEACTIVATE || m.Msg == WM_PARENTNOTIFY) m_frame->Interrupted(nullptr);
        if (m_frame && m_frame->OtherMessage(m)) return;
    }
    TCustomControl::DefaultHandler(m);
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

void TCustomForm::SendCancelMode(TControl* sender) {
    if (m_activeControl && m_activeControl != sender)
        m_activeControl->Perform(CM_CANCELMODE, 0, LPARAM(sender));
}

void TCustomForm::DescribeAccessible(TAccessibleInfo& info) const {
    TCustomControl::DescribeAccessible(info);
    info.Role = m_modal ? TAccessibleRole::Dialog : TAccessibleRole::Frame;
    info.Name = GetText();
    if (m_active) info.States |= asActive;
    if (m_modal) info.States |= asModal;
    // The main menu, first, while something shows it.
    if (m_menu && m_menu->View()) {
        if (!m_menuAccessible)
            m_menuAccessible =
                std::make_unique<TMainMenuAccessible>(const_cast<TCustomForm*>(this), m_menu);
        info.Children.insert(info.Children.begin(), m_menuAccessible.get());
    }
    info.States &= ~asFocusable;
}
