// TspSkinFrame: attachment to its form, properties, and the message table. Painting,
// hit testing, objects and commands live in the SkinFrame*.cpp files beside this one.
#include "skin/SkinFrame.h"

#include "rtl/Exceptions.h"
#include "skin/SkinAware.h"
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMessages.h"

#include <algorithm>

namespace {
// Timers of the frame, on the form's window; high numbers keep clear of the form's own.
constexpr uintptr_t MorphTimerId = 0x5F5301;
constexpr uintptr_t HoverTimerId = 0x5F5302;
constexpr uintptr_t AnimationTimerId = 0x5F5303;
constexpr unsigned MorphInterval = 25;
constexpr unsigned HoverInterval = 50;
constexpr unsigned AnimationInterval = 25;

void SetDefaultCaptionFont(TFont& font, TColor color) {
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetStyle({fsBold});
    font.SetColor(color);
}
} // namespace

TspSkinFrame::TspSkinFrame(TComponent* owner) : TComponent(owner) {
    m_form = dynamic_cast<TCustomForm*>(owner);
    if (!m_form) throw EInvalidOperation("A skinned window frame must be owned by a form");
    SetDefaultCaptionFont(m_defCaptionFont, clBtnText);
    SetDefaultCaptionFont(m_defInactiveCaptionFont, clBtnShadow);
    m_builtInMenu = new TspSkinPopupMenu(this);
    Attach();
}

TspSkinFrame::~TspSkinFrame() {
    *m_alive = false;
    CloseMenu();
    Detach();
    m_objects.clear();
}

void TspSkinFrame::Attach() {
    // The frame draws the caption buttons; the form's own set would draw a second row.
    m_form->SetBorderIcons(0);
    m_form->SetAutoScroll(false);
    m_savedWindowProc = m_form->WindowProc;
    std::weak_ptr<bool> alive = m_alive;
    m_form->WindowProc = [this, alive](TMessage& m) {
        if (alive.expired() || !*alive.lock()) return;
        WndProc(m);
    };
    m_form->RecreateWnd();
    SetWindowLong(m_form, GWL_STYLE, GetWindowLong(m_form, GWL_STYLE) & ~WS_CAPTION);
    m_windowActive = m_form->Active();
    m_width = m_form->Width();
    m_height = m_form->Height();
    BuildDefaultButtons();
}

void TspSkinFrame::Detach() {
    // While the form itself is being destroyed its window procedure is already gone.
    if (!m_form || !FormAlive() || m_form->Destroying()) return;
    StopTimers();
    ReleaseObjectCapture();
    if (!m_region.IsEmpty()) {
        RemoveWindowRgn(m_form, true);
        m_region.Clear();
    }
    m_form->WindowProc = m_savedWindowProc;
    SetWindowLong(m_form, GWL_STYLE, GetWindowLong(m_form, GWL_STYLE) | WS_CAPTION);
    m_form->RecreateWnd();
}

bool TspSkinFrame::FormAlive() const {
    return m_form && IsWindow(m_form);
}

void TspSkinFrame::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) {
        m_skinData = nullptr;
        if (!Destroying() && FormAlive()) ApplySkin();
    }
    if (component == m_menusSkinData) m_menusSkinData = nullptr;
    if (component == m_systemMenu) m_systemMenu = nullptr;
    if (component == m_skinHint) m_skinHint = nullptr;
    if (component == m_defaultHint) m_defaultHint = nullptr;
}

void TspSkinFrame::SetSkinHint(TspSkinHint* hint) {
    if (hint == m_skinHint) return;
    HideObjectHint();
    if (m_skinHint) m_skinHint->RemoveFreeNotification(this);
    m_skinHint = hint;
    if (hint) hint->FreeNotification(this);
}

// --- properties ---

void TspSkinFrame::SetSkinData(TspSkinData* store) {
    if (store == m_skinData) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = store;
    if (store) store->FreeNotification(this);
    // A store that already holds a skin applies at once; an empty one waits for its
    // skin-changed message.
    if (!store || !store->SkinEmpty()) ApplySkin();
}

void TspSkinFrame::SetMenusSkinData(TspSkinData* store) {
    if (store == m_menusSkinData) return;
    if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
    m_menusSkinData = store;
    if (store) store->FreeNotification(this);
}

void TspSkinFrame::SetSystemMenu(TspSkinPopupMenu* menu) {
    if (menu == m_systemMenu) return;
    if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
    m_systemMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TspSkinFrame::SetSupportNCArea(bool value) {
    if (value == m_supportNCArea) return;
    m_supportNCArea = value;
    ApplySkin();
}

void TspSkinFrame::SetBorderIcons(TBorderIcons icons) {
    if (icons == m_borderIcons) return;
    m_borderIcons = icons;
    // The objects follow the icons.
    if (m_skinned) {
        BuildFrameObjects();
        LayoutFrameObjects();
    } else {
        BuildDefaultButtons();
    }
    RepaintFrame();
}

void TspSkinFrame::SetHideCaptionButtons(bool value) {
    if (value == m_hideCaptionButtons) return;
    m_hideCaptionButtons = value;
    ConfigureFrameObjects();
    LayoutFrameObjects();
    RepaintFrame();
}

void TspSkinFrame::SetShowIcon(bool value) {
    if (value == m_showIcon) return;
    m_showIcon = value;
    LayoutFrameObjects();
    RepaintFrame();
}

TWindowState TspSkinFrame::WindowState() const {
    return m_form->WindowState();
}

TspSkinData* TspSkinFrame::ActiveStore() const {
    return m_skinned ? m_skinData : nullptr;
}

// --- the message table ---

const std::vector<TspSkinFrame::Route>& TspSkinFrame::Routes() {
    static const std::vector<Route> routes = [] {
        std::vector<Route> r = {
            {WM_NCCALCSIZE, &TspSkinFrame::WMNCCalcSize},
            {WM_NCPAINT, &TspSkinFrame::WMNCPaint},
            {WM_SKINPAINTFRAMETO, &TspSkinFrame::WMPaintFrameTo},
            {WM_NCHITTEST, &TspSkinFrame::WMNCHitTest},
            {WM_NCACTIVATE, &TspSkinFrame::WMNCActivate},
            {WM_ACTIVATE, &TspSkinFrame::WMActivate},
            {WM_SETTEXT, &TspSkinFrame::WMSetText},
            {WM_SIZE, &TspSkinFrame::WMSize},
            {WM_SIZING, &TspSkinFrame::WMSize},
            {WM_GETMINMAXINFO, &TspSkinFrame::WMGetMinMaxInfo},
            {WM_ERASEBKGND, &TspSkinFrame::WMEraseBkgnd},
            {WM_SHOWWINDOW, &TspSkinFrame::WMShowWindow},
            {WM_ENTERSIZEMOVE, &TspSkinFrame::WMEnterSizeMove},
            {WM_EXITSIZEMOVE, &TspSkinFrame::WMExitSizeMove},
            {WM_SYSCOMMAND, &TspSkinFrame::WMSysCommand},
            {WM_NCMOUSEMOVE, &TspSkinFrame::WMNCMouseMove},
            {WM_NCLBUTTONDOWN, &TspSkinFrame::WMNCLButtonDown},
            {WM_NCLBUTTONUP, &TspSkinFrame::WMNCLButtonUp},
            {WM_NCLBUTTONDBLCLK, &TspSkinFrame::WMNCLButtonDblClk},
            {WM_NCRBUTTONDOWN, &TspSkinFrame::WMNCRButtonDown},
            {WM_NCRBUTTONUP, &TspSkinFrame::WMNCRButtonUp},
            {WM_NCRBUTTONDBLCLK, &TspSkinFrame::WMNCRButtonDblClk},
            {WM_MOUSEMOVE, &TspSkinFrame::WMMouseMove},
            {WM_LBUTTONUP, &TspSkinFrame::WMLButtonUp},
            {WM_RBUTTONUP, &TspSkinFrame::WMRButtonUp},
            {WM_CAPTURECHANGED, &TspSkinFrame::WMCaptureChanged},
            {WM_TIMER, &TspSkinFrame::WMTimer},
            {WM_SKINCHANGING, &TspSkinFrame::WMSkinChanging},
            {WM_SKINCHANGED, &TspSkinFrame::WMSkinChanged},
            {WM_SKINCHANGEDONE, &TspSkinFrame::WMSkinChangeDone},
            {WM_SKINSTRINGSCHANGED, &TspSkinFrame::WMSkinStringsChanged},
            {WM_SKINMENUCLOSED, &TspSkinFrame::WMSkinMenuClosed},
        };
        std::sort(r.begin(), r.end(), [](const Route& a, const Route& b) { return a.msg < b.msg; });
        return r;
    }();
    return routes;
}

void TspSkinFrame::WndProc(TMessage& m) {
    if (!FormAlive()) {
        Pass(m);
        return;
    }
    PreWork(m);
    const auto& routes = Routes();
    auto it = std::lower_bound(routes.begin(), routes.end(), m.Msg,
                               [](const Route& r, UINT msg) { return r.msg < msg; });
    if (it != routes.end() && it->msg == m.Msg)
        (this->*(it->handler))(m);
    else
        Pass(m);
}

void TspSkinFrame::Pass(TMessage& m) {
    if (m_savedWindowProc) m_savedWindowProc(m);
}

namespace {
// Messages that end whatever the frame had open (the object hint and the skinned menu): the
// window moving, resizing, losing focus or activation, and any press of a mouse button.
bool EndsWhatTheFrameOpened(UINT msg) {
    static constexpr UINT kEnding[] = {
        WM_KILLFOCUS,     WM_MOVE,          WM_SIZE,         WM_ACTIVATE,    WM_CANCELMODE,
        WM_MOUSEACTIVATE, WM_PARENTNOTIFY,  WM_LBUTTONDOWN,  WM_RBUTTONDOWN, WM_MBUTTONDOWN,
        WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
    return std::find(std::begin(kEnding), std::end(kEnding), msg) != std::end(kEnding);
}
} // namespace

void TspSkinFrame::PreWork(TMessage& m) {
    if (!EndsWhatTheFrameOpened(m.Msg)) return;
    // The menu window takes the keyboard while it is open; that must not close it.
    if (m.Msg == WM_KILLFOCUS && m_builtInMenu && reinterpret_cast<TWinControl*>(m.WParam) &&
        reinterpret_cast<TWinControl*>(m.WParam) ==
            reinterpret_cast<TWinControl*>(m_builtInMenu->Window()))
        return;
    HideObjectHint();
    if (MenuShown()) CloseMenu();
}

// Whether the frame computes and paints the non-client area of its form.
bool TspSkinFrame::NonClientHandled() const {
    if (!m_supportNCArea) return false;
    if (m_form->BorderStyle() == bsNone) return false;
    return !(m_form->FormStyle() == fsMDIChild && m_form->WindowState() == wsMaximized);
}

void TspSkinFrame::WMNCCalcSize(TMessage& m) {
    if (!NonClientHandled()) {
        Pass(m);
        return;
    }
    TRect& r = reinterpret_cast<TNCCalcSizeParams*>(m.LParam)->rgrc[0];
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
}

void TspSkinFrame::WMNCPaint(TMessage& m) {
    auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
    if (!NonClientHandled() || !canvas) {
        Pass(m);
        return;
    }
    if (m_skinned)
        PaintFrame(*canvas);
    else if (!(m_skinData && m_skinData->SkinLoading()))
        PaintDefaultFrame(*canvas);
    m.Result = 0;
}

void TspSkinFrame::WMPaintFrameTo(TMessage& m) {
    auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
    if (m.LParam != SkinPaintFrameMagic || !canvas) {
        Pass(m);
        return;
    }
    {
        TCanvasStateGuard state(*canvas);
        if (m_skinned) {
            // The client area is the window's own business.
            if (!m_geometry.ClientRect.IsEmpty()) canvas->ExcludeClipRect(m_geometry.ClientRect);
            PaintFrame(*canvas);
        } else if (NonClientHandled()) {
            canvas->ExcludeClipRect(m_form->ClientRectInWindow());
            PaintDefaultFrame(*canvas);
        }
    }
    m.Result = SkinPaintFrameMagic;
}

void TspSkinFrame::WMNCHitTest(TMessage& m) {
    if (!NonClientHandled()) {
        Pass(m);
        return;
    }
    TPoint p = ToWindow(m.LParam);
    if (!Rect(0, 0, m_form->Width(), m_form->Height()).Contains(p)) {
        m.Result = HTNOWHERE;
        return;
    }
    m.Result = HitTest(p);
    // Hover follows the pointer over the frame; over the client area nothing is hovered.
    if (m.Result == HTCLIENT)
        UpdateHover(-1, -1, false);
    else
        UpdateHover(p.X, p.Y, true);
    if (m.Result == HTOBJECT && m_skinned) StartHoverTimer();
}

void TspSkinFrame::WMNCActivate(TMessage& m) {
    CloseMenu();
    bool active = m.WParam != 0;
    if (m_form->FormStyle() == fsMDIChild)
        Pass(m);
    else
        m.Result = 1;
    ActivationChanged(active);
}

void TspSkinFrame::WMActivate(TMessage& m) {
    Pass(m);
    ActivationChanged(LOWORD(m.WParam) != WA_INACTIVE);
}

void TspSkinFrame::WMSetText(TMessage& m) {
    Pass(m);
    if (m_titleCaption) m_titleCaption->Text = CaptionText();
    RepaintFrame();
}

void TspSkinFrame::WMSize(TMessage& m) {
    Pass(m);
    if (m_form->WindowState() == wsMinimized) return;
    SizeChanged(m_form->Width(), m_form->Height());
}

void TspSkinFrame::WMGetMinMaxInfo(TMessage& m) {
    Pass(m);
    auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam);
    if (!info) return;
    info->ptMinTrackSize = {MinFrameWidth(), MinFrameHeight()};
    info->ptMaxTrackSize = {MaxFrameWidth(), MaxFrameHeight()};
    TRect area = m_maximizeOnFullScreen ? Rect(0, 0, Screen->Width(), Screen->Height())
                                        : Screen->WorkAreaRect();
    info->ptMaxPosition = {area.Left, area.Top};
    info->ptMaxSize = {MaxFrameWidth(), MaxFrameHeight()};
}

void TspSkinFrame::WMEraseBkgnd(TMessage& m) {
    auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
    if (!canvas) {
        Pass(m);
        return;
    }
    PaintClientBackground(*canvas);
    m.Result = 1;
}

void TspSkinFrame::WMShowWindow(TMessage& m) {
    Pass(m);
    if (m.WParam == 0) return;
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

void TspSkinFrame::WMEnterSizeMove(TMessage& m) {
    Pass(m);
    m_moving = true;
    if (m_hoverRunning) KillTimer(m_form, HoverTimerId);
    m_hoverRunning = false;
    ResetObjects();
}

void TspSkinFrame::WMExitSizeMove(TMessage& m) {
    Pass(m);
    m_moving = false;
    if (m_skinned) StartHoverTimer();
    RepaintFrame();
}

void TspSkinFrame::WMSysCommand(TMessage& m) {
    switch (m.WParam & 0xFFF0) {
    case SC_KEYMENU:
        // No platform menu loop: the frame has no menu bar to activate.
        m.Result = 0;
        return;
    case SC_RESTORE:
        if (OnRestore) OnRestore(this);
        Pass(m);
        return;
    case SC_MINIMIZE:
        Pass(m);
        if (OnMinimize) OnMinimize(this);
        return;
    case SC_MAXIMIZE:
        Pass(m);
        if (OnMaximize) OnMaximize(this);
        return;
    default:
        Pass(m);
        return;
    }
}

void TspSkinFrame::WMNCMouseMove(TMessage& m) {
    Pass(m);
    RouteMouseMove(ToWindow(m.LParam));
}

void TspSkinFrame::WMNCLButtonDown(TMessage& m) {
    Pass(m);
    RouteMouseDown(ToWindow(m.LParam), mbLeft);
}

void TspSkinFrame::WMNCLButtonUp(TMessage& m) {
    Pass(m);
    RouteMouseUp(ToWindow(m.LParam), mbLeft, false);
}

void TspSkinFrame::WMNCLButtonDblClk(TMessage& m) {
    Pass(m);
    TPoint p = ToWindow(m.LParam);
    if (m_hoverIndex >= 0) {
        // A quick second click on a caption button presses it again; the system-menu
        // button's double click closes the window instead.
        TspActiveSkinObject* o = m_objects[size_t(m_hoverIndex)].get();
        auto* button = dynamic_cast<TspSkinStdButtonObject*>(o);
        if (button && button->command != cmSysMenu) RouteMouseDown(p, mbLeft);
        if (*m_alive && m_hoverIndex >= 0 && m_objects[size_t(m_hoverIndex)].get() == o)
            o->ObjectDoubleClick();
    }
    if (!*m_alive || !FormAlive() || int(m.WParam) != HTCAPTION) return;
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

void TspSkinFrame::WMNCRButtonDown(TMessage& m) {
    Pass(m);
    TPoint p = ToWindow(m.LParam);
    RouteMouseDown(p, mbRight);
    if (*m_alive && FormAlive() && int(m.WParam) == HTCAPTION)
        ShowSystemMenu(LParamToPoint(m.LParam));
}

void TspSkinFrame::WMNCRButtonUp(TMessage& m) {
    Pass(m);
    RouteMouseUp(ToWindow(m.LParam), mbRight, false);
}

void TspSkinFrame::WMNCRButtonDblClk(TMessage& m) {
    Pass(m);
    if (m_hoverIndex >= 0) m_objects[size_t(m_hoverIndex)]->ObjectDoubleClick();
}

// While an object holds the mouse, the client messages that capture brings belong to it.
void TspSkinFrame::WMMouseMove(TMessage& m) {
    if (!m_captureObject) {
        Pass(m);
        return;
    }
    TPoint c = LParamToPoint(m.LParam);
    TRect ci = m_form->ClientRectInWindow();
    RouteMouseMove({c.X + ci.Left, c.Y + ci.Top});
}

void TspSkinFrame::WMLButtonUp(TMessage& m) {
    if (!m_captureObject) {
        Pass(m);
        return;
    }
    TPoint c = LParamToPoint(m.LParam);
    TRect ci = m_form->ClientRectInWindow();
    RouteMouseUp({c.X + ci.Left, c.Y + ci.Top}, mbLeft, true);
}

void TspSkinFrame::WMRButtonUp(TMessage& m) {
    if (!m_captureObject) {
        Pass(m);
        return;
    }
    TPoint c = LParamToPoint(m.LParam);
    TRect ci = m_form->ClientRectInWindow();
    RouteMouseUp({c.X + ci.Left, c.Y + ci.Top}, mbRight, true);
}

void TspSkinFrame::WMCaptureChanged(TMessage& m) {
    Pass(m);
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

void TspSkinFrame::WMTimer(TMessage& m) {
    switch (m.WParam) {
    case MorphTimerId:
        MorphTick();
        return;
    case HoverTimerId:
        HoverTick();
        return;
    case AnimationTimerId:
        AnimationTick();
        return;
    default:
        Pass(m);
        return;
    }
}

void TspSkinFrame::WMSkinChanging(TMessage& m) {
    Pass(m);
    auto* store = reinterpret_cast<TspSkinData*>(m.WParam);
    if (store && store == m_skinData) {
        StopTimers();
        CloseMenu();
        ReleaseObjectCapture();
        m_objects.clear();
        m_titleCaption = nullptr;
        m_hoverIndex = m_downIndex = -1;
        m_skinned = false;
    }
    RelaySkinChange(store, true);
}

void TspSkinFrame::WMSkinChanged(TMessage& m) {
    Pass(m);
    auto* store = reinterpret_cast<TspSkinData*>(m.WParam);
    if (store && store == m_skinData) ApplySkin();
    RelaySkinChange(store, false);
}

void TspSkinFrame::WMSkinChangeDone(TMessage& m) {
    Pass(m);
    if (m_form->FormStyle() == fsMDIForm) m_form->Invalidate();
}

void TspSkinFrame::WMSkinStringsChanged(TMessage& m) {
    Pass(m);
    // Menu captions are taken from the string table each time the menu is built.
    ConfigureFrameObjects();
}

void TspSkinFrame::WMSkinMenuClosed(TMessage& m) {
    Pass(m);
    MenuClosed();
}

// Depth first over the form's controls, then the skin-aware components it owns.
void TspSkinFrame::RelaySkinChange(TspSkinData* store, bool prepare) {
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
        if (store && target->SkinData() != store) continue;
        if (prepare)
            target->PrepareSkinChange();
        else
            target->ApplySkinChange();
        if (alive.expired() || !*alive.lock()) return;
    }
}

TPoint TspSkinFrame::ToWindow(LPARAM screenPoint) const {
    TPoint p = LParamToPoint(screenPoint);
    return {p.X - m_form->Left(), p.Y - m_form->Top()};
}

// --- timers ---

void TspSkinFrame::StopTimers() {
    if (!FormAlive()) return;
    if (m_morphRunning) KillTimer(m_form, MorphTimerId);
    if (m_hoverRunning) KillTimer(m_form, HoverTimerId);
    if (m_animationRunning) KillTimer(m_form, AnimationTimerId);
    m_morphRunning = m_hoverRunning = m_animationRunning = false;
}

void TspSkinFrame::StartMorph() {
    if (m_morphRunning || !FormAlive()) return;
    SetTimer(m_form, MorphTimerId, MorphInterval);
    m_morphRunning = true;
}

void TspSkinFrame::StartHoverTimer() {
    if (m_hoverRunning || !FormAlive()) return;
    SetTimer(m_form, HoverTimerId, HoverInterval);
    m_hoverRunning = true;
}

void TspSkinFrame::StartAnimation() {
    if (m_animationRunning || !FormAlive()) return;
    SetTimer(m_form, AnimationTimerId, AnimationInterval);
    m_animationRunning = true;
}

void TspSkinFrame::MorphTick() {
    bool stepped = false;
    for (auto& object : m_objects)
        if (object->MorphStep()) {
            stepped = true;
            RedrawObject(object.get());
        }
    if (!stepped) {
        KillTimer(m_form, MorphTimerId);
        m_morphRunning = false;
    }
}

void TspSkinFrame::AnimationTick() {
    bool running = false;
    for (auto& object : m_objects) {
        bool changed = false;
        if (object->AnimationTick(changed)) running = true;
        if (changed) RedrawObject(object.get());
    }
    if (!running) {
        KillTimer(m_form, AnimationTimerId);
        m_animationRunning = false;
    }
}

void TspSkinFrame::HoverTick() {
    if (m_moving) return;
    TPoint screen = GetCursorPos();
    TPoint p{screen.X - m_form->Left(), screen.Y - m_form->Top()};
    if (m_geometry.ClientRect.Contains(p) && m_skinned)
        UpdateHover(-1, -1, false);
    else
        UpdateHover(p.X, p.Y, Rect(0, 0, m_width, m_height).Contains(p));
}
