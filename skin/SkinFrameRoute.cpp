// TspSkinFrame as its form's frame: what it answers when the form asks first, what it follows
// when the form tells it after its default, and the skin's messages it relays.
#include "skin/ScreenUtilities.h"
#include "skin/SkinAware.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinFrameGeometry.h"
#include "skin/SkinMainMenuItems.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "skin/SkinMessages.h"
#include "ui/MainMenu.h"

#include <algorithm>

// Whatever the frame had open (the object hint and the skinned menu) ends when the window
// moves, sizes, loses the focus or the activation, or a mouse button goes down on it.
void TspSkinFrame::Interrupted(TWinControl* focusTo) {
    // The menu window takes the keyboard while it is open; that must not close it.
    m_mainMenu->Interrupted(focusTo);
    if (focusTo && m_builtInMenu && focusTo == m_builtInMenu->Window()) return;
    HideObjectHint();
    if (MenuShown()) CloseMenu();
}

// Whether the frame computes and paints the non-client area of its form.
bool TspSkinFrame::NonClientHandled() const {
    if (!m_supportNCArea) return false;
    if (m_form->BorderStyle() == bsNone) return false;
    return !(m_form->FormStyle() == fsMDIChild && m_form->WindowState() == wsMaximized);
}

// --- the non-client area ---

bool TspSkinFrame::NCCalcSize(TWMNCCalcSize& m) {
    if (!NonClientHandled()) return false;
    TRect& r = m.Params.rgrc[0];
    if (m_skinned) {
        const TBitmap* picture = FramePicture();
        const TRect& cl = m_skinData->FormInfo().clientrect;
        r.Left += cl.Left;
        r.Top += cl.Top;
        r.Right -= picture->Width() - cl.Right;
        r.Bottom -= picture->Height() - cl.Bottom;
    } else {
        r.Left += 3;
        r.Top += 3 + CaptionHeight();
        r.Right -= 3;
        r.Bottom -= 3;
    }
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    m.Result = 0;
    return true;
}

bool TspSkinFrame::NCPaint(TWMNCPaint& m) {
    if (!NonClientHandled() || !m.Canvas) return false;
    if (m_skinned)
        PaintFrame(*m.Canvas);
    else if (!(m_skinData && m_skinData->SkinLoading()))
        PaintDefaultFrame(*m.Canvas);
    m.Result = 0;
    return true;
}

bool TspSkinFrame::NCHitTest(TWMNCHitTest& m) {
    if (!NonClientHandled()) {
        // Without the non-client area a DraggAble frame moves the window by its client area,
        // where no control lies (the system moves it where it can, as by a caption).
        if (m_supportNCArea || !m_draggAble) return false;
        const TPoint p = m_form->ScreenToClient(m.Pos);
        if (!m_form->ClientRect().Contains(p) || m_form->ControlAtPos(p, true)) return false;
        m.Result = HTCAPTION;
        return true;
    }
    TPoint p = ToWindow(m.Pos);
    if (!Rect(0, 0, m_form->Width(), m_form->Height()).Contains(p)) {
        m.Result = HTNOWHERE;
        return true;
    }
    m.Result = HitTest(p);
    // Hover follows the pointer over the frame; over the client area nothing is hovered.
    if (m.Result == HTCLIENT)
        UpdateHover(-1, -1, false);
    else
        UpdateHover(p.X, p.Y, true);
    if (m.Result == HTOBJECT && m_skinned) StartHoverTimer();
    return true;
}

// A normal form's activation is the frame's to draw; an MDI child's also goes to the form.
bool TspSkinFrame::NCActivate(TWMNCActivate& m) {
    CloseMenu();
    if (m_form->FormStyle() == fsMDIChild) return false;
    m.Result = 1;
    ActivationChanged(m.Active);
    return true;
}

void TspSkinFrame::NCActivated(TWMNCActivate& m) {
    ActivationChanged(m.Active);
}

void TspSkinFrame::Activated(TWMActivate& m) {
    ActivationChanged(m.Active != WA_INACTIVE);
}

bool TspSkinFrame::EraseBkgnd(TWMEraseBkgnd& m) {
    if (!m.Canvas) return false;
    PaintClientBackground(*m.Canvas);
    m.Result = 1;
    return true;
}

// --- the window's state ---

void TspSkinFrame::TextSet(TWMSetText&) {
    if (m_titleCaption) m_titleCaption->Text = CaptionText();
    RepaintFrame();
}

void TspSkinFrame::Sized(TWMSize&) {
    if (m_form->WindowState() == wsMinimized) return;
    SizeChanged(m_form->Width(), m_form->Height());
    PlaceAreaControls();
}

void TspSkinFrame::PlaceAreaControls() {
    if (m_supportNCArea || !m_skinData || m_skinData->SkinEmpty()) return;
    const TBitmap* picture = FramePicture();
    if (!picture || picture->Empty()) return;
    // The whole skin picture is the client area: areas move with the client's size as the
    // frame's objects move with the frame's.
    const TspSkinFormInfo& info = m_skinData->FormInfo();
    const int pw = picture->Width(), ph = picture->Height();
    const int dx = m_form->ClientWidth() - pw, dy = m_form->ClientHeight() - ph;
    auto place = [&](auto&& self, TWinControl* parent) -> void {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* control = parent->Controls(i);
            auto* aware = dynamic_cast<TspSkinAware*>(control);
            const std::string name = aware ? aware->SkinAreaName() : std::string();
            if (!name.empty())
                for (int a = 0; a < m_skinData->AreaCount(); ++a) {
                    const TspDataSkinArea* area = m_skinData->Area(a);
                    if (!area || area->IDName != name || area->AreaRect.IsEmpty()) continue;
                    control->SetAlign(alNone);
                    control->SetBoundsRect(MoveByCornerRule(area->AreaRect, info, pw, ph, dx, dy));
                    break;
                }
            if (auto* child = dynamic_cast<TWinControl*>(control)) self(self, child);
        }
    };
    place(place, m_form);
}

void TspSkinFrame::Sizing(TWMSizing&) {
    if (m_form->WindowState() == wsMinimized) return;
    SizeChanged(m_form->Width(), m_form->Height());
}

void TspSkinFrame::MinMaxInfo(TWMGetMinMaxInfo& m) {
    TMinMaxInfo& info = m.Info;
    info.ptMinTrackSize = {MinFrameWidth(), MinFrameHeight()};
    info.ptMaxTrackSize = {MaxFrameWidth(), MaxFrameHeight()};
    TRect area = m_maximizeOnFullScreen ? Rect(0, 0, Screen->Width(), Screen->Height())
                                        : Screen->WorkAreaRect();
    info.ptMaxPosition = {area.Left, area.Top};
    info.ptMaxSize = {MaxFrameWidth(), MaxFrameHeight()};
}

void TspSkinFrame::SetAlphaBlend(bool value) {
    m_alphaBlend = value;
    ApplyWindowAlpha();
}

void TspSkinFrame::SetAlphaBlendValue(int value) {
    m_alphaBlendValue = std::clamp(value, 0, 255);
    ApplyWindowAlpha();
}

void TspSkinFrame::ApplyWindowAlpha() {
    if (m_form && LayeredWindowsAvailable())
        SetWindowAlpha(m_form, m_alphaBlend ? m_alphaBlendValue : 255);
}

void TspSkinFrame::Shown(TWMShowWindow& m) {
    if (!m.Show) return;
    if (m_alphaBlend && m_alphaBlendAnimation)
        StartShowFade();
    else if (m_alphaBlend)
        ApplyWindowAlpha();
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (m_positionInMonitor != sppDefault) {
            TRect area = m_positionInMonitor == sppWorkAreaCenter
                             ? Screen->WorkAreaRect()
                             : Rect(0, 0, Screen->Width(), Screen->Height());
            m_form->SetBounds(area.Left + (area.Width() - m_form->Width()) / 2,
                              area.Top + (area.Height() - m_form->Height()) / 2, m_form->Width(),
                              m_form->Height());
        }
    }
    // The frame is computed for the size it is shown at.
    SetWindowPos(m_form, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SizeChanged(m_form->Width(), m_form->Height());
}

void TspSkinFrame::SizeMoveEntered(TWMNoParams&) {
    m_moving = true;
    StopHoverTimer();
    ResetObjects();
}

void TspSkinFrame::SizeMoveExited(TWMNoParams&) {
    m_moving = false;
    if (m_skinned) StartHoverTimer();
    RepaintFrame();
}

bool TspSkinFrame::SysCommand(TWMSysCommand& m) {
    switch (m.CmdType) {
    case SC_KEYMENU:
        // No platform menu loop: the form's main menu, when it has one, takes the key. The
        // point's low word carries the Alt letter (0 for Alt alone or F10).
        m.Result = m_mainMenu->KeyMenu(char(m.Pos.X & 0xFF)) ? 1 : 0;
        return true;
    case SC_RESTORE:
        if (OnRestore) OnRestore(this);
        return false;
    default:
        return false;
    }
}

void TspSkinFrame::SysCommanded(TWMSysCommand& m) {
    if (m.CmdType == SC_MINIMIZE && OnMinimize) OnMinimize(this);
    if (m.CmdType == SC_MAXIMIZE && OnMaximize) OnMaximize(this);
}

// --- mouse input for the frame objects ---

void TspSkinFrame::NCMouseMove(TWMNCMouse& m) {
    RouteMouseMove(ToWindow(m.Pos));
}

void TspSkinFrame::NCLButtonDown(TWMNCMouse& m) {
    RouteMouseDown(ToWindow(m.Pos), mbLeft);
}

void TspSkinFrame::NCLButtonUp(TWMNCMouse& m) {
    RouteMouseUp(ToWindow(m.Pos), mbLeft, false);
}

void TspSkinFrame::NCLButtonDblClk(TWMNCMouse& m) {
    TPoint p = ToWindow(m.Pos);
    if (m_hoverIndex >= 0) {
        // A quick second click on a caption button presses it again; the system-menu
        // button's double click closes the window instead.
        TspActiveSkinObject* o = m_objects[size_t(m_hoverIndex)].get();
        auto* button = dynamic_cast<TspSkinStdButtonObject*>(o);
        if (button && button->command != cmSysMenu) RouteMouseDown(p, mbLeft);
        if (*m_alive && m_hoverIndex >= 0 && m_objects[size_t(m_hoverIndex)].get() == o)
            o->ObjectDoubleClick();
    }
    if (!*m_alive || !FormAlive() || m.HitTest != HTCAPTION) return;
    if (m_sizeable) {
        switch (m_form->WindowState()) {
        case wsMinimized:
        case wsMaximized:
            RestoreWindow();
            break;
        case wsNormal:
            if (m_borderIcons & biMaximize) MaximizeWindow();
            break;
        }
    } else {
        RollUpWindow(!m_rolledUp);
    }
}

void TspSkinFrame::NCRButtonDown(TWMNCMouse& m) {
    RouteMouseDown(ToWindow(m.Pos), mbRight);
    if (*m_alive && FormAlive() && m.HitTest == HTCAPTION) ShowSystemMenu(m.Pos);
}

void TspSkinFrame::NCRButtonUp(TWMNCMouse& m) {
    RouteMouseUp(ToWindow(m.Pos), mbRight, false);
}

void TspSkinFrame::NCRButtonDblClk(TWMNCMouse&) {
    if (m_hoverIndex >= 0) m_objects[size_t(m_hoverIndex)]->ObjectDoubleClick();
}

// While an object holds the mouse, the client messages that capture brings belong to it.
TPoint TspSkinFrame::ClientToWindow(TPoint client) const {
    TRect ci = m_form->ClientRectInWindow();
    return {client.X + ci.Left, client.Y + ci.Top};
}

bool TspSkinFrame::ClientMouseMove(TWMMouse& m) {
    if (!m_captureObject) return false;
    RouteMouseMove(ClientToWindow(m.Pos));
    return true;
}

bool TspSkinFrame::ClientLButtonUp(TWMMouse& m) {
    if (!m_captureObject) return false;
    RouteMouseUp(ClientToWindow(m.Pos), mbLeft, true);
    return true;
}

bool TspSkinFrame::ClientRButtonUp(TWMMouse& m) {
    if (!m_captureObject) return false;
    RouteMouseUp(ClientToWindow(m.Pos), mbRight, true);
    return true;
}

void TspSkinFrame::CaptureChanged(TWMCaptureChanged&) {
    // Someone else took the mouse: a held button lets go without acting, unless it is the
    // button whose menu just took it.
    if (!m_captureObject) return;
    TspActiveSkinObject* held = m_captureObject;
    m_captureObject = nullptr;
    auto* button = dynamic_cast<TspSkinButtonObject*>(held);
    if (button && button->Menu) return;
    if (button && button->Down) button->SetDown(false);
    m_downIndex = -1;
}

TPoint TspSkinFrame::ToWindow(TPoint screen) const {
    return {screen.X - m_form->Left(), screen.Y - m_form->Top()};
}

// --- the frame's own messages and the skin's ---

bool TspSkinFrame::OtherMessage(TMessage& m) {
    static const TMessageTable<TspSkinFrame> table = {
        {WM_SKINPAINTFRAMETO, &TspSkinFrame::WMPaintFrameTo},
        {WM_SKINCHANGING, &TspSkinFrame::WMSkinChanging},
        {WM_SKINCHANGED, &TspSkinFrame::WMSkinChanged},
        {WM_SKINCHANGEDONE, &TspSkinFrame::WMSkinChangeDone},
        {WM_SKINSTRINGSCHANGED, &TspSkinFrame::WMSkinStringsChanged},
        {WM_SKINMENUCLOSED, &TspSkinFrame::WMSkinMenuClosed},
        {CM_MENUCHANGED, &TspSkinFrame::CMMenuChanged},
    };
    // The form's default does nothing with these numbers; the frame's answer is the whole of it.
    return table.Dispatch(*this, m);
}

void TspSkinFrame::WMPaintFrameTo(TWMSkinPaintFrameTo& m) {
    if (!m.Canvas) return;
    TCanvas& canvas = *m.Canvas;
    {
        TCanvasStateGuard state(canvas);
        if (m_skinned) {
            // The client area is the window's own business.
            if (!m_geometry.ClientRect.IsEmpty()) canvas.ExcludeClipRect(m_geometry.ClientRect);
            PaintFrame(canvas);
        } else if (NonClientHandled()) {
            canvas.ExcludeClipRect(m_form->ClientRectInWindow());
            PaintDefaultFrame(canvas);
        }
    }
    m.Result = SkinPaintFrameMagic;
}

void TspSkinFrame::WMSkinChanging(TWMSkinChange& m) {
    if (m.Names(m_skinData)) {
        StopTimers();
        CloseMenu();
        m_mainMenu->Leave();
        ReleaseObjectCapture();
        m_objects.clear();
        m_titleCaption = nullptr;
        m_hoverIndex = m_downIndex = -1;
        m_skinned = false;
    }
    RelaySkinChange(m, true);
}

void TspSkinFrame::WMSkinChanged(TWMSkinChange& m) {
    if (m.Names(m_skinData)) ApplySkin();
    RelaySkinChange(m, false);
}

void TspSkinFrame::WMSkinChangeDone(TMessage&) {
    if (m_form->FormStyle() == fsMDIForm) m_form->Invalidate();
}

void TspSkinFrame::WMSkinStringsChanged(TMessage&) {
    // Menu captions are taken from the string table each time the menu is built.
    ConfigureFrameObjects();
}

void TspSkinFrame::WMSkinMenuClosed(TWMSkinMenuClosed& m) {
    if (m.Is(m_mainMenu->Popup()))
        m_mainMenu->PopupClosed();
    else
        MenuClosed();
}

void TspSkinFrame::CMMenuChanged(TMessage&) {
    MainMenuChanged();
}

// Depth first over the form's controls, then the skin-aware components it owns.
void TspSkinFrame::RelaySkinChange(const TWMSkinChange& change, bool prepare) {
    std::vector<TspSkinAware*> targets;
    auto collect = [&](auto&& self, TControl* control) -> void {
        if (auto* aware = dynamic_cast<TspSkinAware*>(control)) targets.push_back(aware);
        if (auto* parent = dynamic_cast<TWinControl*>(control))
            for (int i = 0; i < parent->ControlCount(); ++i) self(self, parent->Controls(i));
    };
    collect(collect, m_form);
    for (int i = 0; i < m_form->ComponentCount(); ++i) {
        TComponent* c = m_form->Components(i);
        if (dynamic_cast<TControl*>(c)) continue;
        if (auto* aware = dynamic_cast<TspSkinAware*>(c)) targets.push_back(aware);
    }
    std::weak_ptr<bool> alive = m_alive;
    for (TspSkinAware* target : targets) {
        if (change.Store != 0 && !change.Names(target->SkinData())) continue;
        if (prepare)
            target->PrepareSkinChange();
        else
            target->ApplySkinChange();
        if (alive.expired() || !*alive.lock()) return;
    }
}
